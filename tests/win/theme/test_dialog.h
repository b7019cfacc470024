// A small modeless dialog for theme tests: a static text, a check box, a
// radio button, a push button and an edit box, built from an in-memory
// template. Its procedure routes the theme messages like the main dialog.
#pragma once

#include <windows.h>

namespace tapwell::wintest {

enum TestControl { kStatic = 10, kCheck = 11, kRadio = 12, kPush = 13, kEdit = 14 };

// `themed`: route messages through HandleDialogThemeMessage.
HWND createTestDialog(bool themed);

} // namespace tapwell::wintest
