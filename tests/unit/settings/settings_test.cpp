#include "settings/settings_persistence.h"

#include <gtest/gtest.h>

using namespace tapwell;
using namespace std::string_literals;
namespace id = settings_control;

struct FakeControls : SettingsControls {
    std::set<int> checked;
    std::map<int, std::uint32_t> numbers;
    std::vector<int> rewritten;

    bool isChecked(int control) const override { return checked.count(control) > 0; }
    std::uint32_t readNumber(int control) const override {
        return numbers.count(control) ? numbers.at(control) : 0;
    }
    void writeNumber(int control, std::uint32_t value) override {
        numbers[control] = value;
        rewritten.push_back(control);
    }
};

// Every field in store order, its default, and what a stored value loads as.
TEST(Settings, FieldsInStoreOrderWithTheirDefaultsAndLoadRanges) {
    using Loads = std::vector<std::pair<std::int32_t, std::int32_t>>;
    const Loads flag = {{1, 1}, {2, 0}, {257, 1}, {512, 0}};
    const std::int32_t layout = static_cast<std::int32_t>(0xF0020409u);
    const std::tuple<std::u16string_view, std::int32_t, Loads> fields[] = {
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
        // A layout handle's 32 bits, kept even when no longer installed.
        {u"iTargetLayout", 0, {{layout, layout}, {0x12345, 0x12345}}},
        // Esc stops a run unless stored off: no flag means the default.
        {u"iEscAbort", 1, {{0, 0}, {1, 1}, {2, 1}, {256, 0}}},
        {u"iFocusGuard", 0, flag},
        // The IME's three choices; anything else turns it off for the run.
        {u"iImeMode", 0, {{1, 1}, {2, 2}, {3, 0}, {258, 2}}},
        {u"iCapsLockMode", 0, flag},
        {u"iTrayIcon", 0, flag},
        // Ctrl+Alt+V; any 32 bits are kept, a junk value reads as no hotkey.
        {u"iHotkeyClipboard", 0, {{0x656, 0x656}, {-1, -1}}},
        {u"iHotkeyText", 0, {{0x37A, 0x37A}}},
        // On unless stored off.
        {u"iQuickAsk", 1, {{0, 0}, {2, 1}, {256, 0}}},
        {u"iQuickProgress", 1, {{0, 0}, {2, 1}}}};
    ASSERT_EQ(std::size(fields), kSettingFields.size());
    Settings all;
    for (std::size_t i = 0; i < kSettingFields.size(); ++i) {
        const auto& [name, byDefault, loads] = fields[i];
        const SettingField& field = kSettingFields[i];
        EXPECT_EQ(field.name, name) << i;
        EXPECT_EQ(field.get(Settings{}), byDefault) << i;
        for (auto [stored, loaded] : loads) {
            Settings s;
            field.set(s, stored);
            applyLoadRanges(s);
            EXPECT_EQ(field.get(s), loaded) << i << ": " << stored;
        }
        field.set(all, static_cast<std::int32_t>(100 + i));
    }
    // Each field reaches its own member (declared in store order).
    EXPECT_EQ(all, (Settings{100, InputMode(101), WaitMode(102), 103, 104, 105, 106, 107, 108, 109,
                             110, 111, 112, 113, Delivery(114), 115, 116, 117, 118, 119, 120, 121, 122, 123, 124}));
}

// Radios and the big-dialog box (absent from the English dialog, which saves
// it off) decide; numbers are taken as typed (large ones wrap), but clock parts
// out of range become 0 in record and box, an interval below 1 20 in the record.
TEST(SettingsControls, WhatTheDialogShowsBecomesTheSettings) {
    using enum InputMode;
    using enum WaitMode;
    const std::tuple<std::set<int>, InputMode, WaitMode, int> checks[] = {
        {{id::kModeUnicode, id::kBigDialog}, Unicode, TimeOfDay, 1}, // no wait radio: a clock time
        {{id::kModeKeyboard, id::kModeUnicode, id::kWaitAfterStart}, Keyboard, Seconds, 0},
        {{}, Script, TimeOfDay, 0}};
    for (const auto& [checked, inputMode, waitMode, bigDialog] : checks) {
        FakeControls controls;
        controls.checked = checked;
        Settings s;
        s.g_BigDialog = 1;
        takeSettingsFromControls(s, controls);
        EXPECT_EQ(s.iInputMode, inputMode);
        EXPECT_EQ(s.iWaitMode, waitMode);
        EXPECT_EQ(s.g_BigDialog, bigDialog);
    }
    const std::tuple<int, std::uint32_t, std::int32_t Settings::*, std::int32_t, bool> numbers[] = {
        {id::kTimeHour, 24, &Settings::iTimeHour, 0, true},
        {id::kTimeMin, 60, &Settings::iTimeMin, 0, true},
        {id::kTimeSec, 0xFFFFFFFFu, &Settings::iTimeSec, 0, true},
        {id::kWaitMSec, 0, &Settings::iWaitMSec, 20, false},
        {id::kWaitMSec, 1, &Settings::iWaitMSec, 1, false},
        {id::kWaitSec, 0xFFFFFFFFu, &Settings::iWaitSec, -1, false},
        {id::kLoopNum, 0x80000000u, &Settings::iLoopNum, INT32_MIN, false}};
    for (const auto& [control, typed, field, taken, boxReset] : numbers) {
        FakeControls controls;
        controls.numbers[id::kWaitMSec] = 7;
        controls.numbers[control] = typed;
        Settings s;
        takeSettingsFromControls(s, controls);
        EXPECT_EQ(s.*field, taken) << control << ": " << typed;
        EXPECT_EQ(controls.numbers[control], boxReset ? 0u : typed);
        EXPECT_EQ(controls.rewritten, boxReset ? std::vector{control} : std::vector<int>{});
    }
}

class SettingsPersistence : public ::testing::Test {
  protected:
    Settings settings;
    bool useIniFile = false;
    MemorySettingsStore ini, registry;
    std::vector<std::u16string> shown;
    std::function<void(std::u16string_view)> show = [this](auto text) { shown.emplace_back(text); };
    SettingsContext ctx{settings, useIniFile, ini, registry, Language::English, show};
};

// Every field goes through both stores: loaded from an ini file lacking all but
// one (the rest stays, ranges apply), saved, copied to the registry, loaded.
TEST_F(SettingsPersistence, EveryFieldRoundTripsThroughBothStores) {
    const Settings unusual{
        1,  InputMode::Script,    WaitMode::TimeOfDay, 1, 1, 1, 1, 1, INT32_MAX, 23, 59, 58, 0,
        -1, Delivery::KeyPresses, 0xF0020409u,         0, 1};
    settings = unusual;
    settings.iInputMode = InputMode::Keyboard;
    ini.values[u"iInputMode"] = 258;
    useIniFile = true;
    LoadSettings(ctx);
    EXPECT_EQ(settings, unusual);
    ASSERT_TRUE(SaveSettings(ctx, nullptr));
    settings = Settings{};
    CopySettings(ctx, true, false);
    EXPECT_FALSE(useIniFile);
    EXPECT_EQ(ini.writeLog.size(), kSettingFields.size()); // none from the copy's load
    settings = Settings{};
    LoadSettings(ctx);
    EXPECT_EQ(settings, unusual);
    EXPECT_TRUE(shown.empty());

    FakeControls dialog; // a save from the dialog stores what it shows
    dialog.numbers = {{id::kLoopNum, 3}};
    EXPECT_TRUE(SaveSettings(ctx, &dialog));
    EXPECT_EQ(registry.values[u"iLoopNum"], 3);
    EXPECT_EQ(registry.values[u"iWaitMSec"], 20);
}

// Every field is written even after a failure; the failures are shown once,
// each naming its store and value.
TEST_F(SettingsPersistence, WriteFailuresAreShownOnceAndDoNotStopTheOtherFields) {
    const auto registryPath = u"HKEY_CURRENT_USER\\Software\\Brelvane\\TAPWELL\\CurrentVersion"s;
    EXPECT_EQ(describeWriteFailure(false, StoreWriteResult::OpenFailed, u"x", Language::English),
              u"Cannot open - " + registryPath);
    registry.failingNames = {u"iTimeMin"};
    EXPECT_FALSE(SaveSettings(ctx, nullptr));
    EXPECT_EQ(shown, std::vector{u"Cannot write data - " + registryPath + u" - iTimeMin"});
    EXPECT_EQ(registry.values.size(), kSettingFields.size() - 1);

    shown.clear();
    ini.failAllWrites = StoreWriteResult::OpenFailed;
    useIniFile = true;
    EXPECT_FALSE(SaveSettings(ctx, nullptr));
    std::u16string expected;
    for (const auto& f : kSettingFields)
        expected += (expected.empty() ? u"" : u"\r\n-----\r\n") + u".\\tapwell.ini[TAPWELL] - "s +
                    std::u16string(f.name) + u" write error.";
    EXPECT_EQ(shown, std::vector{expected});
    EXPECT_EQ(ini.writeLog.size(), kSettingFields.size());
}

TEST(RegistryValue, IntegerTextsAreSignedDecimalsThatFit) {
    const std::pair<std::u16string_view, std::int32_t> numbers[] = {
        {u"+7", 7}, {u"-45", -45}, {u"-", 0}, {u"007", 7}};
    for (const auto& [text, value] : numbers)
        EXPECT_EQ(parseRegistryIntegerText(text), value);
    EXPECT_EQ(parseRegistryIntegerText(u"2147483647"), INT32_MAX);
    EXPECT_EQ(parseRegistryIntegerText(u"-2147483648"), INT32_MIN);
    for (std::u16string_view text : {u"12a", u"", u" 12", u"12 ", u"1-2", u"--1", u"0x10", u"１２",
                                     u"2147483648", u"-2147483649", u"99999999999999999999"})
        EXPECT_EQ(parseRegistryIntegerText(text), std::nullopt);
}

// Texts (UTF-16LE; string 1, expandable 2, multi-string 7: the first) give their
// number; numbers (binary 3, little-endian 4 and 11, big-endian 5) their
// first four bytes, missing ones 0; anything else the fallback, 77 here.
TEST(RegistryValue, EveryTypeDecodesOrKeepsTheFallback) {
    const std::tuple<std::uint32_t, std::string, std::int32_t> cases[] = {
        {1, "1\0\x32\0a\0"s, 77},
        {1, "1\0\x32"s, 12}, // an odd last byte pairs with a zero
        {2, "-\0\x33\0"s, -3},
        {7, "5\0\0\0\x39\0"s, 5},
        {4, "\x01\x02\x03\x04"s, 0x04030201},
        {3, "\x34\x12"s, 0x1234},
        {11, "\x05\0\0\0\x09\0\0\0"s, 5},
        {5, "\x80\0\x01\x02"s, static_cast<std::int32_t>(0x80000102u)},
        {6, "\x01\0\0\0"s, 77}};
    for (const auto& [type, data, value] : cases)
        EXPECT_EQ(decodeRegistryInteger(type, data, 77), value) << type << ": " << data;
}
