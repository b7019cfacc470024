// The main dialog's procedure: the message switch, closing, and the modal
// run that start-up calls. Initialisation and commands live next to it.

#include "dialog/main_dialog_win32.h"

#include "app/app_state.h"
#include "dialog/dialog_texts.h"
#include "dialog/help_topics.h"
#include "dialog/help_win32.h"
#include "dialog/main_dialog.h"
#include "dialog/run_host_win32.h"
#include "dialog/run_stop_win32.h"
#include "keystroke/keystroke_win32.h"
#include "keystroke/simulation_run.h"
#include "quick/quick_type_win32.h"
#include "resource.h"
#include "script/script_runner.h"
#include "settings/settings_stores_win32.h"
#include "theme/theme_win32.h"

#include <commctrl.h>

namespace tapwell {

MainDialogState& mainDialogState() {
    static MainDialogState state;
    return state;
}

namespace {

// The user's Esc in any window: the run stops as with Abort, and a box it has
// open (a pause, a script's message) closes as if OK was pressed; a script
// sees the stop request once its box has returned.
void onEscStop() {
    MainDialogState& d = mainDialogState();
    if (!d.run || !d.run->running())
        return;
    d.run->abortRun();
    closeRunMessageBoxes(GetCurrentThreadId());
    closeRunMessageBoxes(scriptThreadId());
}

void onDestroy(HWND hwnd) {
    MainDialogState& d = mainDialogState();
    stopQuickType();
    removeAcceleratorHook(d.acceleratorHook);
    d.acceleratorHook = nullptr;
    endRunStopWatch();
    KillTimer(hwnd, RUN_TIMER_ID);
    if (scriptRunning.load())
        scriptStopRequested.store(true);
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

} // namespace

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
        onEscStop();
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

int topOf(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    return control ? childRect(dialog, control).top : 0;
}

} // namespace

BOOL initialiseMainDialog(HWND hwnd) {
    MainDialogState& d = mainDialogState();
    AppState& app = appState();
    Settings& s = app.settings;
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd, GWLP_HINSTANCE));

    d.hwnd = hwnd;
    d.language = app.language;
    d.menu = LoadMenuW(instance, MAKEINTRESOURCEW(dialogIsJapanese() ? IDR_MENU_JA : IDR_MENU_EN));
    SetWindowTextW(hwnd, wide(app.programTitle));

    if (s.g_BigDialog == 1)
        enlargeDialog(hwnd);
    createTextBoxFont(d);
    // The edit control's default limit would cut a pasted or loaded text
    // without a word and then refuse typing; 0 lifts it to the largest.
    SendDlgItemMessageW(hwnd, IDC_TEXT, EM_SETLIMITTEXT, 0, 0);
    keepCaseOnUndo(hwnd);

    // Shared: the same handle start-up loaded, never destroyed.
    HICON icon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON,
                                               0, 0, LR_DEFAULTSIZE | LR_SHARED));
    SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));

    d.tooltip = createDialogTooltips(hwnd, app.language);

    const int modeRadio = s.iInputMode == 0   ? IDC_MODE_KEYBOARD
                          : s.iInputMode == 1 ? IDC_MODE_UNICODE
                                              : IDC_MODE_SCRIPT;
    CheckRadioButton(hwnd, IDC_MODE_KEYBOARD, IDC_MODE_SCRIPT, modeRadio);
    CheckRadioButton(hwnd, IDC_WAIT_AFTER_START, IDC_WAIT_UNTIL_TIME,
                     s.iWaitMode == 0 ? IDC_WAIT_AFTER_START : IDC_WAIT_UNTIL_TIME);

    if (s.g_BigDialog == 1) {
        CheckDlgButton(hwnd, IDC_BIG_DIALOG, BST_CHECKED);
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    for (const MenuToggle& toggle : kMenuToggles)
        if (toggle.commandId != IDM_ALWAYS_TOP)
            checkMenu(d.menu, toggle.commandId, s.*toggle.flag != 0);
    if (s.iTopMost == 1) {
        checkMenu(d.menu, IDM_ALWAYS_TOP, true);
        placeTopMost(hwnd, true);
    }

    d.installedLayouts = fillLayoutSubmenu(d.menu);
    checkDeliveryItems(d.menu, s, d.installedLayouts);

    fillKeySubmenus(d.menu, app.language);

    setNumber(hwnd, IDC_WAIT_SEC, IDC_WAIT_SEC_SPIN, s.iWaitSec, 0, 2147483647);
    setNumber(hwnd, IDC_TIME_HOUR, IDC_TIME_HOUR_SPIN, s.iTimeHour, 0, 23);
    setNumber(hwnd, IDC_TIME_MIN, IDC_TIME_MIN_SPIN, s.iTimeMin, 0, 59);
    setNumber(hwnd, IDC_TIME_SEC, IDC_TIME_SEC_SPIN, s.iTimeSec, 0, 59);
    setNumber(hwnd, IDC_INTERVAL, IDC_INTERVAL_SPIN, s.iWaitMSec, 0, 65535);
    setNumber(hwnd, IDC_LOOP, IDC_LOOP_SPIN, s.iLoopNum, 0, 65535);

    UpdateModeControls(hwnd);

    ShowWindow(hwnd, SW_SHOW);
    SetForegroundWindow(hwnd);
    SendMessageW(hwnd, WM_THEMECHANGED, 0, 0);
    subclassForDisabledPainting(hwnd);

    d.layout = std::make_unique<DialogAnchorLayout>(hwnd, mainDialogAnchors());
    RECT w{};
    GetWindowRect(hwnd, &w);
    d.layout->setMinimumTrackingSize(static_cast<std::uint32_t>(w.right - w.left),
                                     static_cast<std::uint32_t>(w.bottom - w.top));

    d.rememberedTop[0] = topOf(hwnd, IDC_MODE_PROMPT);
    d.rememberedTop[1] = topOf(hwnd, IDC_MODE_KEYBOARD);
    d.rememberedTop[2] = topOf(hwnd, IDC_MODE_DESCRIPTION);
    d.rememberedTop[3] = topOf(hwnd, IDC_TEXT);

    applyMenuBarMode(d, isDarkMode());

    d.acceleratorHook = installAcceleratorHook(hwnd);

    d.runHost = std::make_unique<DialogRunHost>(hwnd, d.menu);
    d.run = std::make_unique<SimulationRun>(*d.runHost, systemKeyEventSink(), scriptRunning,
                                            scriptStopRequested);
    d.run->setAutoRun(app.autoRun());
    // Installed layouts besides the built-in tables.
    d.run->setKeyboardLayoutResolver(systemKeyboardLayout);
    d.run->setInputDestination(&systemInputDestination());

    startQuickType({hwnd, d.run.get(), &s, d.menu, app.language, app.programTitle});

    if (app.autoRun()) {
        SetDlgItemTextW(hwnd, IDC_TEXT, wide(app.InputText));
        SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDC_START, BN_CLICKED), 0);
    }
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
