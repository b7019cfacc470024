#include "settings/settings_persistence.h"

#include <gtest/gtest.h>

namespace tapwell {
namespace {

namespace id = settings_control;

TEST(Settings, FieldsInStoreOrderWithTheirDefaultsAndLoadRanges) {
    using Loads = std::vector<std::pair<std::int32_t, std::int32_t>>; // stored -> loaded
    const Loads flag = {{1, 1}, {2, 0}, {257, 1}, {512, 0}};
    const std::int32_t layout = static_cast<std::int32_t>(0xF0020409u);
    const struct {
        std::u16string_view name;
        std::int32_t byDefault;
        Loads loads;
    } fields[] = {
        {u"g_BigDialog", 0, flag},
        {u"iInputMode", 0, {{2, 2}, {3, 0}, {258, 2}, {259, 0}, {-1, 0}}},
        {u"iWaitMode", 0, flag},
        {u"iErrorStop", 0, flag},
        {u"iDisableEnter", 0, flag},
        {u"iDisableSpace", 0, flag},
        {u"iDisableTab", 0, flag},
        {u"iTopMost", 0, flag},
        {u"iWaitSec", 5, {{-3, 5}, {0, 0}, {INT32_MAX, INT32_MAX}}},
        {u"iTimeHour", 0, {{23, 23}, {24, 0}, {-1, 0}}},
        {u"iTimeMin", 0, {{59, 59}, {60, 0}, {-1, 0}}},
        {u"iTimeSec", 0, {{59, 59}, {60, 0}, {INT32_MIN, 0}}},
        // 0 is kept on load: the box shows it, the next save makes it 20.
        {u"iWaitMSec", 20, {{0, 0}, {-1, 20}, {65535, 65535}}},
        {u"iLoopNum", 1, {{0, 0}, {-1, -1}, {1000000, 1000000}}}, // 0 repeats: endless
        {u"iDelivery", 0, flag},
        // A layout handle's 32 bits, often with the top bit set; one that is
        // no longer installed is kept.
        {u"iTargetLayout", 0, {{layout, layout}, {0x12345, 0x12345}}},
        // Esc stops a run unless stored off: no flag means the default.
        {u"iEscAbort", 1, {{0, 0}, {1, 1}, {2, 1}, {256, 0}}},
        {u"iFocusGuard", 0, flag},
    };
    ASSERT_EQ(std::size(fields), kSettingFields.size());
    Settings all;
    for (std::size_t i = 0; i < kSettingFields.size(); ++i) {
        const SettingField& f = kSettingFields[i];
        SCOPED_TRACE(std::string(fields[i].name.begin(), fields[i].name.end()));
        EXPECT_EQ(f.name, fields[i].name);
        EXPECT_EQ(f.get(Settings{}), fields[i].byDefault);
        for (auto [stored, loaded] : fields[i].loads) {
            Settings s;
            f.set(s, stored);
            applyLoadRanges(s);
            EXPECT_EQ(f.get(s), loaded) << stored;
        }
        f.set(all, static_cast<std::int32_t>(100 + i));
    }
    // Each field reaches its own member (declared in store order).
    EXPECT_EQ(all, (Settings{100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111, 112, 113,
                             114, 115, 116, 117}));
    Settings defaults;
    applyLoadRanges(defaults);
    EXPECT_EQ(defaults, Settings{});
}

class FakeControls : public SettingsControls {
  public:
    bool isChecked(int control) const override { return checked.count(control) > 0; }
    std::uint32_t readNumber(int control) const override {
        auto it = numbers.find(control);
        return it == numbers.end() ? 0 : it->second;
    }
    void writeNumber(int control, std::uint32_t value) override {
        numbers[control] = value;
        rewritten.push_back(control);
    }

    std::set<int> checked;
    std::map<int, std::uint32_t> numbers;
    std::vector<int> rewritten;
};

TEST(SettingsControls, ChecksDecideModesAndFlags) {
    const struct {
        std::set<int> checked;
        int inputMode, waitMode, bigDialog;
    } cases[] = {
        {{id::kModeUnicode, id::kBigDialog}, 1, 1, 1}, // no wait radio: a clock time
        {{id::kModeKeyboard, id::kModeUnicode, id::kWaitAfterStart}, 0, 0, 0},
        {{}, 2, 1, 0},
    };
    for (const auto& c : cases) {
        FakeControls controls;
        controls.checked = c.checked;
        Settings s;
        s.g_BigDialog = 1; // a dialog without the check box saves 0
        takeSettingsFromControls(s, controls);
        EXPECT_EQ(s.iInputMode, c.inputMode);
        EXPECT_EQ(s.iWaitMode, c.waitMode);
        EXPECT_EQ(s.g_BigDialog, c.bigDialog);
    }
}

TEST(SettingsControls, NumbersAreTakenAsTypedButClockPartsAndTheIntervalInRange) {
    const struct {
        int control;
        std::uint32_t typed;
        std::int32_t Settings::*field;
        std::int32_t taken;
        bool boxReset;
    } cases[] = {
        {id::kTimeHour, 23, &Settings::iTimeHour, 23, false},
        {id::kTimeHour, 24, &Settings::iTimeHour, 0, true},
        {id::kTimeMin, 59, &Settings::iTimeMin, 59, false},
        {id::kTimeMin, 60, &Settings::iTimeMin, 0, true},
        {id::kTimeSec, 0xFFFFFFFFu, &Settings::iTimeSec, 0, true},
        // Below 1 the interval becomes 20; the box keeps what was typed.
        {id::kWaitMSec, 0, &Settings::iWaitMSec, 20, false},
        {id::kWaitMSec, 0x80000000u, &Settings::iWaitMSec, 20, false},
        {id::kWaitMSec, 1, &Settings::iWaitMSec, 1, false},
        // Large numbers wrap into the signed record unchecked.
        {id::kWaitSec, 0xFFFFFFFFu, &Settings::iWaitSec, -1, false},
        {id::kLoopNum, 0x80000000u, &Settings::iLoopNum, INT32_MIN, false},
        {id::kLoopNum, 0, &Settings::iLoopNum, 0, false},
    };
    for (const auto& c : cases) {
        FakeControls controls;
        controls.numbers[id::kWaitMSec] = 7;
        controls.numbers[c.control] = c.typed;
        Settings s;
        takeSettingsFromControls(s, controls);
        EXPECT_EQ(s.*c.field, c.taken) << c.control << " " << c.typed;
        EXPECT_EQ(controls.numbers[c.control], c.boxReset ? 0u : c.typed);
        EXPECT_EQ(controls.rewritten, c.boxReset ? std::vector{c.control} : std::vector<int>{});
    }
}

TEST(SettingsTexts, WriteFailuresNameTheStoreAndTheValue) {
    const struct {
        bool ini;
        StoreWriteResult result;
        Language language;
        std::u16string_view text;
    } cases[] = {
        {true, StoreWriteResult::WriteFailed, Language::English,
         u".\\tapwell.ini[TAPWELL] - iLoopNum write error."},
        {true, StoreWriteResult::OpenFailed, Language::Japanese,
         u".\\tapwell.iniの[TAPWELL]セクションのiLoopNumに値を書き込めません。"},
        {false, StoreWriteResult::OpenFailed, Language::English,
         u"Cannot open - HKEY_CURRENT_USER\\Software\\Brelvane\\TAPWELL\\CurrentVersion"},
        {false, StoreWriteResult::OpenFailed, Language::Japanese,
         u"HKEY_CURRENT_USER\\Software\\Brelvane\\TAPWELL\\CurrentVersionを開けません。"},
        {false, StoreWriteResult::WriteFailed, Language::English,
         u"Cannot write data - HKEY_CURRENT_USER\\Software\\Brelvane\\TAPWELL\\CurrentVersion - "
         u"iLoopNum"},
        {false, StoreWriteResult::WriteFailed, Language::Japanese,
         u"HKEY_CURRENT_USER\\Software\\Brelvane\\TAPWELL\\CurrentVersion - "
         u"iLoopNumへデータを書き込めません。"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(describeWriteFailure(c.ini, c.result, u"iLoopNum", c.language), c.text);
}

class SettingsPersistence : public ::testing::Test {
  protected:
    Settings settings;
    bool useIniFile = false;
    MemorySettingsStore ini, registry;
    std::vector<std::u16string> shown;
    SettingsContext ctx{settings,
                        useIniFile,
                        ini,
                        registry,
                        Language::English,
                        [this](std::u16string_view text) { shown.emplace_back(text); }};
};

TEST_F(SettingsPersistence, LoadReadsTheChosenStoreAndKeepsWhatItLacks) {
    settings.iLoopNum = 9;
    registry.values[u"iWaitSec"] = 30;
    ini.values[u"iWaitSec"] = -3;
    ini.values[u"iInputMode"] = 258;
    useIniFile = true;
    LoadSettings(ctx);
    Settings expected;
    expected.iLoopNum = 9;
    expected.iInputMode = 2;
    EXPECT_EQ(settings, expected);
    useIniFile = false;
    LoadSettings(ctx);
    expected.iWaitSec = 30;
    EXPECT_EQ(settings, expected);
    EXPECT_TRUE(ini.writeLog.empty() && registry.writeLog.empty()) << "a load creates nothing";
}

TEST_F(SettingsPersistence, EveryFieldRoundTripsThroughBothStoresInStoreOrder) {
    const Settings unusual{1,  2,  1,  1, 1,  1, 1,           1, INT32_MAX,
                           23, 59, 58, 0, -1, 1, 0xF0020409u, 0, 1};
    for (bool iniFile : {true, false}) {
        useIniFile = iniFile;
        settings = unusual;
        ASSERT_TRUE(SaveSettings(ctx, nullptr));
        settings = Settings{};
        LoadSettings(ctx);
        EXPECT_EQ(settings, unusual) << iniFile;
    }
    ASSERT_EQ(registry.writeLog.size(), kSettingFields.size());
    for (std::size_t i = 0; i < kSettingFields.size(); ++i)
        EXPECT_EQ(registry.writeLog[i], kSettingFields[i].name);
    EXPECT_EQ(ini.writeLog, registry.writeLog);
    EXPECT_EQ(registry.values[u"iTargetLayout"], static_cast<std::int32_t>(0xF0020409u));
    EXPECT_TRUE(shown.empty());
}

TEST_F(SettingsPersistence, SaveWithADialogStoresWhatTheControlsShow) {
    FakeControls c;
    c.numbers = {{id::kWaitSec, 12}, {id::kLoopNum, 3}};
    useIniFile = true;
    EXPECT_TRUE(SaveSettings(ctx, &c));
    EXPECT_EQ(ini.values[u"iWaitSec"], 12);
    EXPECT_EQ(ini.values[u"iWaitMSec"], 20);
    EXPECT_EQ(ini.values[u"iLoopNum"], 3);
    EXPECT_EQ(settings.iWaitSec, 12);
}

TEST_F(SettingsPersistence, WriteFailuresAreShownOnceAndDoNotStopTheOtherFields) {
    registry.failingNames = {u"iTimeMin"};
    EXPECT_FALSE(SaveSettings(ctx, nullptr));
    EXPECT_EQ(shown, std::vector<std::u16string>{describeWriteFailure(
                         false, StoreWriteResult::WriteFailed, u"iTimeMin", Language::English)});
    EXPECT_EQ(registry.values.size(), kSettingFields.size() - 1);

    shown.clear();
    ini.failAllWrites = StoreWriteResult::WriteFailed;
    useIniFile = true;
    EXPECT_FALSE(SaveSettings(ctx, nullptr));
    std::u16string expected;
    for (const auto& f : kSettingFields) {
        if (!expected.empty())
            expected += u"\r\n-----\r\n";
        expected += u".\\tapwell.ini[TAPWELL] - " + std::u16string(f.name) + u" write error.";
    }
    EXPECT_EQ(shown, std::vector{expected});
    EXPECT_EQ(ini.writeLog.size(), kSettingFields.size());
}

TEST_F(SettingsPersistence, CopyLoadsOneStoreAndSavesEveryFieldToTheOther) {
    ini.values[u"iTimeHour"] = 30;
    ini.values[u"iLoopNum"] = 7;
    ini.values[u"iEscAbort"] = 0;
    CopySettings(ctx, true, false);
    EXPECT_FALSE(useIniFile);
    EXPECT_EQ(registry.values.size(), kSettingFields.size());
    EXPECT_EQ(registry.values[u"iTimeHour"], 0);
    EXPECT_EQ(registry.values[u"iLoopNum"], 7);
    EXPECT_EQ(registry.values[u"iEscAbort"], 0);
    EXPECT_EQ(registry.values[u"iWaitSec"], 5);
    EXPECT_TRUE(ini.writeLog.empty());

    registry.values[u"iDelivery"] = 257;
    CopySettings(ctx, false, true);
    EXPECT_TRUE(useIniFile);
    EXPECT_EQ(ini.values[u"iDelivery"], 1);
    EXPECT_EQ(ini.values[u"iLoopNum"], 7);
}

} // namespace
} // namespace tapwell
