#include "theme/system_dll_win32.h"

#include <string>

namespace tapwell::theme {

HMODULE loadSystemLibrary(const wchar_t* fileName) {
    wchar_t dir[MAX_PATH];
    const UINT n = GetSystemDirectoryW(dir, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return nullptr;
    std::wstring path(dir, n);
    if (path.back() != L'\\')
        path += L'\\';
    path += fileName;
    // The altered search path makes the library's own imports resolve from
    // the system directory too.
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

} // namespace tapwell::theme
