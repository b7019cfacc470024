#include "settings/settings_persistence.h"

namespace tapwell {

namespace {

// The second line shared by the Japanese REGW warnings (a macro so that the
// table stays made of literals).
#define TPW_REPORT_TO_AUTHOR_JA                                                                                           \
    u"\nこのメッセージが表示されたら、現在編集している/していたダイアログの名前を、" \
    u"メッセージの内容と共に正確に作者まで報告して下さい。"

constexpr std::array kSettingsTexts = {
    SettingsTextEntry{SettingsText::RegwCaption, u"Registory Class", u"Registory Class"},
    SettingsTextEntry{SettingsText::RegwOpenKeyTwice, u"An error has occurred in REGW::OpenKey().",
                      u"レジストリキーを多重オープンしようとしたので保護しました(REGW::OpenKey())"
                      u"。" TPW_REPORT_TO_AUTHOR_JA},
    SettingsTextEntry{SettingsText::RegwReadUnopened, u"An error has occurred in ReadIntegerW.",
                      u"開かれていないキーを対象に ReadIntegerW "
                      u"が行われようとしたので保護します。" TPW_REPORT_TO_AUTHOR_JA},
    SettingsTextEntry{SettingsText::RegwWriteUnopened, u"An error has occurred in WriteIntegerW.",
                      u"開かれていないキーを対象に WriteIntegerW "
                      u"が行われようとしたので保護します。" TPW_REPORT_TO_AUTHOR_JA},
    SettingsTextEntry{SettingsText::RegwCloseUnopened,
                      u"An error has occurred in REGW::CloseKey().",
                      u"レジストリを多重クローズしようとしたので保護しました(REGW::CloseKey)"
                      u"。" TPW_REPORT_TO_AUTHOR_JA},
    SettingsTextEntry{SettingsText::RegwClosedByDestructor,
                      u"An error has occurred in REGW::~REGW().",
                      u"レジストリを自動クローズしました。" TPW_REPORT_TO_AUTHOR_JA},
    SettingsTextEntry{
        SettingsText::IniWriteFailed, TPW_INI_FILE_PATH u"[" TPW_INI_SECTION u"] - %s write error.",
        TPW_INI_FILE_PATH u"の[" TPW_INI_SECTION u"]セクションの%sに値を書き込めません。"},
    SettingsTextEntry{SettingsText::RegistryOpenFailed,
                      u"Cannot open - HKEY_CURRENT_USER\\" TPW_REGISTRY_KEY_PATH,
                      u"HKEY_CURRENT_USER\\" TPW_REGISTRY_KEY_PATH u"を開けません。"},
    SettingsTextEntry{
        SettingsText::RegistryWriteFailed,
        u"Cannot write data - HKEY_CURRENT_USER\\" TPW_REGISTRY_KEY_PATH u" - %s",
        u"HKEY_CURRENT_USER\\" TPW_REGISTRY_KEY_PATH u" - %sへデータを書き込めません。"},
};

} // namespace

std::u16string_view settingsText(SettingsText id, Language language) {
    return pickText<SettingsText>(kSettingsTexts, id, language);
}

std::span<const SettingsTextEntry> settingsTextTable() {
    return kSettingsTexts;
}

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

void takeSettingsFromControls(Settings& s, SettingsControls& c) {
    namespace id = settings_control;
    s.g_BigDialog = c.isChecked(id::kBigDialog) ? 1 : 0;
    if (c.isChecked(id::kModeKeyboard))
        s.iInputMode = InputMode::Keyboard;
    else if (c.isChecked(id::kModeUnicode))
        s.iInputMode = InputMode::Unicode;
    else
        s.iInputMode = InputMode::Script;
    s.iWaitMode = c.isChecked(id::kWaitAfterStart) ? WaitMode::Seconds : WaitMode::TimeOfDay;
    s.iWaitSec = static_cast<std::int32_t>(c.readNumber(id::kWaitSec));
    s.iTimeHour = takeClockPart(c, id::kTimeHour, kHoursPerDay);
    s.iTimeMin = takeClockPart(c, id::kTimeMin, kMinutesPerHour);
    s.iTimeSec = takeClockPart(c, id::kTimeSec, kSecondsPerMinute);
    s.iWaitMSec = static_cast<std::int32_t>(c.readNumber(id::kWaitMSec));
    if (s.iWaitMSec < 1)
        s.iWaitMSec = kDefaultWaitMSec;
    s.iLoopNum = static_cast<std::int32_t>(c.readNumber(id::kLoopNum));
}

std::u16string describeWriteFailure(bool iniStore, StoreWriteResult result,
                                    std::u16string_view name, Language language) {
    SettingsText text = iniStore ? SettingsText::IniWriteFailed
                        : result == StoreWriteResult::OpenFailed
                            ? SettingsText::RegistryOpenFailed
                            : SettingsText::RegistryWriteFailed;
    return fillPlaceholder(settingsText(text, language), name);
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
        takeSettingsFromControls(ctx.settings, *dialog);
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
