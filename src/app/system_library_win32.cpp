#include "app/system_library_win32.h"

#include <vector>

namespace tapwell {

const std::wstring& systemDirectory() {
    static const std::wstring dir = [] {
        std::vector<wchar_t> buf(MAX_PATH);
        for (;;) {
            UINT n = GetSystemDirectoryW(buf.data(), static_cast<UINT>(buf.size()));
            if (n == 0)
                return std::wstring();
            if (n < buf.size())
                return std::wstring(buf.data(), n);
            buf.resize(n + 1);
        }
    }();
    return dir;
}

HMODULE loadSystemLibrary(const wchar_t* fileName) {
    const std::wstring& dir = systemDirectory();
    if (dir.empty())
        return nullptr;
    std::wstring path = dir;
    if (path.back() != L'\\')
        path += L'\\';
    path += fileName;
    // The library's own dependencies are looked for beside it, in the
    // system directory, too.
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

namespace {

int versionFromRecord(DWORD platform, DWORD major, DWORD minor, DWORD build) {
    if (platform == VER_PLATFORM_WIN32_NT)
        return static_cast<int>(major * 100 + minor);
    if (build < 65536)
        return 400;
    return static_cast<int>((build >> 24) * 100 + ((build >> 16) & 0xFF));
}

} // namespace

int windowsVersionNumber() {
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (HMODULE ntdll = loadSystemLibrary(L"ntdll.dll")) {
        auto query = reinterpret_cast<RtlGetVersionFn>(
            reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")));
        bool ok = query && query(&info) == 0;
        FreeLibrary(ntdll);
        if (ok)
            return versionFromRecord(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion,
                                     info.dwBuildNumber);
    }
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExW(&info))
        return 0;
#pragma GCC diagnostic pop
    return versionFromRecord(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion,
                             info.dwBuildNumber);
}

} // namespace tapwell
