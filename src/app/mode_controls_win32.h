// The input mode's effect on the main dialog's controls, and the running look.
#pragma once

#include <windows.h>

namespace tapwell {

// Upper-case style, mode description and the enabled state that the mode and
// wait radios call for.
void UpdateModeControls(HWND dialog);

// Idle: Start reads "St&art", menus and controls usable, mode rules applied.
// Running: Start reads "Abort", the four menus greyed, the controls disabled.
void applyRunLook(HWND dialog, HMENU menu, bool running);

} // namespace tapwell
