
#include "settings/settings_stores_win32.h"

#include "common/windows_glue_win32.h"
#include "settings/process_state.h"
#include "settings/settings.h"
#include "settings/settings_store.h"
#include "theme/theme_win32.h"

#include <atomic>
#include <string>

namespace tapwell {

namespace {

std::wstring iniFile() {
    const std::u16string& path = appState().iniFilePath;
    return toWide(path.empty() ? kIniFilePath : std::u16string_view(path));
}

} // namespace

std::int32_t RegistrySettingsStore::readInteger(std::u16string_view name, std::int32_t fallback) {
    std::int32_t value = fallback;
    REGW reg;
    if (reg.OpenKey(REGW::kReadOnly)) {
        value = reg.ReadIntegerW(name, fallback);
        reg.CloseKey();
    }
    return value;
}

StoreWriteResult RegistrySettingsStore::writeInteger(std::u16string_view name, std::int32_t value) {
    REGW reg;
    if (!reg.OpenKey(REGW::kCreate))
        return StoreWriteResult::OpenFailed;
    bool written = reg.WriteIntegerW(name, value);
    reg.CloseKey();
    return written ? StoreWriteResult::Ok : StoreWriteResult::WriteFailed;
}

std::int32_t IniSettingsStore::readInteger(std::u16string_view name, std::int32_t fallback) {
    const std::wstring section = toWide(kIniSection), key = toWide(name), file = iniFile();
    return static_cast<std::int32_t>(
        GetPrivateProfileIntW(section.c_str(), key.c_str(), fallback, file.c_str()));
}

StoreWriteResult IniSettingsStore::writeInteger(std::u16string_view name, std::int32_t value) {
    const std::wstring section = toWide(kIniSection), key = toWide(name), file = iniFile();
    const std::wstring text = std::to_wstring(static_cast<std::uint32_t>(value));
    return WritePrivateProfileStringW(section.c_str(), key.c_str(), text.c_str(), file.c_str())
               ? StoreWriteResult::Ok
               : StoreWriteResult::WriteFailed;
}

bool DialogSettingsControls::isChecked(int controlId) const {
    return IsDlgButtonChecked(dialog_, controlId) == BST_CHECKED;
}

std::uint32_t DialogSettingsControls::readNumber(int controlId) const {
    BOOL translated = FALSE;
    return GetDlgItemInt(dialog_, controlId, &translated, FALSE);
}

void DialogSettingsControls::writeNumber(int controlId, std::uint32_t value) {
    SetDlgItemInt(dialog_, controlId, value, FALSE);
}

SettingsContext processSettingsContext(HWND owner) {
    static IniSettingsStore ini;
    static RegistrySettingsStore registry;
    AppState& state = appState();
    return SettingsContext{state.settings,
                           state.UseIniFile,
                           ini,
                           registry,
                           state.language,
                           [owner, &state](std::u16string_view text) {
                               showAppMessage(owner, text, state.programTitle,
                                              MB_OK | MB_ICONEXCLAMATION);
                           }};
}

void LoadSettings() {
    SettingsContext ctx = processSettingsContext(nullptr);
    LoadSettings(ctx);
}

bool SaveSettings(HWND dialog) {
    SettingsContext ctx = processSettingsContext(dialog);
    if (!dialog)
        return SaveSettings(ctx, nullptr);
    DialogSettingsControls controls(dialog);
    return SaveSettings(ctx, &controls);
}

void CopySettings(bool fromIni, bool toIni) {
    SettingsContext ctx = processSettingsContext(nullptr);
    CopySettings(ctx, fromIni, toIni);
}

namespace {

std::atomic<Language> g_regwLanguage{Language::Japanese};

void warn(SettingsText text) {
    const Language lang = REGW::language();
    showAppMessage(nullptr, settingsText(text, lang), settingsText(SettingsText::RegwCaption, lang),
                   MB_OK | MB_ICONEXCLAMATION);
}

} // namespace

void REGW::setLanguage(Language language) {
    g_regwLanguage = language;
}
Language REGW::language() {
    return g_regwLanguage;
}

REGW::~REGW() {
    if (key_) {
        RegCloseKey(key_);
        key_ = nullptr;
        warn(SettingsText::RegwClosedByDestructor);
    }
}

bool REGW::OpenKey(int mode) {
    if (key_) {
        RegCloseKey(key_);
        key_ = nullptr;
        warn(SettingsText::RegwOpenKeyTwice);
    }
    const std::wstring path = toWide(kRegistryKeyPath);
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
        warn(SettingsText::RegwReadUnopened);
        return defaultValue;
    }
    const std::wstring n = toWide(name);
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
        warn(SettingsText::RegwWriteUnopened);
        return false;
    }
    const std::wstring n = toWide(name);
    DWORD data = static_cast<DWORD>(value);
    return RegSetValueExW(key_, n.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                          sizeof data) == ERROR_SUCCESS;
}

bool REGW::CloseKey() {
    if (!key_) {
        warn(SettingsText::RegwCloseUnopened);
        return false;
    }
    LSTATUS status = RegCloseKey(key_);
    key_ = nullptr;
    return status == ERROR_SUCCESS;
}

} // namespace tapwell
