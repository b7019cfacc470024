// Loading and saving the settings record through the store that start-up
// chose, and copying it from one store to the other.
#pragma once

#include "common/language.h"
#include "settings/settings.h"
#include "settings/settings_store.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace tapwell {

// Every text the settings show: the REGW warnings and the descriptions of a
// failed write ("%s" stands for the value's name).
enum class SettingsText {
    RegwCaption,
    RegwOpenKeyTwice,
    RegwReadUnopened,
    RegwWriteUnopened,
    RegwCloseUnopened,
    RegwClosedByDestructor,
    IniWriteFailed,
    RegistryOpenFailed,
    RegistryWriteFailed,
};

using SettingsTextEntry = TextEntry<SettingsText>;

std::u16string_view settingsText(SettingsText id, Language language);
std::span<const SettingsTextEntry> settingsTextTable();

struct SettingsContext {
    Settings& settings;
    bool& useIniFile; // true: the ini file, false: the registry
    SettingsStore& iniStore;
    SettingsStore& registryStore;
    Language language;
    // Shows the collected write failures of one save, once.
    std::function<void(std::u16string_view text)> showSaveError;

    SettingsStore& chosenStore() const { return useIniFile ? iniStore : registryStore; }
};

// Missing values keep the field's current content; then the load ranges apply.
void LoadSettings(SettingsContext& ctx);

// Copies the dialog's controls into the record, applying the save ranges.
// The hour, minute and second boxes are reset to 0 when out of range.
void takeSettingsFromControls(Settings& settings, SettingsControls& controls);

// Writes one value to the chosen store. On failure appends a description to
// `errorText`, separated from an earlier one by a line of five dashes.
bool WriteSettingValue(SettingsContext& ctx, std::u16string_view name, std::int32_t value,
                       std::u16string& errorText);

// With a dialog, takes the controls first. Writes every field even
// when some fail; failures are shown once and give false.
bool SaveSettings(SettingsContext& ctx, SettingsControls* dialog);

// Loads from one store and saves to the other; leaves `useIniFile` at `toIni`.
void CopySettings(SettingsContext& ctx, bool fromIni, bool toIni);

// The description appended for one failed write.
std::u16string describeWriteFailure(bool iniStore, StoreWriteResult result,
                                    std::u16string_view name, Language language);

inline constexpr std::u16string_view kSaveErrorSeparator = u"\r\n-----\r\n";

} // namespace tapwell
