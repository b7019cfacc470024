
#include "dialog/dialog_rules.h"
#include "dialog/dialog_texts.h"
#include "dialog/main_dialog_win32.h"
#include "keystroke/run_texts.h"
#include "resource.h"
#include "settings/process_state.h"
#include "theme/theme_win32.h"

#include <commctrl.h>
#include <string>

namespace tapwell {

std::u16string controlText16(HWND dialog, int controlId) {
    HWND control = GetDlgItem(dialog, controlId);
    return control ? windowText(control) : std::u16string();
}

void setControlText16(HWND dialog, int controlId, std::u16string_view text) {
    std::u16string copy(text);
    SetDlgItemTextW(dialog, controlId, wide(copy));
}

void enableControl(HWND dialog, int controlId, bool enabled) {
    if (HWND control = GetDlgItem(dialog, controlId))
        EnableWindow(control, enabled ? TRUE : FALSE);
}

int showDialogMessage(HWND owner, std::u16string_view text, UINT flags) {
    return showAppMessage(owner, text, appState().programTitle, flags);
}

namespace {

void setUpperCase(HWND edit, bool on) {
    if (!edit)
        return;
    LONG_PTR style = GetWindowLongPtrW(edit, GWL_STYLE);
    const LONG_PTR wanted = on ? (style | ES_UPPERCASE) : (style & ~LONG_PTR(ES_UPPERCASE));
    if (wanted != style)
        SetWindowLongPtrW(edit, GWL_STYLE, wanted);
}

} // namespace

namespace {

constexpr UINT_PTR kUndoKeepsCaseId = 0x54505755; // arbitrary, unique to this subclass

// Undo puts the removed text back as an insertion, which the upper-case style
// would fold; the text must come back as it was.
LRESULT CALLBACK undoKeepsCaseProc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                   DWORD_PTR) {
    const bool undo = msg == WM_UNDO || msg == EM_UNDO || (msg == WM_CHAR && wParam == 0x1A);
    const LONG_PTR style = GetWindowLongPtrW(edit, GWL_STYLE);
    if (undo && (style & ES_UPPERCASE)) {
        SetWindowLongPtrW(edit, GWL_STYLE, style & ~LONG_PTR(ES_UPPERCASE));
        const LRESULT r = DefSubclassProc(edit, msg, wParam, lParam);
        SetWindowLongPtrW(edit, GWL_STYLE, style);
        return r;
    }
    if (msg == WM_NCDESTROY)
        RemoveWindowSubclass(edit, undoKeepsCaseProc, id);
    return DefSubclassProc(edit, msg, wParam, lParam);
}

} // namespace

void keepCaseOnUndo(HWND dialog) {
    for (int id : upperCaseEdits())
        if (HWND edit = GetDlgItem(dialog, id))
            SetWindowSubclass(edit, undoKeepsCaseProc, kUndoKeepsCaseId, 0);
}

void UpdateModeControls(HWND dialog) {
    const InputMode mode = modeFromRadios(IsDlgButtonChecked(dialog, IDC_MODE_KEYBOARD) != 0,
                                          IsDlgButtonChecked(dialog, IDC_MODE_UNICODE) != 0);
    const bool waitAfterStart = IsDlgButtonChecked(dialog, IDC_WAIT_AFTER_START) != 0;
    const ModeControls rules = modeControls(mode, waitAfterStart);
    for (int id : upperCaseEdits())
        setUpperCase(GetDlgItem(dialog, id), rules.upperCase);
    setControlText16(dialog, IDC_MODE_DESCRIPTION,
                     dialogText(rules.description, appState().language));
    for (const ControlEnable& c : rules.controls)
        enableControl(dialog, c.controlId, c.enabled);
}

void updateStartTooltip(HWND dialog, HWND tooltip, bool running) {
    HWND start = GetDlgItem(dialog, IDC_START);
    if (!tooltip || !start)
        return;
    std::u16string text(
        startButtonTooltip(appState().language, running, appState().settings.iEscAbort != 0));
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = dialog;
    info.uId = reinterpret_cast<UINT_PTR>(start);
    info.lpszText = reinterpret_cast<wchar_t*>(text.data());
    SendMessageW(tooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

void applyRunLook(HWND dialog, HMENU menu, bool running) {
    const Language lang = appState().language;
    setControlText16(dialog, IDC_START,
                     runText(running ? RunText::AbortButton : RunText::StartButton, lang));
    if (mainDialogState().hwnd == dialog)
        updateStartTooltip(dialog, mainDialogState().tooltip, running);
    if (menu) {
        for (UINT pos = 0; pos < 4; ++pos)
            EnableMenuItem(menu, pos, MF_BYPOSITION | (running ? MF_GRAYED : MF_ENABLED));
        DrawMenuBar(dialog);
    }
    for (int id : runLockedControls()) {
        // The menu buttons stay disabled while the real menu bar is shown.
        const bool menuButton = id >= IDC_MENU_FILE && id <= IDC_MENU_HELP;
        if (!running && menuButton && !IsWindowVisible(GetDlgItem(dialog, id)))
            continue;
        enableControl(dialog, id, !running);
    }
    if (!running)
        UpdateModeControls(dialog);
}

HWND createDialogTooltips(HWND dialog, Language language) {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE));
    return createTooltips(dialog, instance, tooltipTable(language), TTS_NOPREFIX);
}

} // namespace tapwell
