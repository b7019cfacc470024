// The main dialog's procedure, for tests that create the dialog in-process.
#pragma once

#include <windows.h>

namespace tapwell {

INT_PTR CALLBACK MainDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

} // namespace tapwell
