// Ctrl+L, Ctrl+S and F10 for the main dialog: a keyboard hook on the GUI
// thread that acts only while the dialog is the active window.
#pragma once

#include <windows.h>

namespace tapwell {

// What a key press means to the dialog: a command id, or 0.
int acceleratorCommand(WPARAM virtualKey, bool controlHeld);

HHOOK installAcceleratorHook(HWND dialog);
void removeAcceleratorHook(HHOOK hook);

} // namespace tapwell
