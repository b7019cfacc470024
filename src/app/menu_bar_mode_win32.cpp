#include "app/menu_bar_mode_win32.h"

#include "resource.h"

namespace tapwell {

namespace {

constexpr int kShiftedControls[4] = {IDC_MODE_PROMPT, IDC_MODE_KEYBOARD, IDC_MODE_DESCRIPTION,
                                     IDC_TEXT};

void moveTop(HWND dialog, int controlId, int top) {
    HWND control = GetDlgItem(dialog, controlId);
    if (!control)
        return;
    const LayoutRect r = childRect(dialog, control);
    SetWindowPos(control, nullptr, r.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Moves 1041, the three mode radios, 1004 and 1000 to their remembered tops
// plus `shift`.
void shiftControls(MainDialogState& d, int shift) {
    moveTop(d.hwnd, IDC_MODE_PROMPT, d.rememberedTop[0] + shift);
    for (int id : {IDC_MODE_KEYBOARD, IDC_MODE_UNICODE, IDC_MODE_SCRIPT})
        moveTop(d.hwnd, id, d.rememberedTop[1] + shift);
    moveTop(d.hwnd, IDC_MODE_DESCRIPTION, d.rememberedTop[2] + shift);
    moveTop(d.hwnd, IDC_TEXT, d.rememberedTop[3] + shift);
}

int promptTop(const MainDialogState& d) {
    HWND prompt = GetDlgItem(d.hwnd, kShiftedControls[0]);
    return prompt ? childRect(d.hwnd, prompt).top : d.rememberedTop[0];
}

} // namespace

void applyMenuBarMode(MainDialogState& d, bool dark) {
    const int menuHeight = GetSystemMetrics(SM_CYMENU);
    if (dark) {
        SetMenu(d.hwnd, nullptr);
        for (int id = IDC_MENU_FILE; id <= IDC_MENU_HELP; ++id) {
            HWND button = GetDlgItem(d.hwnd, id);
            ShowWindow(button, SW_SHOW);
            EnableWindow(button, TRUE);
        }
        if (promptTop(d) == d.rememberedTop[0])
            shiftControls(d, menuHeight);
    } else {
        SetMenu(d.hwnd, d.menu);
        for (int id = IDC_MENU_FILE; id <= IDC_MENU_HELP; ++id) {
            HWND button = GetDlgItem(d.hwnd, id);
            ShowWindow(button, SW_HIDE);
            EnableWindow(button, FALSE);
        }
        if (promptTop(d) != d.rememberedTop[0])
            shiftControls(d, 0);
    }
    d.menuButtonsShown = dark;
    if (d.layout) {
        d.layout->setTopOffset(dark ? menuHeight : 0);
        d.layout->relayout();
    }
}

void popUpMenuOfButton(MainDialogState& d, int buttonId) {
    HWND button = GetDlgItem(d.hwnd, buttonId);
    HMENU popup = GetSubMenu(d.menu, buttonId - IDC_MENU_FILE);
    if (!button || !popup)
        return;
    RECT r{};
    GetWindowRect(button, &r);
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, r.left, r.bottom, 0,
                   d.hwnd, nullptr);
}

} // namespace tapwell
