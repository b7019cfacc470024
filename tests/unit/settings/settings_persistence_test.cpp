#include "settings/settings_persistence.h"
#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace tapwell {
namespace {

namespace id = settings_control;

class FakeControls : public SettingsControls {
  public:
    bool isChecked(int controlId) const override { return checked.count(controlId) > 0; }
    std::uint32_t readNumber(int controlId) const override {
        auto it = numbers.find(controlId);
        return it == numbers.end() ? 0 : it->second;
    }
    void writeNumber(int controlId, std::uint32_t value) override {
        numbers[controlId] = value;
        rewritten.push_back(controlId);
    }

    std::set<int> checked;
    std::map<int, std::uint32_t> numbers;
    std::vector<int> rewritten;
};

class SettingsPersistenceTest : public ::testing::Test {
  protected:
    SettingsContext context(Language language = Language::English) {
        return SettingsContext{
            settings, useIniFile, ini,
            registry, language,   [this](std::u16string_view text) { shown.emplace_back(text); }};
    }

    Settings settings;
    bool useIniFile = false;
    MemorySettingsStore ini;
    MemorySettingsStore registry;
    std::vector<std::u16string> shown;
};

TEST_F(SettingsPersistenceTest, LoadFromAnEmptyStoreKeepsWhatTheRecordHeld) {
    settings.iWaitSec = 9;
    settings.iTopMost = 1;
    auto ctx = context();
    LoadSettings(ctx);
    Settings expected;
    expected.iWaitSec = 9;
    expected.iTopMost = 1;
    EXPECT_EQ(settings, expected);
    EXPECT_TRUE(registry.writeLog.empty()) << "loading must not create anything";
}

TEST_F(SettingsPersistenceTest, LoadReadsOnlyTheChosenStoreAndAppliesRanges) {
    registry.values[u"iWaitSec"] = 30;
    ini.values[u"iWaitSec"] = -3;
    ini.values[u"iInputMode"] = 258;
    ini.values[u"iTimeMin"] = 60;
    ini.values[u"iWaitMSec"] = 0;
    useIniFile = true;
    auto ctx = context();
    LoadSettings(ctx);
    EXPECT_EQ(settings.iWaitSec, 5);
    EXPECT_EQ(settings.iInputMode, 2);
    EXPECT_EQ(settings.iTimeMin, 0);
    EXPECT_EQ(settings.iWaitMSec, 0);

    useIniFile = false;
    LoadSettings(ctx);
    EXPECT_EQ(settings.iWaitSec, 30);
}

TEST_F(SettingsPersistenceTest, SaveWritesEveryFieldInOrder) {
    settings.iLoopNum = -1;
    settings.iTargetLayout = 0xE0010411u;
    auto ctx = context();
    EXPECT_TRUE(SaveSettings(ctx, nullptr));
    ASSERT_EQ(registry.writeLog.size(), kSettingFields.size());
    for (std::size_t i = 0; i < kSettingFields.size(); ++i)
        EXPECT_EQ(registry.writeLog[i], kSettingFields[i].name);
    EXPECT_EQ(registry.values[u"iLoopNum"], -1);
    EXPECT_EQ(registry.values[u"iWaitMSec"], 20);
    EXPECT_EQ(registry.values[u"iTargetLayout"], static_cast<std::int32_t>(0xE0010411u));
    EXPECT_EQ(registry.values[u"iDelivery"], 0);
    EXPECT_TRUE(ini.writeLog.empty());
    EXPECT_TRUE(shown.empty());
}

TEST_F(SettingsPersistenceTest, ControlsDecideModesAndFlags) {
    FakeControls c;
    c.checked = {id::kModeUnicode, id::kBigDialog};
    c.numbers = {{id::kWaitMSec, 20}};
    takeSettingsFromControls(settings, c);
    EXPECT_EQ(settings.iInputMode, 1);
    EXPECT_EQ(settings.iWaitMode, 1) << "no wait radio checked means clock time";
    EXPECT_EQ(settings.g_BigDialog, 1);

    c.checked = {id::kModeKeyboard, id::kModeUnicode, id::kWaitAfterStart};
    takeSettingsFromControls(settings, c);
    EXPECT_EQ(settings.iInputMode, 0);
    EXPECT_EQ(settings.iWaitMode, 0);
    EXPECT_EQ(settings.g_BigDialog, 0) << "a dialog without the check box saves 0";

    c.checked = {};
    takeSettingsFromControls(settings, c);
    EXPECT_EQ(settings.iInputMode, 2);
}

TEST_F(SettingsPersistenceTest, ClockPartsOutOfRangeAreZeroedInRecordAndBox) {
    FakeControls c;
    c.numbers = {
        {id::kTimeHour, 24}, {id::kTimeMin, 59}, {id::kTimeSec, 0xFFFFFFFFu}, {id::kWaitMSec, 20}};
    takeSettingsFromControls(settings, c);
    EXPECT_EQ(settings.iTimeHour, 0);
    EXPECT_EQ(settings.iTimeMin, 59);
    EXPECT_EQ(settings.iTimeSec, 0);
    EXPECT_EQ(c.numbers[id::kTimeHour], 0u);
    EXPECT_EQ(c.numbers[id::kTimeSec], 0u);
    EXPECT_EQ(c.rewritten, (std::vector<int>{id::kTimeHour, id::kTimeSec}));
}

TEST_F(SettingsPersistenceTest, IntervalBelowOneBecomesTwentyWithoutTouchingTheBox) {
    FakeControls c;
    c.numbers = {{id::kWaitMSec, 0}, {id::kLoopNum, 0}};
    takeSettingsFromControls(settings, c);
    EXPECT_EQ(settings.iWaitMSec, 20);
    EXPECT_EQ(settings.iLoopNum, 0) << "0 repeats means endless and is kept";
    EXPECT_TRUE(c.rewritten.empty());

    c.numbers[id::kWaitMSec] = 0x80000000u; // read unsigned, negative in the record
    takeSettingsFromControls(settings, c);
    EXPECT_EQ(settings.iWaitMSec, 20);
}

TEST_F(SettingsPersistenceTest, LargeNumbersWrapIntoTheSignedRecordUnchecked) {
    FakeControls c;
    c.numbers = {{id::kWaitSec, 0xFFFFFFFFu}, {id::kLoopNum, 0x80000000u}, {id::kWaitMSec, 7}};
    takeSettingsFromControls(settings, c);
    EXPECT_EQ(settings.iWaitSec, -1);
    EXPECT_EQ(settings.iLoopNum, INT32_MIN);
    EXPECT_EQ(settings.iWaitMSec, 7);
}

TEST_F(SettingsPersistenceTest, SaveWithADialogStoresWhatTheControlsShow) {
    FakeControls c;
    c.checked = {id::kModeKeyboard, id::kWaitAfterStart};
    c.numbers = {{id::kWaitSec, 12}, {id::kWaitMSec, 0}, {id::kLoopNum, 3}};
    useIniFile = true;
    auto ctx = context();
    EXPECT_TRUE(SaveSettings(ctx, &c));
    EXPECT_EQ(ini.values[u"iWaitSec"], 12);
    EXPECT_EQ(ini.values[u"iWaitMSec"], 20);
    EXPECT_EQ(ini.values[u"iLoopNum"], 3);
    EXPECT_EQ(settings.iWaitSec, 12);
}

TEST_F(SettingsPersistenceTest, UnwritableIniGivesOneMessageListingEveryField) {
    ini.failAllWrites = StoreWriteResult::WriteFailed;
    useIniFile = true;
    auto ctx = context();
    EXPECT_FALSE(SaveSettings(ctx, nullptr));
    ASSERT_EQ(shown.size(), 1u);
    std::u16string expected;
    for (const auto& f : kSettingFields) {
        if (!expected.empty())
            expected += u"\r\n-----\r\n";
        expected += u".\\tapwell.ini[TAPWELL] - " + std::u16string(f.name) + u" write error.";
    }
    EXPECT_EQ(shown[0], expected);
    EXPECT_EQ(ini.writeLog.size(), kSettingFields.size())
        << "a failure must not stop the other fields";
}

TEST_F(SettingsPersistenceTest, FailureTextsInJapanese) {
    std::u16string text;
    ini.failAllWrites = StoreWriteResult::WriteFailed;
    useIniFile = true;
    auto ctx = context(Language::Japanese);
    EXPECT_FALSE(WriteSettingValue(ctx, u"iWaitSec", 1, text));
    EXPECT_EQ(text, u".\\tapwell.iniの[TAPWELL]セクションのiWaitSecに値を書き込めません。");

    text.clear();
    useIniFile = false;
    registry.failAllWrites = StoreWriteResult::OpenFailed;
    EXPECT_FALSE(WriteSettingValue(ctx, u"iWaitSec", 1, text));
    registry.failAllWrites = StoreWriteResult::WriteFailed;
    EXPECT_FALSE(WriteSettingValue(ctx, u"iLoopNum", 1, text));
    EXPECT_EQ(text, u"HKEY_CURRENT_USER\\Software\\Brelvane\\TAPWELL\\CurrentVersionを開けません。"
                    u"\r\n-----\r\n"
                    u"HKEY_CURRENT_USER\\Software\\Brelvane\\TAPWELL\\CurrentVersion - "
                    u"iLoopNumへデータを書き込めません。");
}

TEST_F(SettingsPersistenceTest, RegistryFailureTextsInEnglish) {
    std::u16string text;
    auto ctx = context(Language::English);
    registry.failAllWrites = StoreWriteResult::OpenFailed;
    EXPECT_FALSE(WriteSettingValue(ctx, u"iWaitSec", 1, text));
    EXPECT_EQ(text,
              u"Cannot open - HKEY_CURRENT_USER\\Software\\Brelvane\\TAPWELL\\CurrentVersion");
    text.clear();
    registry.failAllWrites = StoreWriteResult::WriteFailed;
    EXPECT_FALSE(WriteSettingValue(ctx, u"iTopMost", 1, text));
    EXPECT_EQ(text, u"Cannot write data - HKEY_CURRENT_USER\\Software\\Brelvane\\TAPWELL\\"
                    u"CurrentVersion - iTopMost");
}

TEST_F(SettingsPersistenceTest, OneFailingFieldIsReportedAloneAndTheRestIsWritten) {
    registry.failingNames = {u"iTimeMin"};
    settings.iLoopNum = 4;
    auto ctx = context();
    EXPECT_FALSE(SaveSettings(ctx, nullptr));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].find(u"-----"), std::u16string::npos);
    EXPECT_NE(shown[0].find(u"iTimeMin"), std::u16string::npos);
    EXPECT_EQ(registry.values.size(), kSettingFields.size() - 1);
    EXPECT_EQ(registry.values[u"iLoopNum"], 4);
}

TEST_F(SettingsPersistenceTest, CopyFromAMissingIniWritesTheDefaultsToTheRegistry) {
    auto ctx = context();
    CopySettings(ctx, true, false);
    EXPECT_FALSE(useIniFile);
    ASSERT_EQ(registry.values.size(), kSettingFields.size());
    EXPECT_EQ(registry.values[u"iEscAbort"], 1) << "an absent value means on";
    EXPECT_EQ(registry.values[u"iFocusGuard"], 0);
    EXPECT_EQ(registry.values[u"iWaitSec"], 5);
    EXPECT_EQ(registry.values[u"iWaitMSec"], 20);
    EXPECT_EQ(registry.values[u"iLoopNum"], 1);
    EXPECT_EQ(registry.values[u"iInputMode"], 0);
    EXPECT_TRUE(ini.writeLog.empty());
}

TEST_F(SettingsPersistenceTest, EscAndFocusGuardSwitchesRoundTripThroughBothStores) {
    for (bool iniFile : {true, false}) {
        SCOPED_TRACE(iniFile ? "ini file" : "registry");
        useIniFile = iniFile;
        settings.iEscAbort = 0;
        settings.iFocusGuard = 1;
        auto ctx = context();
        ASSERT_TRUE(SaveSettings(ctx, nullptr));
        settings = Settings();
        LoadSettings(ctx);
        EXPECT_EQ(settings.iEscAbort, 0);
        EXPECT_EQ(settings.iFocusGuard, 1);
    }
    // Copied like the others.
    ini.values[u"iEscAbort"] = 1;
    ini.values[u"iFocusGuard"] = 0;
    auto ctx = context();
    CopySettings(ctx, true, false);
    EXPECT_EQ(registry.values[u"iEscAbort"], 1);
    EXPECT_EQ(registry.values[u"iFocusGuard"], 0);
}

TEST_F(SettingsPersistenceTest, CopyFromTheRegistryCarriesLoadedAndRangedValues) {
    registry.values[u"iTimeHour"] = 30;
    registry.values[u"iLoopNum"] = 7;
    registry.values[u"iDelivery"] = 257;
    registry.values[u"iTargetLayout"] = static_cast<std::int32_t>(0xF0020409u);
    auto ctx = context();
    CopySettings(ctx, false, true);
    EXPECT_TRUE(useIniFile);
    EXPECT_EQ(ini.values[u"iTimeHour"], 0);
    EXPECT_EQ(ini.values[u"iLoopNum"], 7);
    EXPECT_EQ(ini.values[u"iDelivery"], 1);
    EXPECT_EQ(ini.values[u"iTargetLayout"], static_cast<std::int32_t>(0xF0020409u));
    EXPECT_EQ(registry.writeLog.size(), 0u);
}

} // namespace
} // namespace tapwell
