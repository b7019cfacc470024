// The main dialog's procedure: the message switch, closing, and the modal
// run that start-up calls. Initialisation and commands live next to it.

#include "dialog/main_dialog_win32.h"

#include "dialog/dialog_texts.h"
#include "dialog/help_topics.h"
#include "dialog/help_win32.h"
#include "dialog/main_dialog.h"
#include "dialog/run_host_win32.h"
#include "dialog/script_thread_win32.h"
#include "keystroke/keystroke_win32.h"
#include "keystroke/run_stop_win32.h"
#include "keystroke/run_texts.h"
#include "keystroke/simulation_run.h"
#include "quick/quick_type_win32.h"
#include "resource.h"
#include "script/script_runner.h"
#include "settings/process_state.h"
#include "settings/settings_stores_win32.h"
#include "theme/theme_win32.h"

#include <commctrl.h>

namespace tapwell {

MainDialogState& mainDialogState() {
    static MainDialogState state;
    return state;
}

namespace {

// How long closing waits for a script to release its keys and end: a
// statement that runs long (a huge text, a slow clipboard) is not waited out.
constexpr DWORD kScriptEndWaitMs = 5000;

// The session ends: the process is ended soon after, so the run stops now and
// a script is given its few seconds to let go of its keys.
void onEndSession() {
    stopRunAsAbort();
    finishScriptThread(kScriptEndWaitMs);
}

void onDestroy(HWND hwnd) {
    MainDialogState& d = mainDialogState();
    stopQuickType();
    removeAcceleratorHook(d.acceleratorHook);
    d.acceleratorHook = nullptr;
    // Whatever ends the dialog, nothing the run or its script pressed stays
    // down once the program has gone: a held Shift would turn the user's
    // next letters into capitals.
    if (d.run && d.run->running())
        d.run->abortRun();
    endRunStopWatch();
    KillTimer(hwnd, RUN_TIMER_ID);
    finishScriptThread(kScriptEndWaitMs);
    SaveSettings(hwnd);
    undoEnlargement();
    if (HWND textBox = GetDlgItem(hwnd, IDC_TEXT))
        DestroyWindow(textBox);
    if (d.textFont)
        DeleteObject(d.textFont);
    d.textFont = nullptr;
    d.layout.reset();
    // Detached first: a window destroys its attached menu by itself.
    if (GetMenu(hwnd) == d.menu)
        SetMenu(hwnd, nullptr);
    if (d.menu)
        DestroyMenu(d.menu);
    d.menu = nullptr;
    d.installedLayouts.clear();
    d.run.reset();
    d.runHost.reset();
    d.hwnd = nullptr;
}

// A timer the run needs was refused: the run stops, releasing what it holds,
// and says so; a run from the command line then ends the program as after any
// error.
void onRunTimerFailed(HWND hwnd, DWORD error) {
    MainDialogState& d = mainDialogState();
    if (!d.run || !d.run->running())
        return;
    d.run->abortRun();
    showDialogMessage(hwnd,
                      formatRunText(RunText::TimerFailed, appState().language,
                                    {decimalText(static_cast<std::int64_t>(error))}),
                      MB_OK | MB_ICONERROR);
    if (d.run->autoRun())
        EndDialog(hwnd, 0);
}

} // namespace

// A box the run has open (a pause, a script's message) closes as if OK was
// pressed; a script sees the stop request once its box has returned.
void stopRunAsAbort() {
    MainDialogState& d = mainDialogState();
    if (!d.run || !d.run->running())
        return;
    d.run->abortRun();
    closeRunMessageBoxes(GetCurrentThreadId());
    closeRunMessageBoxes(scriptThreadId());
}

INT_PTR CALLBACK mainDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_INITDIALOG && mainDialogState().hwnd == hwnd) {
        INT_PTR themed = 0;
        if (handleDialogThemeMessage(hwnd, msg, wParam, lParam, themed))
            return themed;
    }
    if (mainDialogState().hwnd == hwnd && onQuickTypeDialogMessage(msg, wParam, lParam))
        return TRUE;
    switch (msg) {
    case WM_INITDIALOG:
        return initialiseMainDialog(hwnd);
    case WM_COMMAND:
        onMainDialogCommand(hwnd, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_TIMER:
        if (mainDialogState().run)
            mainDialogState().run->onRunTimer(static_cast<std::uintptr_t>(wParam));
        return TRUE;
    case kPacingTickMessage:
        if (mainDialogState().run && mainDialogState().runHost->acceptPacingTick(wParam))
            mainDialogState().run->onRunTimer(RUN_TIMER_ID);
        return TRUE;
    case WM_SIZE:
        if (mainDialogState().layout)
            mainDialogState().layout->relayout();
        return TRUE;
    case WM_GETMINMAXINFO:
        if (mainDialogState().layout) {
            mainDialogState().layout->applyTrackingSize(*reinterpret_cast<MINMAXINFO*>(lParam));
            return TRUE;
        }
        return FALSE;
    case WM_HELP:
        OpenHelpTopic(hwnd, wide(std::u16string(kHelpTopicMain)), appState().language);
        return TRUE;
    case WM_DROPFILES:
        onMainDialogDropFiles(hwnd, reinterpret_cast<HDROP>(wParam));
        return TRUE;
    case WM_SETTINGCHANGE:
        // The flag is read again first, so that the children, the tooltips
        // and the menu bar all take the new look at once.
        if (mainDialogState().hwnd == hwnd)
            applyMenuBarMode(mainDialogState(), onThemeSettingChange(hwnd, lParam));
        return FALSE;
    case WM_DESTROY:
        onDestroy(hwnd);
        return TRUE;
    case kEscStopMessage:
        stopRunAsAbort();
        return TRUE;
    case kRunTimerFailedMessage:
        onRunTimerFailed(hwnd, static_cast<DWORD>(wParam));
        return TRUE;
    case WM_CLOSE:
        // The close box, Alt+F4 and End task. Windows turns it into the
        // Cancel command only while the Exit button is enabled, which it is
        // not during a run; so the run is stopped here, and the dialog stays.
        if (mainDialogState().run && mainDialogState().run->running()) {
            stopRunAsAbort();
            return TRUE;
        }
        return FALSE;
    case WM_QUERYENDSESSION:
        // Not handled: the default answer lets the session end.
        stopRunAsAbort();
        return FALSE;
    case WM_ENDSESSION:
        if (wParam)
            onEndSession();
        return TRUE;
    default:
        return FALSE;
    }
}

void runMainDialog(HINSTANCE instance) {
    const int templateId = dialogIsJapanese() ? IDD_MAIN_JA : IDD_MAIN_EN;
    DialogBoxParamW(instance, MAKEINTRESOURCEW(templateId), nullptr, mainDialogProc, 0);
}

// The main dialog's initialisation: fonts, icon, tooltips, radios, check
// marks, key menus, numbers, layout, menu-bar mode, hook, and the run.

namespace {

void createTextBoxFont(MainDialogState& d) {
    const Language lang = appState().language;
    const int height = textBoxFontHeight(enlargementScale(), lang);
    std::u16string face(dialogText(DialogText::TextBoxFontFace, lang));
    d.textFont = CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                             OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                             FIXED_PITCH | FF_DONTCARE, wide(face));
    SendDlgItemMessageW(d.hwnd, IDC_TEXT, WM_SETFONT, reinterpret_cast<WPARAM>(d.textFont), TRUE);
}

void setNumber(HWND dialog, int editId, int spinId, std::int32_t value, int low, int high) {
    SetDlgItemInt(dialog, editId, static_cast<UINT>(value), FALSE);
    SendDlgItemMessageW(dialog, spinId, UDM_SETRANGE32, static_cast<WPARAM>(low),
                        static_cast<LPARAM>(high));
}

template <class Mode> struct ModeRadio {
    Mode mode;
    int radio;
};
constexpr ModeRadio<InputMode> kModeRadios[] = {
    {InputMode::Keyboard, IDC_MODE_KEYBOARD},
    {InputMode::Unicode, IDC_MODE_UNICODE},
    {InputMode::Script, IDC_MODE_SCRIPT},
};
constexpr ModeRadio<WaitMode> kWaitRadios[] = {
    {WaitMode::Seconds, IDC_WAIT_AFTER_START},
    {WaitMode::TimeOfDay, IDC_WAIT_UNTIL_TIME},
};

template <class Mode, std::size_t N> int radioOf(const ModeRadio<Mode> (&radios)[N], Mode mode) {
    for (const ModeRadio<Mode>& r : radios)
        if (r.mode == mode)
            return r.radio;
    return radios[0].radio;
}

int topOf(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    return control ? childRect(dialog, control).top : 0;
}

} // namespace

namespace {

HINSTANCE instanceOf(HWND hwnd) {
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd, GWLP_HINSTANCE));
}

// Each step of the initialisation, in the order the dialog is built up.

void loadMenuAndTitle(MainDialogState& d, const AppState& app) {
    d.language = app.language;
    d.menu = LoadMenuW(instanceOf(d.hwnd),
                       MAKEINTRESOURCEW(dialogIsJapanese() ? IDR_MENU_JA : IDR_MENU_EN));
    SetWindowTextW(d.hwnd, wide(app.programTitle));
}

void setUpTextBox(MainDialogState& d, const Settings& s) {
    if (s.g_BigDialog == 1)
        enlargeDialog(d.hwnd);
    createTextBoxFont(d);
    // The edit control's default limit would cut a pasted or loaded text
    // without a word and then refuse typing; 0 lifts it to the largest.
    SendDlgItemMessageW(d.hwnd, IDC_TEXT, EM_SETLIMITTEXT, 0, 0);
    keepCaseOnUndo(d.hwnd);
}

void setProgramIcon(HWND hwnd) {
    // Shared: the same handle start-up loaded, never destroyed.
    HICON icon = static_cast<HICON>(LoadImageW(instanceOf(hwnd), MAKEINTRESOURCEW(IDI_PROGRAM),
                                               IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
}

void selectRadios(HWND hwnd, const Settings& s) {
    CheckRadioButton(hwnd, IDC_MODE_KEYBOARD, IDC_MODE_SCRIPT,
                     radioOf(kModeRadios, s.iInputMode));
    CheckRadioButton(hwnd, IDC_WAIT_AFTER_START, IDC_WAIT_UNTIL_TIME,
                     radioOf(kWaitRadios, s.iWaitMode));
}

void placeBigDialog(HWND hwnd, const Settings& s) {
    if (s.g_BigDialog != 1)
        return;
    CheckDlgButton(hwnd, IDC_BIG_DIALOG, BST_CHECKED);
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void fillMenus(MainDialogState& d, const Settings& s, Language language) {
    for (const MenuToggle& toggle : kMenuToggles)
        if (toggle.commandId != IDM_ALWAYS_TOP)
            checkMenu(d.menu, toggle.commandId, s.*toggle.flag != 0);
    if (s.iTopMost == 1) {
        checkMenu(d.menu, IDM_ALWAYS_TOP, true);
        placeTopMost(d.hwnd, true);
    }
    d.installedLayouts = fillLayoutSubmenu(d.menu);
    checkDeliveryItems(d.menu, s, d.installedLayouts);
    checkInputStateItems(d.menu, s);
    fillKeySubmenus(d.menu, language);
}

// The numeric edits, their up-downs and ranges.
struct NumberField {
    int editId;
    int spinId;
    std::int32_t Settings::*value;
    int low;
    int high;
};
constexpr NumberField kNumberFields[] = {
    {IDC_WAIT_SEC, IDC_WAIT_SEC_SPIN, &Settings::iWaitSec, 0, 2147483647},
    {IDC_TIME_HOUR, IDC_TIME_HOUR_SPIN, &Settings::iTimeHour, 0, 23},
    {IDC_TIME_MIN, IDC_TIME_MIN_SPIN, &Settings::iTimeMin, 0, 59},
    {IDC_TIME_SEC, IDC_TIME_SEC_SPIN, &Settings::iTimeSec, 0, 59},
    {IDC_INTERVAL, IDC_INTERVAL_SPIN, &Settings::iWaitMSec, 0, 65535},
    {IDC_LOOP, IDC_LOOP_SPIN, &Settings::iLoopNum, 0, 65535},
};

void fillNumbers(HWND hwnd, const Settings& s) {
    for (const NumberField& f : kNumberFields)
        setNumber(hwnd, f.editId, f.spinId, s.*f.value, f.low, f.high);
}

void showThemed(HWND hwnd) {
    ShowWindow(hwnd, SW_SHOW);
    SetForegroundWindow(hwnd);
    SendMessageW(hwnd, WM_THEMECHANGED, 0, 0);
    subclassForDisabledPainting(hwnd);
}

void createLayout(MainDialogState& d) {
    d.layout = std::make_unique<DialogAnchorLayout>(d.hwnd, mainDialogAnchors());
    RECT w{};
    GetWindowRect(d.hwnd, &w);
    d.layout->setMinimumTrackingSize(static_cast<std::uint32_t>(w.right - w.left),
                                     static_cast<std::uint32_t>(w.bottom - w.top));
    d.rememberedTop[0] = topOf(d.hwnd, IDC_MODE_PROMPT);
    d.rememberedTop[1] = topOf(d.hwnd, IDC_MODE_KEYBOARD);
    d.rememberedTop[2] = topOf(d.hwnd, IDC_MODE_DESCRIPTION);
    d.rememberedTop[3] = topOf(d.hwnd, IDC_TEXT);
}

void createRun(MainDialogState& d, const AppState& app) {
    d.runHost = std::make_unique<DialogRunHost>(d.hwnd, d.menu);
    d.run = std::make_unique<SimulationRun>(*d.runHost, systemKeyEventSink(), scriptRunning,
                                            scriptStopRequested);
    d.run->setAutoRun(app.autoRun());
    // Installed layouts besides the built-in tables.
    d.run->setKeyboardLayoutResolver(systemKeyboardLayout);
    d.run->setInputDestination(&systemInputDestination());
    d.run->setDestinationInputState(&systemDestinationInputState());
}

void startCommandLineRun(HWND hwnd, const AppState& app) {
    if (!app.autoRun())
        return;
    SetDlgItemTextW(hwnd, IDC_TEXT, wide(app.InputText));
    SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDC_START, BN_CLICKED), 0);
}

} // namespace

BOOL initialiseMainDialog(HWND hwnd) {
    MainDialogState& d = mainDialogState();
    const AppState& app = appState();
    const Settings& s = app.settings;
    d.hwnd = hwnd;
    loadMenuAndTitle(d, app);
    setUpTextBox(d, s);
    setProgramIcon(hwnd);
    d.tooltip = createDialogTooltips(hwnd, app.language);
    selectRadios(hwnd, s);
    placeBigDialog(hwnd, s);
    fillMenus(d, s, app.language);
    fillNumbers(hwnd, s);
    UpdateModeControls(hwnd);
    showThemed(hwnd);
    createLayout(d);
    applyMenuBarMode(d, isDarkMode());
    d.acceleratorHook = installAcceleratorHook(hwnd);
    createRun(d, app);
    startQuickType({hwnd, d.run.get(), &appState().settings, d.menu, app.language,
                    app.programTitle});
    startCommandLineRun(hwnd, app);
    return TRUE;
}

// What the dialog's pieces share: language, file-command settings, menus.

namespace {

int messageBoxAdapter(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags) {
    return showAppMessage(owner, reinterpret_cast<const char16_t*>(text),
                          reinterpret_cast<const char16_t*>(caption), flags);
}

} // namespace

bool dialogIsJapanese() {
    return appState().language == Language::Japanese;
}

FileCommandUi fileCommandUi() {
    FileCommandUi ui;
    ui.language = appState().language;
    ui.programTitle = reinterpret_cast<const wchar_t*>(appState().programTitle.c_str());
    ui.messageBox = messageBoxAdapter;
    return ui;
}

void checkMenu(HMENU menu, int id, bool on) {
    CheckMenuItem(menu, static_cast<UINT>(id), MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

void placeTopMost(HWND hwnd, bool on) {
    SetWindowPos(hwnd, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

} // namespace tapwell
