// Loading a library of the system by its full path, so that a file of the
// same name beside the executable or in the current folder is never used.
#pragma once

#include <windows.h>

namespace tapwell::theme {

HMODULE loadSystemLibrary(const wchar_t* fileName);

} // namespace tapwell::theme
