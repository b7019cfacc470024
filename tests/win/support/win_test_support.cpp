#include "win_test_support.h"

#include <cstdio>

namespace tapwell::test {

namespace {
constexpr const wchar_t* kKeyPath = L"Software\\Brelvane\\TAPWELL\\CurrentVersion";
}

MessageRecorder::MessageRecorder() {
    previous_ = setAppMessagePresenter(
        [this](HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags) {
            shown.push_back({owner, text, caption, flags});
            return IDOK;
        });
}

MessageRecorder::~MessageRecorder() {
    setAppMessagePresenter(std::move(previous_));
}

ScratchFolder::ScratchFolder(const wchar_t* tag) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    wchar_t current[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, current);
    previous_ = current;
    path_ = std::wstring(temp) + L"tpw-" + tag + L"-" + std::to_wstring(GetCurrentProcessId()) +
            L"-" + std::to_wstring(GetTickCount());
    CreateDirectoryW(path_.c_str(), nullptr);
    SetCurrentDirectoryW(path_.c_str());
}

ScratchFolder::~ScratchFolder() {
    SetCurrentDirectoryW(previous_.c_str());
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW((path_ + L"\\*").c_str(), &found);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = found.cFileName;
            if (name != L"." && name != L"..")
                DeleteFileW((path_ + L"\\" + name).c_str());
        } while (FindNextFileW(h, &found));
        FindClose(h);
    }
    RemoveDirectoryW(path_.c_str());
}

void deleteProgramKey() {
    RegDeleteTreeW(HKEY_CURRENT_USER, kKeyPath);
}

bool programKeyExists() {
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void writeRawValue(const wchar_t* name, DWORD type, const void* data, DWORD size) {
    HKEY key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

std::string readWholeFile(const std::wstring& path) {
    std::string out;
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return out;
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(f, buf, sizeof buf, &got, nullptr) && got > 0)
        out.append(buf, got);
    CloseHandle(f);
    return out;
}

} // namespace tapwell::test
