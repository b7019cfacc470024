#include "quick/quick_type_win32.h"

#include "common/windows_glue_win32.h"
#include "dialog/dialog_texts.h"
#include "keystroke/keystroke_win32.h"
#include "keystroke/run_stop_win32.h"
#include "keystroke/simulation_run.h"
#include "quick/literal_text.h"
#include "quick/quick_parts_win32.h"
#include "quick/quick_texts.h"
#include "quick/run_question.h"
#include "quick/start_sequence.h"
#include "resource.h"
#include "theme/theme_win32.h"

#include <optional>
#include <shellapi.h>

namespace tapwell {

namespace {

constexpr UINT_PTR kStartTimer = 1;
constexpr UINT_PTR kProgressTimer = 2;
constexpr UINT kProgressMs = 100;
constexpr UINT kTrayIconId = 1;
constexpr int kTrialHotkeyId = 3;
constexpr int kClipboardTries = 5;

enum class QuickKind : std::uint8_t { Clipboard, Text };

// A quick run between its hotkey and its first unit; once the keys are up
// it is begun, holding until the settle time is over.
struct PendingStart {
    QuickStartSequence sequence;
    HWND destination;
    std::optional<std::u16string> literal;
    bool begun = false;
};

class QuickType {
  public:
    explicit QuickType(const QuickTypeHost& host);
    ~QuickType();

    // Registers the saved hotkeys and shows the icon when it is on.
    void start();
    bool command(int id);
    bool dialogMessage(UINT msg, WPARAM wParam, LPARAM lParam);

  private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static void CALLBACK foregroundChanged(HWINEVENTHOOK, DWORD, HWND hwnd, LONG, LONG, DWORD,
                                           DWORD);
    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam);

    Language lang() const { return host_.language; }
    Settings& settings() { return *host_.settings; }
    int message(std::u16string_view text, UINT flags);

    bool registerHotkey(int id, Hotkey hotkey);
    bool hotkeyAvailable(Hotkey hotkey);
    void registerSavedHotkeys();
    void editHotkeys();

    void setTrayIcon(bool on);
    void updateTooltip(std::u16string_view text);
    void showTrayMenu();
    void showDialog();
    void exitProgram();

    void begin(QuickKind kind, Hotkey hotkey, HWND destination);
    void onStartTimer();
    void beginHeldRun();
    void startRun(PendingStart& pending);
    void onProgressTimer();
    HWND destinationForMenu() const;

    QuickTypeHost host_;
    HWND hwnd_ = nullptr;
    UINT taskbarCreated_ = 0;
    bool trayShown_ = false;
    std::u16string tooltip_;
    Hotkey registered_[2];
    std::optional<PendingStart> pending_;
    bool quickRunning_ = false;
    ProgressWindow progress_;
    HWINEVENTHOOK foregroundHook_ = nullptr;
    // The last window in front that is not ours and not the shell's task bar:
    // the destination of the icon's menu.
    HWND lastForeground_ = nullptr;
};

std::unique_ptr<QuickType> g_quick; // GUI thread only

bool isOwnWindow(HWND w) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    return pid == GetCurrentProcessId();
}

bool isShellTray(HWND w) {
    wchar_t name[64] = {};
    GetClassNameW(w, name, 64);
    return std::wstring_view(name) == L"Shell_TrayWnd" ||
           std::wstring_view(name) == L"NotifyIconOverflowWindow" ||
           std::wstring_view(name) == L"Shell_SecondaryTrayWnd";
}

void sendMaskKey() {
    INPUT in[2] = {};
    for (INPUT& i : in) {
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = kMaskKey;
    }
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
}

UINT hotkeyModifiers(Hotkey h) {
    UINT m = MOD_NOREPEAT;
    if (h.shift())
        m |= MOD_SHIFT;
    if (h.ctrl())
        m |= MOD_CONTROL;
    if (h.alt())
        m |= MOD_ALT;
    if (h.win())
        m |= MOD_WIN;
    return m;
}

std::optional<std::u16string> readClipboardText(HWND owner) {
    // Another program may hold the clipboard for a moment.
    bool open = false;
    for (int i = 0; i < kClipboardTries && !(open = OpenClipboard(owner)); ++i)
        Sleep(20);
    if (!open)
        return std::nullopt;
    std::optional<std::u16string> text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* p = static_cast<const char16_t*>(GlobalLock(data))) {
            const std::size_t limit = GlobalSize(data) / sizeof(char16_t);
            std::size_t n = 0;
            while (n < limit && p[n] != 0)
                ++n;
            text.emplace(p, n);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

std::u16string layoutName(std::uint32_t id, Language lang) {
    if (id == kLayoutUs101)
        return u"US";
    if (id == kLayoutJapanese)
        return lang == Language::Japanese ? u"日本語" : u"Japanese";
    if (id == kLayoutLocal)
        id = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(GetKeyboardLayout(0)));
    for (const InstalledLayout& l : installedKeyboardLayouts())
        if (l.id == id)
            return l.name;
    return u"?";
}

std::u16string windowTitle(HWND w) {
    wchar_t buf[256] = {};
    GetWindowTextW(w, buf, 256);
    return fromWide(buf);
}

QuickType::QuickType(const QuickTypeHost& host) : host_(host) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW wc{};
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.lpszClassName = kQuickWindowClass;
    RegisterClassW(&wc);
    // Top-level (not message-only), so that the shell's TaskbarCreated
    // broadcast reaches it; never shown.
    hwnd_ = CreateWindowExW(WS_EX_TOOLWINDOW, kQuickWindowClass, L"tapwell", WS_POPUP, 0, 0, 0, 0,
                            nullptr, nullptr, instance, nullptr);
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    foregroundHook_ = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                                      foregroundChanged, 0, 0, WINEVENT_OUTOFCONTEXT);
    if (HWND front = GetForegroundWindow(); front && !isOwnWindow(front))
        lastForeground_ = front;
}

QuickType::~QuickType() {
    ClickTarget::cancel();
    if (foregroundHook_)
        UnhookWinEvent(foregroundHook_);
    setTrayIcon(false);
    if (hwnd_) {
        UnregisterHotKey(hwnd_, kClipboardHotkeyId);
        UnregisterHotKey(hwnd_, kTextHotkeyId);
        DestroyWindow(hwnd_);
    }
}

void CALLBACK QuickType::foregroundChanged(HWINEVENTHOOK, DWORD, HWND hwnd, LONG, LONG, DWORD,
                                           DWORD) {
    if (g_quick && hwnd && !isOwnWindow(hwnd) && !isShellTray(hwnd))
        g_quick->lastForeground_ = hwnd;
}

LRESULT CALLBACK QuickType::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (g_quick && g_quick->hwnd_ == hwnd)
        return g_quick->handle(msg, wParam, lParam);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

int QuickType::message(std::u16string_view text, UINT flags) {
    // Owned by the dialog only while it is shown: a hidden owner would keep
    // the box behind the window the user works in.
    HWND owner = IsWindowVisible(host_.dialog) ? host_.dialog : nullptr;
    return showAppMessage(owner, text, host_.programTitle, flags | MB_SETFOREGROUND);
}

LRESULT QuickType::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == taskbarCreated_ && taskbarCreated_ != 0) {
        // The shell restarted and forgot the icon.
        trayShown_ = false;
        setTrayIcon(settings().iTrayIcon != 0);
        return 0;
    }
    switch (msg) {
    case WM_HOTKEY: {
        const int id = static_cast<int>(wParam);
        if (id == kClipboardHotkeyId || id == kTextHotkeyId)
            begin(id == kClipboardHotkeyId ? QuickKind::Clipboard : QuickKind::Text,
                  registered_[id - 1], GetForegroundWindow());
        return 0;
    }
    case kTrayCallbackMessage:
        switch (LOWORD(lParam)) {
        case WM_LBUTTONDBLCLK:
            showDialog();
            break;
        case WM_RBUTTONUP:
        case WM_CONTEXTMENU:
            showTrayMenu();
            break;
        default:
            break;
        }
        return 0;
    case kShowDialogMessage:
        showDialog();
        return 0;
    case WM_COMMAND:
        command(LOWORD(wParam));
        return 0;
    case WM_TIMER:
        if (wParam == kStartTimer)
            onStartTimer();
        else if (wParam == kProgressTimer)
            onProgressTimer();
        return 0;
    default:
        return DefWindowProcW(hwnd_, msg, wParam, lParam);
    }
}

bool QuickType::registerHotkey(int id, Hotkey hotkey) {
    const Hotkey old = registered_[id - 1];
    UnregisterHotKey(hwnd_, id);
    registered_[id - 1] = {};
    if (hotkey.none())
        return true;
    if (RegisterHotKey(hwnd_, id, hotkeyModifiers(hotkey), hotkey.key())) {
        registered_[id - 1] = hotkey;
        return true;
    }
    if (!old.none() && RegisterHotKey(hwnd_, id, hotkeyModifiers(old), old.key()))
        registered_[id - 1] = old;
    return false;
}

bool QuickType::hotkeyAvailable(Hotkey hotkey) {
    if (hotkey == registered_[0] || hotkey == registered_[1])
        return true;
    if (!RegisterHotKey(hwnd_, kTrialHotkeyId, hotkeyModifiers(hotkey), hotkey.key()))
        return false;
    UnregisterHotKey(hwnd_, kTrialHotkeyId);
    return true;
}

void QuickType::start() {
    registerSavedHotkeys();
    setTrayIcon(settings().iTrayIcon != 0);
}

void QuickType::registerSavedHotkeys() {
    const Hotkey wanted[2] = {
        Hotkey::fromSetting(static_cast<std::int32_t>(settings().iHotkeyClipboard)),
        Hotkey::fromSetting(static_cast<std::int32_t>(settings().iHotkeyText))};
    for (int id : {kClipboardHotkeyId, kTextHotkeyId}) {
        if (registerHotkey(id, wanted[id - 1]))
            continue;
        std::vector<std::unique_ptr<AltGrLayout>> owned = installedAltGrLayouts();
        std::vector<const AltGrLayout*> layouts;
        for (const auto& l : owned)
            layouts.push_back(l.get());
        std::optional<Hotkey> suggestion =
            suggestHotkey(id == kClipboardHotkeyId ? kProposedClipboardHotkey : Hotkey{}, layouts,
                          [this](Hotkey h) { return hotkeyAvailable(h); });
        message(hotkeyRefusal(wanted[id - 1], std::nullopt, suggestion, lang()),
                MB_OK | MB_ICONEXCLAMATION);
    }
}

void QuickType::editHotkeys() {
    HotkeysDialogContext c;
    c.language = lang();
    c.programTitle = host_.programTitle;
    c.clipboard = registered_[0];
    c.text = registered_[1];
    c.registerHotkey = [this](int id, Hotkey h) { return registerHotkey(id, h); };
    c.available = [this](Hotkey h) { return hotkeyAvailable(h); };
    if (runHotkeysDialog(host_.dialog, c)) {
        settings().iHotkeyClipboard = c.clipboard.value;
        settings().iHotkeyText = c.text.value;
    } else {
        // A Cancel after one hotkey was already taken gives back the saved ones.
        registerSavedHotkeys();
    }
}

void QuickType::setTrayIcon(bool on) {
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof nid;
    nid.hWnd = hwnd_;
    nid.uID = kTrayIconId;
    if (!on) {
        if (trayShown_)
            Shell_NotifyIconW(NIM_DELETE, &nid);
        trayShown_ = false;
        return;
    }
    if (trayShown_ || !hwnd_)
        return;
    nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    nid.uCallbackMessage = kTrayCallbackMessage;
    nid.hIcon = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON,
                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    tooltip_ = std::u16string(quickText(QuickText::TooltipIdle, lang()));
    lstrcpynW(nid.szTip, wide(tooltip_), static_cast<int>(std::size(nid.szTip)));
    trayShown_ = Shell_NotifyIconW(NIM_ADD, &nid) != FALSE;
}

void QuickType::updateTooltip(std::u16string_view text) {
    if (!trayShown_ || text == tooltip_)
        return;
    tooltip_ = std::u16string(text);
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof nid;
    nid.hWnd = hwnd_;
    nid.uID = kTrayIconId;
    nid.uFlags = NIF_TIP;
    lstrcpynW(nid.szTip, wide(tooltip_), static_cast<int>(std::size(nid.szTip)));
    Shell_NotifyIconW(NIM_MODIFY, &nid);
}

void QuickType::showTrayMenu() {
    HMENU menu = CreatePopupMenu();
    if (!menu)
        return;
    auto item = [&](int id, QuickText text, Hotkey hotkey = {}) {
        std::u16string label(quickText(text, lang()));
        if (!hotkey.none())
            label += u"\t" + hotkeyName(hotkey);
        AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(id), wide(label));
    };
    item(IDM_QUICK_CLIPBOARD, QuickText::MenuTypeClipboard, registered_[0]);
    item(IDM_QUICK_TEXT, QuickText::MenuTypeText, registered_[1]);
    item(IDM_QUICK_CLICK, QuickText::MenuClickWhere);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    item(IDM_QUICK_SHOW, QuickText::MenuShow);
    item(IDM_QUICK_EXIT, QuickText::MenuExit);
    // The menu takes the foreground: a run going on would type into it (and
    // its letters choose items), so it waits while the menu is open. A
    // countdown cannot wait; the dialog's own run in one takes its chance.
    SimulationRun& run = *host_.run;
    const bool holdRun = run.running() && !run.paused() && run.phase() != RunPhase::Countdown;
    if (holdRun) {
        run.togglePause();
        onProgressTimer();
    }
    HWND before = destinationForMenu();
    POINT pt{};
    GetCursorPos(&pt);
    // The menu closes when the user clicks elsewhere only if its owner is
    // in front.
    SetForegroundWindow(hwnd_);
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, pt.x, pt.y, 0, hwnd_, nullptr);
    PostMessageW(hwnd_, WM_NULL, 0, 0);
    DestroyMenu(menu);
    if (holdRun && run.running() && run.paused()) {
        if (before)
            SetForegroundWindow(before);
        run.togglePause();
    }
}

void QuickType::showDialog() {
    ShowWindow(host_.dialog, IsIconic(host_.dialog) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(host_.dialog);
}

void QuickType::exitProgram() {
    if (host_.run->running()) {
        if (message(dialogText(DialogText::ExitQuestion, lang()), MB_YESNO | MB_ICONQUESTION) !=
            IDYES)
            return;
        host_.run->abortRun();
    }
    EndDialog(host_.dialog, IDM_EXIT);
}

HWND QuickType::destinationForMenu() const {
    if (lastForeground_ && IsWindow(lastForeground_))
        return lastForeground_;
    HWND front = GetForegroundWindow();
    return front && !isOwnWindow(front) ? front : nullptr;
}

bool QuickType::command(int id) {
    Settings& s = settings();
    switch (id) {
    case IDM_TRAY_ICON:
        s.iTrayIcon = s.iTrayIcon ? 0 : 1;
        CheckMenuItem(host_.menu, IDM_TRAY_ICON, s.iTrayIcon ? MF_CHECKED : MF_UNCHECKED);
        setTrayIcon(s.iTrayIcon != 0);
        return true;
    case IDM_QUICK_ASK:
        s.iQuickAsk = s.iQuickAsk ? 0 : 1;
        CheckMenuItem(host_.menu, IDM_QUICK_ASK, s.iQuickAsk ? MF_CHECKED : MF_UNCHECKED);
        return true;
    case IDM_QUICK_PROGRESS:
        s.iQuickProgress = s.iQuickProgress ? 0 : 1;
        CheckMenuItem(host_.menu, IDM_QUICK_PROGRESS, s.iQuickProgress ? MF_CHECKED : MF_UNCHECKED);
        return true;
    case IDM_HOTKEYS:
        editHotkeys();
        return true;
    case IDM_QUICK_CLIPBOARD:
        begin(QuickKind::Clipboard, {}, destinationForMenu());
        return true;
    case IDM_QUICK_TEXT:
        begin(QuickKind::Text, {}, destinationForMenu());
        return true;
    case IDM_QUICK_CLICK:
        if (!host_.run->running() && !pending_)
            ClickTarget::begin([this](HWND target) {
                if (target && !isOwnWindow(target))
                    begin(QuickKind::Clipboard, {}, target);
            });
        return true;
    case IDM_QUICK_SHOW:
        showDialog();
        return true;
    case IDM_QUICK_EXIT:
        exitProgram();
        return true;
    default:
        return false;
    }
}

// The hotkey (or the menu item) fired: the mask key at once, while Alt or
// Win is still down; the clipboard read and asked about; then the wait for
// released keys.
void QuickType::begin(QuickKind kind, Hotkey hotkey, HWND destination) {
    if (host_.run->running() || pending_ || ClickTarget::active())
        return;
    QuickStartSequence sequence(hotkey, GetTickCount64());
    if (sequence.needsMaskKey())
        sendMaskKey();
    std::optional<std::u16string> literal;
    if (kind == QuickKind::Clipboard) {
        std::optional<std::u16string> clip = readClipboardText(hwnd_);
        if (!clip || clip->empty()) {
            message(quickText(QuickText::ClipboardEmpty, lang()), MB_OK | MB_ICONEXCLAMATION);
            return;
        }
        literal = literalText(*clip);
        const Settings& s = settings();
        std::unique_ptr<KeyboardLayout> layout;
        std::u16string name;
        if (s.iDelivery == Delivery::KeyPresses) {
            layout = systemKeyboardLayout(s.iTargetLayout);
            name = layoutName(s.iTargetLayout, lang());
        }
        const std::u16string title = windowTitle(destination);
        RunQuestionInput question{*literal, title, layout.get(), name, s.iQuickAsk != 0, lang()};
        if (std::optional<std::u16string> q = runQuestion(question)) {
            if (message(*q, MB_YESNO | MB_ICONQUESTION) != IDYES)
                return;
            // The answer took its time: the wait for released keys starts now.
            sequence = QuickStartSequence(hotkey, GetTickCount64());
        }
    }
    pending_.emplace(PendingStart{sequence, destination, std::move(literal)});
    SetTimer(hwnd_, kStartTimer, QuickStartSequence::kPollMs, nullptr);
    onStartTimer();
}

// Once the keys are up the run begins, holding: saving, the dialog's look
// and the Esc watch take their time within the settle time, not after it,
// and an Esc stops it from here on.
void QuickType::beginHeldRun() {
    // Set first: a refusal's box lets this timer tick again meanwhile.
    pending_->begun = true;
    host_.run->startQuick(std::move(pending_->literal), true);
    if (!host_.run->holding())
        pending_.reset();
}

void QuickType::onStartTimer() {
    // Stopped while it held (Esc, Abort, Exit).
    if (pending_ && pending_->begun && !host_.run->holding())
        pending_.reset();
    if (!pending_) {
        KillTimer(hwnd_, kStartTimer);
        return;
    }
    const StartStep step = pending_->sequence.poll(
        GetTickCount64(), [](std::uint8_t vk) { return (GetAsyncKeyState(vk) & 0x8000) != 0; });
    if (step == StartStep::Wait) {
        if (!pending_->begun && pending_->sequence.released())
            beginHeldRun();
        return;
    }
    KillTimer(hwnd_, kStartTimer);
    PendingStart pending = std::move(*pending_);
    pending_.reset();
    if (step == StartStep::Cancel) {
        if (pending.begun)
            host_.run->abortRun();
        message(quickText(QuickText::KeysStillHeld, lang()), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    startRun(pending);
}

void QuickType::startRun(PendingStart& pending) {
    if (!pending.begun)
        host_.run->startQuick(std::move(pending.literal), true);
    HWND destination = pending.destination;
    if (destination && IsWindow(destination) && GetForegroundWindow() != destination)
        SetForegroundWindow(destination);
    host_.run->releaseQuick();
    if (!host_.run->running())
        return;
    quickRunning_ = true;
    if (settings().iQuickProgress)
        progress_.show(destination, formatQuickText(QuickText::Progress, lang(), {u"0", u"0"}));
    SetTimer(hwnd_, kProgressTimer, kProgressMs, nullptr);
    onProgressTimer();
}

void QuickType::onProgressTimer() {
    SimulationRun& run = *host_.run;
    if (!run.running() || !quickRunning_) {
        KillTimer(hwnd_, kProgressTimer);
        quickRunning_ = false;
        progress_.hide();
        updateTooltip(quickText(QuickText::TooltipIdle, lang()));
        return;
    }
    const std::u16string done = groupedNumber(run.position());
    const std::u16string of = groupedNumber(run.inputText().size());
    progress_.setText(run.paused() ? std::u16string(quickText(QuickText::ProgressPaused, lang()))
                                   : formatQuickText(QuickText::Progress, lang(), {done, of}));
    updateTooltip(formatQuickText(QuickText::TooltipTyping, lang(), {done, of}));
}

bool QuickType::dialogMessage(UINT msg, WPARAM wParam, LPARAM) {
    if (msg == kPauseKeyMessage) {
        host_.run->togglePause();
        onProgressTimer();
        return true;
    }
    // Minimised with the icon on: the dialog goes to the icon.
    if (msg == WM_SIZE && wParam == SIZE_MINIMIZED && trayShown_)
        ShowWindow(host_.dialog, SW_HIDE);
    return false;
}

} // namespace

void startQuickType(const QuickTypeHost& host) {
    g_quick.reset();
    g_quick = std::make_unique<QuickType>(host);
    Settings& s = *host.settings;
    CheckMenuItem(host.menu, IDM_TRAY_ICON, s.iTrayIcon ? MF_CHECKED : MF_UNCHECKED);
    CheckMenuItem(host.menu, IDM_QUICK_ASK, s.iQuickAsk ? MF_CHECKED : MF_UNCHECKED);
    CheckMenuItem(host.menu, IDM_QUICK_PROGRESS, s.iQuickProgress ? MF_CHECKED : MF_UNCHECKED);
    g_quick->start();
}

void stopQuickType() {
    g_quick.reset();
}

bool onQuickTypeCommand(int commandId) {
    return g_quick && g_quick->command(commandId);
}

bool onQuickTypeDialogMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return g_quick && g_quick->dialogMessage(message, wParam, lParam);
}

bool showRunningInstance() {
    HWND running = FindWindowW(kQuickWindowClass, nullptr);
    if (!running)
        return false;
    // This start was the user's, so it may hand the foreground on.
    DWORD pid = 0;
    GetWindowThreadProcessId(running, &pid);
    AllowSetForegroundWindow(pid);
    PostMessageW(running, kShowDialogMessage, 0, 0);
    return true;
}

} // namespace tapwell
