#include "common/windows_glue_win32.h"

#include <commctrl.h>

#include <vector>

namespace tapwell {

std::u16string windowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::u16string text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, u'\0');
    const int got = GetWindowTextW(window, reinterpret_cast<wchar_t*>(text.data()),
                                   static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return text;
}

std::optional<std::u16string> environmentVariable(std::u16string_view name) {
    const std::u16string key(name);
    // A set variable needs at least its terminator, even when empty.
    DWORD needed = GetEnvironmentVariableW(wide(key), nullptr, 0);
    if (needed == 0)
        return std::nullopt;
    std::u16string value;
    for (;;) {
        value.assign(needed, u'\0');
        const DWORD n =
            GetEnvironmentVariableW(wide(key), reinterpret_cast<wchar_t*>(value.data()), needed);
        if (n < needed) {
            value.resize(n);
            return value;
        }
        // It grew meanwhile: n is the size it needs now.
        needed = n;
    }
}

std::wstring modulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0)
            return std::wstring();
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

HWND createTooltips(HWND owner, HINSTANCE instance, std::span<const TooltipEntry> entries,
                    DWORD extraStyle) {
    HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | extraStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, instance, nullptr);
    if (!tip)
        return nullptr;
    SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, 400);
    for (const TooltipEntry& entry : entries) {
        HWND control = GetDlgItem(owner, entry.controlId);
        if (!control)
            continue;
        std::wstring text = toWide(entry.text);
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = owner;
        tool.uId = reinterpret_cast<UINT_PTR>(control);
        tool.lpszText = text.data(); // copied by the tooltip
        SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    return tip;
}

INT_PTR dialogMessageResult(HWND dialog, LRESULT value) {
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, value);
    return TRUE;
}

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
