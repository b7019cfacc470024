// The main dialog and the engine inside the test process, over settings of
// their own in a scratch folder, so that controls, menus (Wine keeps menus
// private to their process) and runs can be driven and read directly: the key
// event sink and whole runs typing into the receiver; the dialog's labels,
// help, menus, tooltips and edits; and how a run ends when the program is
// closed, asked to close, or handed a file under it: nothing it pressed stays
// down, nothing replaces the text it types. Key state is read with
// GetAsyncKeyState, which Wine keeps for injected input as long as the X
// focus does not move.
#include "app/app_state.h"
#include "dialog/help_win32.h"
#include "dialog/main_dialog.h"
#include "fake_run_host.h"
#include "keystroke/keystroke_win32.h"
#include "keystroke/pacing_timer_win32.h"
#include "keystroke/run_texts.h"
#include "resource.h"
#include "script/script_runner.h"
#include "support/win_driver.h"
#include "theme/theme_win32.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

#include <atomic>
#include <cstring>
#include <fstream>
#include <functional>
#include <thread>
#include <tuple>

using namespace tapwell;
using namespace tapwell::e2e;
using Lines = std::vector<std::string>;

namespace {

// The dialog over settings of its own in a scratch folder, by default in Unicode
// mode (keyboard mode folds texts to upper case); a run stays in its countdown.
struct InProcessDialog {
    HWND hwnd = nullptr;
    explicit InProcessDialog(bool japanese = false, InputMode inputMode = InputMode::Unicode) {
        SetCurrentDirectoryW(makeScratchDir(L"inproc").c_str());
        AppState& app = appState();
        setUiLanguage(app, japanese ? Language::Japanese : Language::English);
        app.UseIniFile = true;
        app.settings = Settings{};
        app.settings.iInputMode = inputMode;
        app.settings.iWaitSec = 30;
        hwnd = CreateDialogParamW(GetModuleHandleW(nullptr),
                                  MAKEINTRESOURCEW(japanese ? IDD_MAIN_JA : IDD_MAIN_EN), nullptr,
                                  mainDialogProc, 0);
    }
    ~InProcessDialog() { DestroyWindow(hwnd); }
    HWND item(int id) const { return GetDlgItem(hwnd, id); }
    // A message to the control `id`, or to the dialog itself for 0.
    LRESULT send(int id, UINT msg, WPARAM wp = 0, LPARAM lp = 0) const {
        return SendMessageW(id ? item(id) : hwnd, msg, wp, lp);
    }
    void command(int id) const { send(0, WM_COMMAND, id); }
    std::wstring text(int id) const { return textOf(item(id)); }
};

// A drop of `file` on the dialog as the shell hands it over: a list ending in
// two nulls.
void dropFile(HWND dialog, const std::wstring& file) {
    HGLOBAL drop = GlobalAlloc(GHND, sizeof(DROPFILES) + (file.size() + 2) * sizeof(wchar_t));
    auto* files = static_cast<DROPFILES*>(GlobalLock(drop));
    *files = DROPFILES{static_cast<DWORD>(sizeof(DROPFILES)), {}, FALSE, TRUE};
    std::memcpy(files + 1, file.c_str(), file.size() * sizeof(wchar_t));
    GlobalUnlock(drop);
    SendMessageW(dialog, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
}

// A run of the engine in Unicode mode by key presses into a new receiver.
Lines typeInto(const std::u16string& text, std::uint32_t layout = kLayoutUs101,
               KeyboardLayoutResolver resolve = systemKeyboardLayout) {
    auto r = Receiver::start(L"--scan");
    test::FakeRunHost host;
    host.settings.iWaitSec = 0;
    host.settings.iWaitMSec = 1;
    host.settings.iInputMode = InputMode::Unicode;
    host.settings.iDelivery = Delivery::KeyPresses;
    host.settings.iTargetLayout = layout;
    host.box = text;
    std::atomic<bool> scriptRunning{false}, stop{false};
    SimulationRun run(host, systemKeyEventSink(), scriptRunning, stop);
    run.setKeyboardLayoutResolver(resolve);
    run.startRun();
    while (run.running() && host.timerArmed)
        run.onRunTimer(RUN_TIMER_ID);
    EXPECT_EQ(run.lastEnd(), RunEnd::Normal);
    EXPECT_TRUE(r) << "the receiver never got the focus";
    return r ? r->stop() : Lines{};
}

using HelpCall = std::tuple<HWND, std::wstring, UINT>; // owner, path, command
std::vector<HelpCall> g_helpCalls;

// The system's setting: light is read at once, dark left for the dialog.
void setLightTheme(DWORD light) {
    RegSetKeyValueW(HKEY_CURRENT_USER,
                    L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
                    L"AppsUseLightTheme", REG_DWORD, &light, sizeof light);
    if (light)
        ReadDarkModeSetting(GetModuleHandleW(nullptr));
}

// The text the Start button's tooltip shows.
std::wstring startTooltip(HWND dialog) {
    HWND tips = nullptr;
    do
        tips = FindWindowExW(nullptr, tips, TOOLTIPS_CLASSW, nullptr);
    while (tips && GetWindow(tips, GW_OWNER) != dialog);
    wchar_t buffer[256] = {};
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.hwnd = dialog;
    info.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(dialog, IDC_START));
    info.lpszText = buffer;
    SendMessageW(tips, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&info));
    return buffer;
}

bool shiftDown() {
    return (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0;
}

// Starts a run that sends nothing before one second has passed.
void startSoon(const InProcessDialog& d, const wchar_t* text) {
    SetDlgItemInt(d.hwnd, IDC_WAIT_SEC, 0, FALSE);
    SetDlgItemInt(d.hwnd, IDC_INTERVAL, 1000, FALSE);
    SetDlgItemTextW(d.hwnd, IDC_TEXT, text);
    d.command(IDC_START);
}

bool idle(const InProcessDialog& d) {
    return d.text(IDC_START) == L"St&art";
}

// The text of the next box `d` shows, answered with `button` from a thread
// of its own while this one goes on dispatching the dialog's messages.
std::wstring answerBox(const InProcessDialog& d, const wchar_t* button,
                       const std::function<void()>& showIt) {
    std::wstring text;
    std::atomic<bool> answered{false};
    std::thread answer([&] {
        if (auto box =
                waitForMessageBox(GetCurrentProcessId(), L"Davudiru Dodovizar", 5000, d.hwnd)) {
            text = box->text;
            pressButton(*box, button);
        }
        answered = true;
    });
    showIt();
    pumpUntil([&] { return answered.load(); }, 6000);
    answer.join();
    return text;
}

std::atomic<int> g_shiftPresses{0};
std::atomic<int> g_shiftReleases{0};

// Counts the Shift presses and releases that reach a low-level keyboard hook
// on a thread of its own. The sender of an event waits for such a hook, so an
// event is counted before the thread that sent it goes on. Unlike the key
// state, which Wine reads again from X when a window comes or goes, this
// cannot see a release that was never sent.
struct ShiftReleaseWatch {
    std::atomic<DWORD> threadId{0};
    std::thread thread{[this] {
        HHOOK hook = SetWindowsHookExW(
            WH_KEYBOARD_LL,
            [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
                const DWORD vk = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam)->vkCode;
                if (code == HC_ACTION && (vk == VK_SHIFT || vk == VK_LSHIFT || vk == VK_RSHIFT))
                    ++(wParam == WM_KEYUP || wParam == WM_SYSKEYUP ? g_shiftReleases
                                                                   : g_shiftPresses);
                return CallNextHookEx(nullptr, code, wParam, lParam);
            },
            GetModuleHandleW(nullptr), 0);
        MSG m;
        PeekMessageW(&m, nullptr, WM_USER, WM_USER, PM_NOREMOVE); // the queue, for WM_QUIT
        threadId = GetCurrentThreadId();
        while (GetMessageW(&m, nullptr, 0, 0) > 0)
            DispatchMessageW(&m);
        UnhookWindowsHookEx(hook);
    }};
    ShiftReleaseWatch() {
        g_shiftPresses = 0;
        g_shiftReleases = 0;
        waitUntil([&] { return threadId != 0; }, 5000);
    }
    ~ShiftReleaseWatch() {
        PostThreadMessageW(threadId, WM_QUIT, 0, 0);
        thread.join();
    }
};

} // namespace

// A script that holds Shift and waits in a box of its own when the program is
// closed: the box is answered, the script stops and lets Shift go, all before
// the dialog has gone (the process would end right after).
TEST(Closing, WaitsForTheScriptToReleaseWhatItHolds) {
    ShiftReleaseWatch watch;
    InProcessDialog d(false, InputMode::Script);
    startSoon(d, L"KEYBDEVENT(VK_SHIFT, 1)\r\nMESSAGE(\"holding\")\r\nKEYBDEVENT(VK_SHIFT, 0)");
    // The script's box, found by its owner without asking the box's thread
    // for its caption: under Wine that query left Shift reading as up.
    const auto boxShown = [&] {
        HWND box = nullptr;
        while ((box = FindWindowExW(nullptr, box, L"#32770", nullptr)))
            if (GetWindow(box, GW_OWNER) == d.hwnd && IsWindowVisible(box))
                return true;
        return false;
    };
    ASSERT_TRUE(pumpUntil(boxShown, 5000));
    // Counted rather than read: the box taking the focus may make Wine read
    // Shift's state from X, where it is up.
    ASSERT_EQ(g_shiftPresses.load(), 1);
    ASSERT_EQ(g_shiftReleases.load(), 0);
    ASSERT_TRUE(scriptRunning.load());
    DestroyWindow(d.hwnd);
    d.hwnd = nullptr;
    EXPECT_FALSE(scriptRunning.load()) << "the script thread was left running";
    EXPECT_EQ(g_shiftReleases.load(), 1) << "Shift stays down after the program has ended";
    EXPECT_FALSE(shiftDown());
}

// The close box, Alt+F4 and End task all reach the dialog as WM_CLOSE. During
// a run it stops the run as Abort does, letting go of a held Shift, and the
// dialog stays without asking; the next one asks as usual. The end of the
// Windows session, which Wine cannot bring about, is sent here directly: the
// question stops the run and the session may end, and so does the end itself.
TEST(CloseRequest, DuringARunAbortsItAndReleasesAndTheNextOneAsks) {
    InProcessDialog d;
    const std::pair<UINT, WPARAM> requests[] = {
        {WM_CLOSE, 0}, {WM_QUERYENDSESSION, 0}, {WM_ENDSESSION, TRUE}};
    for (const auto& [message, wParam] : requests) {
        SCOPED_TRACE(message);
        startSoon(d, L"[VK_SHIFT)xxxxxxxxxx");
        ASSERT_TRUE(pumpUntil(shiftDown, 5000));
        const LRESULT answer = SendMessageW(d.hwnd, message, wParam, 0);
        EXPECT_TRUE(message != WM_QUERYENDSESSION || answer) << "the session may not end";
        EXPECT_TRUE(IsWindow(d.hwnd));
        EXPECT_TRUE(idle(d)) << "the request was ignored";
        EXPECT_FALSE(shiftDown());
    }
    const std::wstring asked = answerBox(d, L"No", [&] { SendMessageW(d.hwnd, WM_CLOSE, 0, 0); });
    EXPECT_NE(asked.find(L"Are you sure you want to exit?"), std::wstring::npos);
    EXPECT_TRUE(IsWindow(d.hwnd)) << "No keeps the dialog";
}

// The text box is locked during a run: a file dropped in the countdown would
// be what gets typed. Once the run is over, the same drop loads the file.
TEST(Drop, DuringARunLeavesTheLockedTextAlone) {
    InProcessDialog d;
    const std::wstring file = makeScratchDir(L"drop") + L"other.txt";
    std::ofstream(file.c_str(), std::ios::binary) << "dropped";
    SetDlgItemTextW(d.hwnd, IDC_TEXT, L"locked");
    d.command(IDC_START);
    ASSERT_FALSE(idle(d));
    dropFile(d.hwnd, file);
    EXPECT_EQ(d.text(IDC_TEXT), L"locked");
    d.command(IDC_START); // Abort
    dropFile(d.hwnd, file);
    EXPECT_EQ(d.text(IDC_TEXT), L"dropped");
}

// A run whose timer Windows refuses would wait for ever with the controls
// locked; it ends with a message that gives the system's error instead.
TEST(TimerFailure, EndsTheRunWithAMessage) {
    InProcessDialog d;
    timerCalls().setTimer = [](HWND, UINT_PTR, UINT, TIMERPROC) -> UINT_PTR {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return 0;
    };
    SetDlgItemTextW(d.hwnd, IDC_TEXT, L"x");
    const std::wstring told = answerBox(d, L"OK", [&] { d.command(IDC_START); });
    EXPECT_TRUE(pumpUntil([&] { return idle(d); }, 5000)) << "the run hangs";
    timerCalls() = TimerCalls{};
    const std::u16string want = formatRunText(RunText::TimerFailed, Language::English, {u"8"});
    EXPECT_EQ(told, std::wstring(want.begin(), want.end()));
}

// Unicode units from the sink, whole and split (an emoji as two units, high
// surrogate first; its plain keys type the keyboard mode's runs). Runs by key
// presses: US keys with Shift and scan codes (Wine has the US layout whatever
// is asked); the local layout, asked by its handle, answers like the US table
// but for backslash, bar, < and >, which Wine types with the 102nd key (0x56),
// the table with US keys (0x2B, 0x33, 0x34).
TEST(Keys, UnicodeUnitsAndKeyPressesReachTheFocusedWindow) {
    auto r = Receiver::start();
    ASSERT_TRUE(r);
    KeyEventSink& sink = systemKeyEventSink();
    for (char16_t unit : {u'\u3042', char16_t(0xD83D), char16_t(0xDE00)})
        EXPECT_EQ(sink.sendUnicodePair(unit), 2u);
    EXPECT_EQ(sink.sendUnicodeUnit(u'x', false), 1u);
    EXPECT_EQ(sink.sendUnicodeUnit(u'x', true), 1u);
    Lines want = {"keydown 231", "char 12354",  "keyup 231",   "keydown 231",
                  "char 55357",  "keyup 231",   "keydown 231", "char 56832",
                  "keyup 231",   "keydown 231", "char 120",    "keyup 231"};
    EXPECT_EQ(r->stop(), want);

    want = {"keydown 16 sc 2A", "keydown 65 sc 1E",   "char 65",          "keyup 65 sc 1E",
            "keyup 16 sc 2A",   "keydown 37 sc E04B", "keyup 37 sc E04B", "keydown 13 sc 1C",
            "char 13",          "keyup 13 sc 1C"};
    EXPECT_EQ(typeInto(u"A[VK_LEFT]\n"), want);
    const std::u16string text = u"Hello, World? a1@_~\"x\":=+ Q`/2-9'z.\n";
    const Lines fromTable = typeInto(text, kLayoutUs101, portableKeyboardLayout);
    EXPECT_EQ(typeInto(text, kLayoutLocal), fromTable);
    Lines typed, chars;
    for (char16_t c : text)
        typed.push_back("char " + std::to_string(c == u'\n' ? 13 : c));
    for (const std::string& l : fromTable) {
        EXPECT_EQ(l.find(" 231"), std::string::npos) << "a VK_PACKET: " << l;
        if (l.starts_with("char "))
            chars.push_back(l);
    }
    EXPECT_EQ(chars, typed);
}

// In each language, every visible label fits, measured in its control's own
// font (proportional in the test prefix, as on a real system) and wrapped
// where the control wraps; F1 and the Help items, in their menu order, open
// the language's pages through the help library's entry (a recorder here).
TEST(InProcessDialog, InEachLanguageLabelsFitAndHelpOpensTheLanguagesPages) {
    const HelpLibraryState saved = helpLibraryState();
    helpLibraryState().entry = [](HWND owner, const wchar_t* path, UINT command, DWORD_PTR) {
        g_helpCalls.emplace_back(owner, path, command);
        return owner;
    };
    // F1 (0) first, then the Help menu's items.
    const int commands[] = {0, IDM_HELP, IDM_HELP_NOTATION, IDM_HELP_KEYCODES, IDM_HELP_SCRIPT};
    const wchar_t* pages[] = {L"HLP000005.html", L"HLP000005.html", L"HLP000006.html",
                              L"HLP000011.html", L"HLP000024.html"};
    HELPINFO f1{};
    f1.cbSize = sizeof f1;
    for (bool japanese : {false, true}) {
        InProcessDialog d(japanese, InputMode::Keyboard);
        ASSERT_NE(d.hwnd, nullptr);
        int measured = 0;
        HDC dc = GetDC(d.hwnd);
        HWND c = nullptr; // the labels, then the buttons
        for (bool isStatic : {true, false})
            while ((c = FindWindowExW(d.hwnd, c, isStatic ? L"Static" : L"Button", nullptr))) {
                const LONG style = GetWindowLongW(c, GWL_STYLE), type = style & BS_TYPEMASK;
                const std::wstring text = textOf(c);
                if (!(style & WS_VISIBLE) || text.empty())
                    continue;
                const bool oneLine =
                    isStatic ? (style & SS_TYPEMASK) == SS_LEFTNOWORDWRAP : !(style & BS_MULTILINE);
                RECT room{};
                GetClientRect(c, &room);
                if (!isStatic && (type == BS_AUTORADIOBUTTON || type == BS_AUTOCHECKBOX))
                    room.right -= GetSystemMetrics(SM_CXMENUCHECK) + 4; // the box and its gap
                else if (!isStatic && type != BS_GROUPBOX)
                    room.right -= 2 * GetSystemMetrics(SM_CXEDGE); // the button's frame
                SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(c, WM_GETFONT, 0, 0)));
                RECT needed{0, 0, room.right, 0};
                DrawTextW(dc, text.c_str(), -1, &needed,
                          DT_CALCRECT | (oneLine ? DT_SINGLELINE : DT_WORDBREAK));
                EXPECT_LE(needed.right, room.right) << japanese << " " << toUtf8(text);
                EXPECT_LE(needed.bottom, room.bottom) << japanese << " " << toUtf8(text);
                ++measured;
            }
        ReleaseDC(d.hwnd, dc);
        EXPECT_GE(measured, 20) << "radio buttons, labels and buttons are all measured";

        const std::wstring folder = japanese ? L"_RESOURCE/" : L"_RESOURCE/en/";
        HMENU help = GetSubMenu(GetMenu(d.hwnd), 3);
        for (int i = 0; i < 5; ++i) {
            SCOPED_TRACE(toUtf8(pages[i]) + (japanese ? " ja" : " en"));
            g_helpCalls.clear();
            if (i == 0) {
                d.send(0, WM_HELP, 0, reinterpret_cast<LPARAM>(&f1));
            } else {
                EXPECT_EQ(GetMenuItemID(help, i - 1), static_cast<UINT>(commands[i]));
                d.command(commands[i]);
            }
            EXPECT_EQ(g_helpCalls, (std::vector<HelpCall>{
                                       {d.hwnd, L".\\tapwell.chm::/" + folder + pages[i], 0}}));
        }
    }
    helpLibraryState() = saved;
}

// While a run counts down, the menus are locked and the Start button's
// tooltip says how to stop it; a switch to dark during the run puts flat menu
// buttons, locked too, in place of the menu bar. In the text box, a key item
// and the keyboard radio's clearing can be undone; a megabyte (the edit's
// default limit is 30,000) loaded by a drop takes an insertion and typing.
TEST(InProcessDialog, ARunLocksTheMenusAndTheTextBoxUndoesAndKeepsLongTexts) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    setLightTheme(1);
    InProcessDialog d;
    HMENU bar = GetMenu(d.hwnd);
    ASSERT_NE(bar, nullptr);
    auto greyedMenus = [&] {
        int greyed = 0;
        for (UINT pos = 0; pos < 4; ++pos)
            greyed += (GetMenuState(bar, pos, MF_BYPOSITION) & MF_GRAYED) != 0;
        return greyed;
    };
    SetDlgItemTextW(d.hwnd, IDC_TEXT, L"x");
    for (const bool escStops : {true, false}) {
        EXPECT_EQ(startTooltip(d.hwnd), L"Start keyboard simulation");
        d.command(IDC_START);
        EXPECT_EQ(startTooltip(d.hwnd),
                  escStops ? L"Stop the run (Esc in any window also stops it)" : L"Stop the run");
        EXPECT_EQ(greyedMenus(), 4);
        d.command(IDC_START); // Abort
        EXPECT_EQ(greyedMenus(), 0);
        d.command(IDM_ESC_ABORT);
    }
    d.command(IDC_START);
    setLightTheme(0);
    for (const wchar_t* area : {L"ImmersiveColorSet", L"Policy"}) {
        d.send(0, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(area));
        EXPECT_EQ(GetMenu(d.hwnd), nullptr);
        for (int id = IDC_MENU_FILE; id <= IDC_MENU_HELP; ++id)
            EXPECT_TRUE(IsWindowVisible(d.item(id)) && !IsWindowEnabled(d.item(id))) << id;
    }
    d.command(IDC_START); // Abort
    for (int id = IDC_MENU_FILE; id <= IDC_MENU_HELP; ++id)
        EXPECT_TRUE(IsWindowEnabled(d.item(id))) << id;
    setLightTheme(1);

    const std::pair<int, const wchar_t*> boxes[] = {
        {IDC_TEXT, L"abcdef"}, {IDC_PREFIX, L"pre"}, {IDC_SUFFIX, L"suf"}};
    for (const auto& [id, text] : boxes)
        SetDlgItemTextW(d.hwnd, id, text);
    d.send(IDC_TEXT, EM_SETSEL, 2, 4);
    d.command(IDM_KEY_PUSH_BASE + VK_SHIFT);
    EXPECT_EQ(d.text(IDC_TEXT), L"ab[VK_SHIFT)ef");
    d.send(IDC_TEXT, EM_UNDO);
    EXPECT_EQ(d.text(IDC_TEXT), L"abcdef");
    // A second click on the selected radio must not take the undo away.
    for (int click = 0; click < 2; ++click)
        d.send(IDC_MODE_KEYBOARD, BM_CLICK);
    for (const auto& [id, text] : boxes) {
        EXPECT_EQ(d.text(id), L"") << id;
        d.send(id, WM_UNDO);
        EXPECT_EQ(d.text(id), text) << "the text comes back in its own case";
    }
    d.send(IDC_TEXT, EM_SETSEL, 0, 0); // typing then follows keyboard mode's upper case
    d.send(IDC_TEXT, WM_CHAR, L'a');
    EXPECT_EQ(d.text(IDC_TEXT), L"Aabcdef");

    auto length = [&] { return static_cast<std::size_t>(GetWindowTextLengthW(d.item(IDC_TEXT))); };
    constexpr std::size_t kMega = std::size_t{1} << 20;
    std::string big(kMega, 'B'); // lines of 99 characters and a line break
    for (std::size_t i = 99; i + 1 < kMega; i += 101)
        big.replace(i, 2, "\r\n");
    const std::wstring file = makeScratchDir(L"long-text") + L"big.txt";
    std::ofstream(file.c_str(), std::ios::binary) << big;
    dropFile(d.hwnd, file);
    ASSERT_EQ(length(), kMega);
    d.send(IDC_TEXT, EM_SETSEL, kMega, kMega);
    d.command(IDM_INSERT_PAUSE);
    EXPECT_EQ(length(), kMega + 1) << "the insertion was refused";
    d.send(IDC_TEXT, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"x"));
    EXPECT_EQ(length(), kMega + 2) << "typing was refused";
    CoUninitialize();
}
