// Small helpers for reading and changing the main dialog's controls.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tapwell {

std::u16string windowText16(HWND window);
std::u16string controlText16(HWND dialog, int controlId);
void setControlText16(HWND dialog, int controlId, std::u16string_view text);
inline const wchar_t* wide(const std::u16string& s) {
    return reinterpret_cast<const wchar_t*>(s.c_str());
}
void enableControl(HWND dialog, int controlId, bool enabled);
// The program's message box with the program title as caption.
int showDialogMessage(HWND owner, std::u16string_view text, UINT flags);

} // namespace tapwell
