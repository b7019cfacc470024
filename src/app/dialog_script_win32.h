// The script thread as the main dialog starts it: its own copy of the text,
// a large stack, and the dialog's host callbacks (boxes owned by the dialog).
#pragma once

#include <windows.h>

#include <string>

namespace tapwell {

// False when no thread could be started.
bool startScriptThread(HWND owner, std::u16string text);

} // namespace tapwell
