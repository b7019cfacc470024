#include "app/settings_stores_win32.h"

#include "app/app_state.h"
#include "app/message_box_win32.h"
#include "app/regw_win32.h"
#include "app/store_locations.h"

#include <string>

namespace tapwell {

namespace {
std::wstring wide(std::u16string_view s) {
    return std::wstring(s.begin(), s.end());
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
    const std::wstring section = wide(kIniSection), key = wide(name), file = wide(kIniFilePath);
    return static_cast<std::int32_t>(
        GetPrivateProfileIntW(section.c_str(), key.c_str(), fallback, file.c_str()));
}

StoreWriteResult IniSettingsStore::writeInteger(std::u16string_view name, std::int32_t value) {
    const std::wstring section = wide(kIniSection), key = wide(name), file = wide(kIniFilePath);
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
                               ShowAppMessage(owner, text, state.programTitle,
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

} // namespace tapwell
