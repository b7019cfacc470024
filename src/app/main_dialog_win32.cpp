// The main dialog's procedure: the message switch, closing, and the modal
// run that start-up calls. Initialisation and commands live next to it.
#include "app/main_dialog.h"
#include "app/main_dialog_proc_win32.h"

#include "app/dialog_accelerator_win32.h"
#include "app/dialog_controls_win32.h"
#include "app/dialog_layout_win32.h"
#include "app/help_topics.h"
#include "app/help_win32.h"
#include "app/main_dialog_parts_win32.h"
#include "app/main_dialog_state_win32.h"
#include "app/menu_bar_mode_win32.h"
#include "app/run_host_win32.h"
#include "app/settings_stores_win32.h"
#include "keystroke/simulation_run.h"
#include "resource.h"
#include "script/script_thread.h"
#include "theme/theme_win32.h"

namespace tapwell {

MainDialogState& mainDialogState() {
    static MainDialogState state;
    return state;
}

HWND mainWindow() {
    return mainDialogState().hwnd;
}

namespace {

void onDestroy(HWND hwnd) {
    MainDialogState& d = mainDialogState();
    removeAcceleratorHook(d.acceleratorHook);
    d.acceleratorHook = nullptr;
    KillTimer(hwnd, RUN_TIMER_ID);
    if (scriptRunning.load())
        scriptStopRequested.store(true);
    SaveSettings(hwnd);
    UndoEnlargement();
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
    d.run.reset();
    d.runHost.reset();
    d.hwnd = nullptr;
}

} // namespace

INT_PTR CALLBACK MainDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_INITDIALOG && mainDialogState().hwnd == hwnd) {
        INT_PTR themed = 0;
        if (HandleDialogThemeMessage(hwnd, msg, wParam, lParam, themed))
            return themed;
    }
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
        OpenHelpTopic(hwnd, wide(std::u16string(kHelpTopicMain)));
        return TRUE;
    case WM_DROPFILES:
        onMainDialogDropFiles(hwnd, reinterpret_cast<HDROP>(wParam));
        return TRUE;
    case WM_SETTINGCHANGE:
        if (mainDialogState().hwnd == hwnd) {
            applyMenuBarMode(mainDialogState(), IsDarkMode());
            OnThemeSettingChange(hwnd, lParam);
            applyMenuBarMode(mainDialogState(), IsDarkMode());
        }
        return FALSE;
    case WM_DESTROY:
        onDestroy(hwnd);
        return TRUE;
    default:
        return FALSE;
    }
}

void RunMainDialog(HINSTANCE instance) {
    const int templateId = dialogIsJapanese() ? IDD_MAIN_JA : IDD_MAIN_EN;
    DialogBoxParamW(instance, MAKEINTRESOURCEW(templateId), nullptr, MainDialogProc, 0);
}

} // namespace tapwell
