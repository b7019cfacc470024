#include "app/regw_win32.h"

#include "app/app_texts.h"
#include "app/message_box_win32.h"
#include "app/registry_value.h"
#include "app/store_locations.h"

#include <atomic>
#include <string>

namespace tapwell {

namespace {

std::atomic<bool> g_regwJapanese{true};

void warn(AppText text) {
    UiLanguage lang = REGW::japanese() ? UiLanguage::Japanese : UiLanguage::English;
    ShowAppMessage(nullptr, appText(text, lang), appText(AppText::RegwCaption, lang),
                   MB_OK | MB_ICONEXCLAMATION);
}

std::wstring wide(std::u16string_view s) {
    return std::wstring(s.begin(), s.end());
}

} // namespace

void REGW::setJapanese(bool japanese) {
    g_regwJapanese = japanese;
}
bool REGW::japanese() {
    return g_regwJapanese;
}

REGW::~REGW() {
    if (key_) {
        RegCloseKey(key_);
        key_ = nullptr;
        warn(AppText::RegwClosedByDestructor);
    }
}

bool REGW::OpenKey(int mode) {
    if (key_) {
        RegCloseKey(key_);
        key_ = nullptr;
        warn(AppText::RegwOpenKeyTwice);
    }
    const std::wstring path = wide(kRegistryKeyPath);
    REGSAM access = (mode & kReadOnly) ? KEY_READ : KEY_ALL_ACCESS;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, access, &key) != ERROR_SUCCESS) {
        key = nullptr;
        if ((mode & kCreate) &&
            RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
            key = nullptr;
    }
    key_ = key;
    return key_ != nullptr;
}

std::int32_t REGW::ReadIntegerW(std::u16string_view name, std::int32_t defaultValue) {
    if (!key_) {
        warn(AppText::RegwReadUnopened);
        return defaultValue;
    }
    const std::wstring n = wide(name);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key_, n.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        size > kLargestRegistryValue)
        return defaultValue;
    // Zero-filled and longer than the value, so a text without its own
    // terminator still ends.
    std::string buffer(static_cast<std::size_t>(size) + 2, '\0');
    DWORD got = size;
    if (RegQueryValueExW(key_, n.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                         &got) != ERROR_SUCCESS)
        return defaultValue;
    return decodeRegistryInteger(type, std::string_view(buffer.data(), got), defaultValue);
}

bool REGW::WriteIntegerW(std::u16string_view name, std::int32_t value) {
    if (!key_) {
        warn(AppText::RegwWriteUnopened);
        return false;
    }
    const std::wstring n = wide(name);
    DWORD data = static_cast<DWORD>(value);
    return RegSetValueExW(key_, n.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                          sizeof data) == ERROR_SUCCESS;
}

bool REGW::CloseKey() {
    if (!key_) {
        warn(AppText::RegwCloseUnopened);
        return false;
    }
    LSTATUS status = RegCloseKey(key_);
    key_ = nullptr;
    return status == ERROR_SUCCESS;
}

} // namespace tapwell
