#include "app/settings_persistence.h"

#include "app/app_texts.h"

namespace tapwell {

void LoadSettings(SettingsContext& ctx) {
    SettingsStore& store = ctx.chosenStore();
    for (const SettingField& field : kSettingFields)
        field.set(ctx.settings, store.readInteger(field.name, field.get(ctx.settings)));
    applyLoadRanges(ctx.settings);
}

namespace {
// The edit box keeps the user's number unless it is out of the clock's range.
std::int32_t takeClockPart(SettingsControls& controls, int id, std::int32_t end) {
    auto value = static_cast<std::int32_t>(controls.readNumber(id));
    if (value < 0 || value >= end) {
        controls.writeNumber(id, 0);
        return 0;
    }
    return value;
}
} // namespace

void TakeSettingsFromControls(Settings& s, SettingsControls& c) {
    namespace id = settings_control;
    s.g_BigDialog = c.isChecked(id::kBigDialog) ? 1 : 0;
    if (c.isChecked(id::kModeKeyboard))
        s.iInputMode = kInputModeKeyboard;
    else if (c.isChecked(id::kModeUnicode))
        s.iInputMode = kInputModeUnicode;
    else
        s.iInputMode = kInputModeScript;
    s.iWaitMode = c.isChecked(id::kWaitAfterStart) ? 0 : 1;
    s.iWaitSec = static_cast<std::int32_t>(c.readNumber(id::kWaitSec));
    s.iTimeHour = takeClockPart(c, id::kTimeHour, 24);
    s.iTimeMin = takeClockPart(c, id::kTimeMin, 60);
    s.iTimeSec = takeClockPart(c, id::kTimeSec, 60);
    s.iWaitMSec = static_cast<std::int32_t>(c.readNumber(id::kWaitMSec));
    if (s.iWaitMSec < 1)
        s.iWaitMSec = 20;
    s.iLoopNum = static_cast<std::int32_t>(c.readNumber(id::kLoopNum));
}

std::u16string describeWriteFailure(bool iniStore, StoreWriteResult result,
                                    std::u16string_view name, UiLanguage language) {
    AppText text = iniStore                                 ? AppText::IniWriteFailed
                   : result == StoreWriteResult::OpenFailed ? AppText::RegistryOpenFailed
                                                            : AppText::RegistryWriteFailed;
    return appTextWith(text, language, name);
}

bool WriteSettingValue(SettingsContext& ctx, std::u16string_view name, std::int32_t value,
                       std::u16string& errorText) {
    StoreWriteResult result = ctx.chosenStore().writeInteger(name, value);
    if (result == StoreWriteResult::Ok)
        return true;
    if (!errorText.empty())
        errorText += kSaveErrorSeparator;
    errorText += describeWriteFailure(ctx.useIniFile, result, name, ctx.language);
    return false;
}

bool SaveSettings(SettingsContext& ctx, SettingsControls* dialog) {
    if (dialog)
        TakeSettingsFromControls(ctx.settings, *dialog);
    std::u16string errorText;
    for (const SettingField& field : kSettingFields)
        WriteSettingValue(ctx, field.name, field.get(ctx.settings), errorText);
    if (errorText.empty())
        return true;
    if (ctx.showSaveError)
        ctx.showSaveError(errorText);
    return false;
}

void CopySettings(SettingsContext& ctx, bool fromIni, bool toIni) {
    ctx.useIniFile = fromIni;
    LoadSettings(ctx);
    ctx.useIniFile = toIni;
    SaveSettings(ctx, nullptr);
}

} // namespace tapwell
