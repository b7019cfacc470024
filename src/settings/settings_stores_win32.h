// The two Windows settings stores, the main dialog's controls as the save
// sees them, and the settings functions bound to the process-wide state.
#pragma once

#include "common/language.h"
#include "settings/settings_persistence.h"
#include "settings/settings_store.h"

#include <cstdint>
#include <string_view>
#include <windows.h>

namespace tapwell {

// Values of type REG_DWORD under HKEY_CURRENT_USER, through REGW.
class RegistrySettingsStore : public SettingsStore {
  public:
    std::int32_t readInteger(std::u16string_view name, std::int32_t fallback) override;
    StoreWriteResult writeInteger(std::u16string_view name, std::int32_t value) override;
};

// Keys of one section in the ini file beside the executable; values are
// written as unsigned decimal text, so -1 is stored as 4294967295.
class IniSettingsStore : public SettingsStore {
  public:
    std::int32_t readInteger(std::u16string_view name, std::int32_t fallback) override;
    StoreWriteResult writeInteger(std::u16string_view name, std::int32_t value) override;
};

class DialogSettingsControls : public SettingsControls {
  public:
    explicit DialogSettingsControls(HWND dialog) : dialog_(dialog) {}
    bool isChecked(int controlId) const override;
    std::uint32_t readNumber(int controlId) const override;
    void writeNumber(int controlId, std::uint32_t value) override;

  private:
    HWND dialog_;
};

// The settings functions over appState() and the real stores. A failed save
// is shown with `owner` (or no owner) and the program title as caption.
SettingsContext processSettingsContext(HWND owner);
void LoadSettings();
// With a dialog, the controls are taken first and the dialog owns the message.
bool SaveSettings(HWND dialog);
void CopySettings(bool fromIni, bool toIni);

// REGW: access to the program's one registry key, opened for a single read
// or write and closed right after. Misuse (opening twice, reading or writing
// an unopened key, closing twice, forgetting to close) is survived and
// reported with a warning box.

class REGW {
  public:
    static constexpr int kCreate = 1;   // full access, create the key when missing
    static constexpr int kReadOnly = 2; // read access, never create

    REGW() = default;
    REGW(const REGW&) = delete;
    REGW& operator=(const REGW&) = delete;
    ~REGW();

    bool OpenKey(int mode);
    std::int32_t ReadIntegerW(std::u16string_view name, std::int32_t defaultValue);
    bool WriteIntegerW(std::u16string_view name, std::int32_t value);
    bool CloseKey();

    // The warnings' language; start-up clears it together with the UI language.
    static void setLanguage(Language language);
    static Language language();

  private:
    HKEY key_ = nullptr;
};

} // namespace tapwell
