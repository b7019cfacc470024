// The program's start-up on Windows: language, current directory, the
// one-shot command lines, the switches, the settings, then the main dialog.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tapwell {

// Handles every part of the program loads resources from.
struct Win32AppHandles {
    HINSTANCE instance = nullptr;
    HICON programIcon = nullptr; // resource 130, shared: never destroyed
};
Win32AppHandles& win32AppHandles();

// The whole run of the program; returns the process exit code (0, or 1 after
// a start-up error that was shown to the user).
int RunApplication(HINSTANCE instance, const wchar_t* commandLine,
                   const std::vector<std::u16string>& arguments);

// The text of a file named on the command line (any encoding, as the File
// menu reads it), or nullopt when it cannot be read. Needs COM.
std::optional<std::u16string> readCommandLineFile(std::u16string_view path);

// The running executable's full path, however long.
std::wstring modulePath();

} // namespace tapwell
