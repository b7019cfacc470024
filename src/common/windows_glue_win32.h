// The Win32 glue every Windows-side file shares: the program's UTF-16 text as
// the platform's wide strings, the small queries written once (a window's
// text, an environment variable, the executable's path), tooltips from a
// table, libraries loaded from the system directory only, and the Windows
// version.
#pragma once

#include "common/leaf_helpers.h"

#include <windows.h>

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tapwell {

// char16_t and wchar_t are both UTF-16 units on Windows, so a string's own
// buffer serves as a wide string without a copy.
inline const wchar_t* wide(const std::u16string& s) {
    return reinterpret_cast<const wchar_t*>(s.c_str());
}

// A terminated wide copy, for views that may not end in a zero.
inline std::wstring toWide(std::u16string_view s) {
    return std::wstring(s.begin(), s.end());
}

inline std::u16string fromWide(std::wstring_view s) {
    return std::u16string(s.begin(), s.end());
}

// A null pointer reads as an empty text.
inline std::u16string fromWide(const wchar_t* s) {
    return s ? fromWide(std::wstring_view(s)) : std::u16string();
}

// The whole text of a window or control, however long.
std::u16string windowText(HWND window);

// A variable of the process's environment; nullopt when it is not set.
std::optional<std::u16string> environmentVariable(std::u16string_view name);

// The running executable's full path, however long; empty when unknown.
std::wstring modulePath();

// One tooltip window for `owner`'s controls, always shown, with a tool for
// each control of `entries` that exists (identified by its window and
// subclassed, so the tooltip sees the mouse by itself). `extraStyle` adds
// TTS_ flags. Null when the window cannot be made.
HWND createTooltips(HWND owner, HINSTANCE instance, std::span<const TooltipEntry> entries,
                    DWORD extraStyle = 0);

// What a dialog procedure returns for a message whose result goes through
// DWLP_MSGRESULT: sets `value` there and answers TRUE.
INT_PTR dialogMessageResult(HWND dialog, LRESULT value);

// Loads a library by its full path; its own imports are looked for beside
// it, never in the program's folder or the current one.
HMODULE loadLibraryByFullPath(const wchar_t* path);

// The system directory, looked up once.
const std::wstring& systemDirectory();

// Loads `fileName` from the system directory by its full path, so a file of
// the same name beside the executable or in the current directory is never
// used; the library's own imports resolve from there too. The caller frees it.
HMODULE loadSystemLibrary(const wchar_t* fileName);

// The real version record: the native runtime's query first, which the
// compatibility manifest does not bend, else the older one.
bool queryWindowsVersion(OSVERSIONINFOEXW& out);

// 600 for Windows Vista, 1000 for Windows 10; from the native runtime's
// version query, else the older one.
int windowsVersionNumber();

} // namespace tapwell
