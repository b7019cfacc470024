// The two Windows settings stores, the main dialog's controls as the save
// sees them, and the settings functions bound to the process-wide state.
#pragma once

#include "app/settings_controls.h"
#include "app/settings_persistence.h"
#include "app/settings_store.h"

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

} // namespace tapwell
