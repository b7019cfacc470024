#include "settings/settings.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace tapwell {
namespace {

const SettingField& field(std::u16string_view name) {
    for (const auto& f : kSettingFields) {
        if (f.name == name)
            return f;
    }
    ADD_FAILURE() << "no such field";
    return kSettingFields[0];
}

// Stores `raw` into the named field the way a load does, then applies the ranges.
std::int32_t loaded(std::u16string_view name, std::int32_t raw) {
    Settings s;
    field(name).set(s, raw);
    applyLoadRanges(s);
    return field(name).get(s);
}

TEST(SettingsTest, FieldTableNamesEveryFieldOnceInStoreOrder) {
    std::set<std::u16string_view> names;
    for (const auto& f : kSettingFields)
        names.insert(f.name);
    EXPECT_EQ(names.size(), kSettingFields.size());
    EXPECT_EQ(kSettingFields.front().name, u"g_BigDialog");
    EXPECT_EQ(kSettingFields[1].name, u"iInputMode");
    EXPECT_EQ(kSettingFields[8].name, u"iWaitSec");
    EXPECT_EQ(kSettingFields[13].name, u"iLoopNum");
    EXPECT_EQ(kSettingFields[14].name, u"iDelivery");
    EXPECT_EQ(kSettingFields[15].name, u"iTargetLayout");
    EXPECT_EQ(kSettingFields[16].name, u"iEscAbort");
    EXPECT_EQ(kSettingFields[17].name, u"iFocusGuard");
}

TEST(SettingsTest, FieldTableReachesTheRightMembers) {
    Settings s;
    std::int32_t v = 100;
    for (const auto& f : kSettingFields)
        f.set(s, v++);
    EXPECT_EQ(s.g_BigDialog, 100);
    EXPECT_EQ(s.iTopMost, 107);
    EXPECT_EQ(s.iWaitSec, 108);
    EXPECT_EQ(s.iTimeHour, 109);
    EXPECT_EQ(s.iWaitMSec, 112);
    EXPECT_EQ(s.iLoopNum, 113);
    EXPECT_EQ(s.iDelivery, 114);
    EXPECT_EQ(s.iTargetLayout, 115u);
    EXPECT_EQ(s.iEscAbort, 116);
    EXPECT_EQ(s.iFocusGuard, 117);
}

// An installed layout's id is a handle's 32 bits, often with the top bit set;
// the stores see it as a signed number and give it back unchanged.
TEST(SettingsTest, TargetLayoutKeepsAllThirtyTwoBits) {
    EXPECT_EQ(loaded(u"iTargetLayout", static_cast<std::int32_t>(0xF0020409u)),
              static_cast<std::int32_t>(0xF0020409u));
    Settings s;
    field(u"iTargetLayout").set(s, -1);
    EXPECT_EQ(s.iTargetLayout, 0xFFFFFFFFu);
    s.iTargetLayout = 0x80000000u;
    EXPECT_EQ(field(u"iTargetLayout").get(s), INT32_MIN);
    EXPECT_EQ(loaded(u"iTargetLayout", 0x12345), 0x12345) << "an unknown id is kept";
}

TEST(SettingsTest, EscStopIsOnUnlessStoredOffAndTheFocusGuardOffUnlessStoredOn) {
    Settings defaults;
    EXPECT_EQ(defaults.iEscAbort, 1);
    EXPECT_EQ(defaults.iFocusGuard, 0);
    EXPECT_EQ(loaded(u"iEscAbort", 0), 0);
    EXPECT_EQ(loaded(u"iEscAbort", 1), 1);
    EXPECT_EQ(loaded(u"iEscAbort", 2), 1) << "no flag: the default, on";
    EXPECT_EQ(loaded(u"iEscAbort", 256), 0);
    EXPECT_EQ(loaded(u"iFocusGuard", 1), 1);
    EXPECT_EQ(loaded(u"iFocusGuard", 2), 0);
}

TEST(SettingsTest, InputModeKeepsLowEightBitsThenFallsBackWhenUnknown) {
    EXPECT_EQ(loaded(u"iInputMode", 2), 2);
    EXPECT_EQ(loaded(u"iInputMode", 3), 0);
    EXPECT_EQ(loaded(u"iInputMode", 258), 2);
    EXPECT_EQ(loaded(u"iInputMode", 259), 0);
    EXPECT_EQ(loaded(u"iInputMode", -1), 0);
}

TEST(SettingsTest, FlagsAboveOneBecomeZero) {
    for (auto name : {u"g_BigDialog", u"iWaitMode", u"iErrorStop", u"iDisableEnter",
                      u"iDisableSpace", u"iDisableTab", u"iTopMost", u"iDelivery"}) {
        SCOPED_TRACE(std::string(name, name + std::char_traits<char16_t>::length(name)));
        EXPECT_EQ(loaded(name, 1), 1);
        EXPECT_EQ(loaded(name, 2), 0);
        EXPECT_EQ(loaded(name, 257), 1);
        EXPECT_EQ(loaded(name, 512), 0);
    }
}

TEST(SettingsTest, ClockPartsOutsideTheirRangeBecomeZero) {
    EXPECT_EQ(loaded(u"iTimeHour", 23), 23);
    EXPECT_EQ(loaded(u"iTimeHour", 24), 0);
    EXPECT_EQ(loaded(u"iTimeHour", -1), 0);
    EXPECT_EQ(loaded(u"iTimeMin", 45), 45);
    EXPECT_EQ(loaded(u"iTimeMin", 60), 0);
    EXPECT_EQ(loaded(u"iTimeSec", 59), 59);
    EXPECT_EQ(loaded(u"iTimeSec", 60), 0);
    EXPECT_EQ(loaded(u"iTimeSec", INT32_MIN), 0);
}

TEST(SettingsTest, NegativeWaitsFallBackButZeroIntervalIsKept) {
    EXPECT_EQ(loaded(u"iWaitSec", -3), 5);
    EXPECT_EQ(loaded(u"iWaitSec", 0), 0);
    EXPECT_EQ(loaded(u"iWaitSec", INT32_MAX), INT32_MAX);
    EXPECT_EQ(loaded(u"iWaitMSec", 0), 0);
    EXPECT_EQ(loaded(u"iWaitMSec", -1), 20);
    EXPECT_EQ(loaded(u"iWaitMSec", 65535), 65535);
}

TEST(SettingsTest, RepeatCountHasNoRange) {
    EXPECT_EQ(loaded(u"iLoopNum", 0), 0);
    EXPECT_EQ(loaded(u"iLoopNum", -1), -1);
    EXPECT_EQ(loaded(u"iLoopNum", 1000000), 1000000);
}

// Every field starts at 0 except three; a store without a value (one written
// before a field existed) leaves the field at its default.
TEST(SettingsTest, DefaultsAreZeroExceptFourAndSurviveTheLoadRanges) {
    Settings s;
    applyLoadRanges(s);
    EXPECT_EQ(s, Settings{});
    for (const auto& f : kSettingFields) {
        const std::int32_t want = f.name == u"iWaitSec"    ? 5
                                  : f.name == u"iWaitMSec" ? 20
                                  : f.name == u"iLoopNum"  ? 1
                                  : f.name == u"iEscAbort" ? 1
                                                           : 0;
        EXPECT_EQ(f.get(s), want) << std::string(f.name.begin(), f.name.end());
    }
}

} // namespace
} // namespace tapwell
