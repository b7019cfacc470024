#include "theme/dark_mode_setting.h"
#include "theme/theme_colors.h"

#include <gtest/gtest.h>

namespace tapwell::theme {
namespace {

TEST(DarkModeSetting, OnlyAnExplicitZeroIsDark) {
    EXPECT_TRUE(darkFlagFromAppsUseLightTheme(0u));
    EXPECT_FALSE(darkFlagFromAppsUseLightTheme(1u));
    EXPECT_FALSE(darkFlagFromAppsUseLightTheme(0xFFFFFFFFu));
    EXPECT_FALSE(darkFlagFromAppsUseLightTheme(std::nullopt)); // older systems: no value
}

TEST(DarkModeSetting, OnlyTheColourSetNoticeRereadsTheFlag) {
    EXPECT_TRUE(settingChangeNamesColorSet(u"ImmersiveColorSet"));
    EXPECT_FALSE(settingChangeNamesColorSet(nullptr));
    EXPECT_FALSE(settingChangeNamesColorSet(u""));
    EXPECT_FALSE(settingChangeNamesColorSet(u"Policy"));
    EXPECT_FALSE(settingChangeNamesColorSet(u"ImmersiveColorSetX"));
}

TEST(ThemeColors, PackedInThePlatformOrder) {
    EXPECT_EQ(toColorRef(Rgb{1, 2, 3}), 0x030201u);
    EXPECT_EQ(toColorRef(kDarkBackground), 0x383838u);
    EXPECT_EQ(toColorRef(kTooltipText), 0xFEFEFEu);
}

} // namespace
} // namespace tapwell::theme
