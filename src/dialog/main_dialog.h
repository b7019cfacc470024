// The main dialog, run modally by start-up (Windows only).
#pragma once

#include <windows.h>

namespace tapwell {

// Shows the main dialog of the UI language with no owner and returns when it
// has ended. Reads and updates appState(); when a text came from the command
// line (appState().autoRun()) the run starts at once and ends the dialog.
void runMainDialog(HINSTANCE instance);

// The main dialog's procedure, for tests that create the dialog in-process.

INT_PTR CALLBACK mainDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

} // namespace tapwell
