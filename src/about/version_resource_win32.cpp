#include "about/version_resource_win32.h"

#include <windows.h>

#include <vector>

namespace tapwell::about {

namespace {

std::u16string queryString(std::vector<BYTE>& data, const wchar_t* name) {
    std::wstring path = L"\\StringFileInfo\\041104b0\\";
    path += name;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), path.c_str(), &value, &length) || !value || length == 0)
        return {};
    // The length counts the terminator when there is one.
    std::u16string text(static_cast<const char16_t*>(value), length);
    while (!text.empty() && text.back() == u'\0')
        text.pop_back();
    return text;
}

} // namespace

VersionStrings readExecutableVersionStrings() {
    VersionStrings strings;
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return strings;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    if (size == 0)
        return strings;
    std::vector<BYTE> data(size);
    if (!GetFileVersionInfoW(path, 0, size, data.data()))
        return strings;
    strings.fileVersion = queryString(data, L"FileVersion");
    strings.specialBuild = queryString(data, L"SpecialBuild");
    strings.legalCopyright = queryString(data, L"LegalCopyright");
    strings.privateBuild = queryString(data, L"PrivateBuild");
    return strings;
}

} // namespace tapwell::about
