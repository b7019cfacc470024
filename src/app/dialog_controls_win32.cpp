#include "app/dialog_controls_win32.h"

#include "app/app_state.h"
#include "app/message_box_win32.h"

namespace tapwell {

std::u16string windowText16(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::u16string text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, u'\0');
    const int got = GetWindowTextW(window, reinterpret_cast<wchar_t*>(text.data()),
                                   static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return text;
}

std::u16string controlText16(HWND dialog, int controlId) {
    HWND control = GetDlgItem(dialog, controlId);
    return control ? windowText16(control) : std::u16string();
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
    return ShowAppMessage(owner, text, appState().programTitle, flags);
}

} // namespace tapwell
