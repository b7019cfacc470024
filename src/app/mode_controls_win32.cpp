#include "app/mode_controls_win32.h"

#include "app/app_state.h"
#include "app/dialog_controls_win32.h"
#include "app/mode_rules.h"
#include "keystroke/run_texts.h"
#include "resource.h"

namespace tapwell {

namespace {

void setUpperCase(HWND edit, bool on) {
    if (!edit)
        return;
    LONG_PTR style = GetWindowLongPtrW(edit, GWL_STYLE);
    const LONG_PTR wanted = on ? (style | ES_UPPERCASE) : (style & ~LONG_PTR(ES_UPPERCASE));
    if (wanted != style)
        SetWindowLongPtrW(edit, GWL_STYLE, wanted);
}

RunLanguage runLanguage() {
    return appState().language == UiLanguage::English ? RunLanguage::English
                                                      : RunLanguage::Japanese;
}

} // namespace

void UpdateModeControls(HWND dialog) {
    const std::uint8_t mode = modeFromRadios(IsDlgButtonChecked(dialog, IDC_MODE_KEYBOARD) != 0,
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

void applyRunLook(HWND dialog, HMENU menu, bool running) {
    const RunLanguage lang = runLanguage();
    setControlText16(dialog, IDC_START,
                     runText(running ? RunText::AbortButton : RunText::StartButton, lang));
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

} // namespace tapwell
