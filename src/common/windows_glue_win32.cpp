#include "common/windows_glue_win32.h"

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

HMODULE loadLibraryByFullPath(const wchar_t* path) {
    return LoadLibraryExW(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

HMODULE loadSystemLibrary(const wchar_t* fileName) {
    const std::wstring& dir = systemDirectory();
    if (dir.empty())
        return nullptr;
    std::wstring path = dir;
    if (path.back() != L'\\')
        path += L'\\';
    path += fileName;
    return loadLibraryByFullPath(path.c_str());
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

bool queryWindowsVersion(OSVERSIONINFOEXW& out) {
    out = {};
    out.dwOSVersionInfoSize = sizeof out;
    // ntdll is in every process: no search for a file is involved.
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOEXW*);
    if (HMODULE ntdll = GetModuleHandleW(L"ntdll.dll")) {
        auto query = reinterpret_cast<RtlGetVersionFn>(
            reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")));
        if (query && query(&out) == 0)
            return true;
    }
    out = {};
    out.dwOSVersionInfoSize = sizeof out;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    return GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&out)) != 0;
#pragma GCC diagnostic pop
}

int windowsVersionNumber() {
    OSVERSIONINFOEXW info;
    if (!queryWindowsVersion(info))
        return 0;
    return versionFromRecord(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion,
                             info.dwBuildNumber);
}

} // namespace tapwell
