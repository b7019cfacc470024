// Loading libraries by name from the system directory only, and the
// Windows version as major × 100 + minor.
#pragma once

#include <windows.h>

#include <string>

namespace tapwell {

// The system directory, looked up once.
const std::wstring& systemDirectory();

// Loads `fileName` from the system directory by its full path, so a file of
// the same name beside the executable or in the current directory is never
// used. The caller frees it.
HMODULE loadSystemLibrary(const wchar_t* fileName);

// 600 for Windows Vista, 1000 for Windows 10; from the native runtime's
// version query, else the older one.
int windowsVersionNumber();

} // namespace tapwell
