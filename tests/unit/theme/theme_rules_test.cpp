#include "theme/theme_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace tapwell::theme {
namespace {
TEST(ThemeRules, ChildrenGetTheirKindMarkVisualStyleAndDisabledLayout) {
    // Per button type 0..15: Push, Mark or Other; a Square, a Circle or no mark.
    const std::string kinds = "PPMMMMMMOMOOOOOO", marks = "--SSCSS--C------";
    for (std::uint32_t type = 0; type < 16; ++type) {
        for (const char16_t* cls : {u"Button", u"BUTTON"}) { // visible, flat: type bits only
            const ChildKind kind = classifyChild(cls, 0x50008000 | type);
            EXPECT_EQ("PMTO"[int(kind)], kinds[type]) << type;
            EXPECT_EQ("-SC"[int(disabledMarkFor(cls, 0x50008000 | type))], marks[type]) << type;
            EXPECT_EQ(wantsDisabledPainting(kind), kinds[type] == 'M') << type;
        }
    }
    // Static texts are aligned ones only (the notify bit aside), not icons or bitmaps.
    EXPECT_EQ(classifyChild(u"static", 0x102), ChildKind::TextStatic);
    EXPECT_TRUE(wantsDisabledPainting(ChildKind::TextStatic));
    for (auto [cls, style] : {std::pair(u"Static", 0x3), {u"Static", 0xE}, {u"Edit", 0}})
        EXPECT_EQ(classifyChild(cls, style), ChildKind::Other) << style;
    EXPECT_EQ(disabledMarkFor(u"Static", 0x3), DisabledMark::None);
    // The About box keeps visual styles off for its other children in light mode too.
    EXPECT_EQ(visualStyleName(dialogChildStyle(ChildKind::PushButton, true)), u"DarkMode_Explorer");
    EXPECT_EQ(visualStyleName(aboutChildStyle(ChildKind::PushButton, false)), u"Explorer");
    EXPECT_EQ(visualStyleName(dialogChildStyle(ChildKind::MarkButton, false)), u"");
    EXPECT_EQ(visualStyleName(dialogChildStyle(ChildKind::Other, true)), u" ");
    EXPECT_EQ(visualStyleName(aboutChildStyle(ChildKind::Other, false)), u" ");

    // Disabled marks keep their check inside and the text beside them.
    const Rect client{10, 20, 130, 40}, mark{10, 20, 24, 34}, text{28, 21, 130, 40};
    // A dot centred in the circle, clear of its outline; a tick fills more of the square.
    const std::tuple<DisabledMark, bool, Rect, Rect, Rect> rows[] = {
        {DisabledMark::Circle, false, mark, {}, text},
        {DisabledMark::Circle, true, mark, {14, 24, 20, 30}, text},
        {DisabledMark::Square, true, mark, {13, 23, 21, 31}, text},
        {DisabledMark::None, true, {}, {}, client}}; // a static text has no mark to check
    for (const auto& [kind, checked, markRect, checkRect, textRect] : rows) {
        const auto got = disabledPaintLayout(kind, client, checked);
        EXPECT_EQ(std::tie(got.markRect, got.checkRect, got.textRect),
                  std::tie(markRect, checkRect, textRect))
            << int(kind) << checked;
    }
}
TEST(ThemeRules, OnlyAnExplicitZeroIsDarkAndOnlyTheColourSetNoticeRereadsIt) {
    EXPECT_TRUE(darkFlagFromAppsUseLightTheme(0u));
    EXPECT_FALSE(darkFlagFromAppsUseLightTheme(1u) || darkFlagFromAppsUseLightTheme(std::nullopt));
    EXPECT_TRUE(settingChangeNamesColorSet(u"ImmersiveColorSet"));
    EXPECT_FALSE(settingChangeNamesColorSet(nullptr) ||
                 settingChangeNamesColorSet(u"ImmersiveColorSetX"));
}

TEST(ThemeRules, LinkInkMovesAsFarToItsWantedColourAsItWasDrawn) {
    auto rgb = [](std::uint32_t v) {
        return Rgb{std::uint8_t(v >> 16), std::uint8_t(v >> 8), std::uint8_t(v)};
    };
    const InkMapping map[] = {{rgb(0), kDarkText}, {rgb(0x0078D7), kDarkLink}};
    // Halfway to black ends halfway to white, even 21 steps off the line but not
    // 25; colours no mapping drew (white, a red focus mark) stay.
    const std::pair<std::uint32_t, std::uint32_t> rows[] = {
        {0, 0xFFFFFF},        {0x0078D7, 0x8CBEFF}, {0x1C1C1C, 0x9C9C9C}, {0x2B0D1C, 0x9C9C9C},
        {0x1C5888, 0x627B9C}, {0x2E0A1C, 0x2E0A1C}, {0xFFFFFF, 0xFFFFFF}, {0xC81E1E, 0xC81E1E}};
    for (const auto& [pixel, want] : rows)
        EXPECT_EQ(recolorInk(rgb(pixel), kDarkBackground, map, 2), rgb(want)) << std::hex << pixel;
    const InkMapping none[] = {{kDarkBackground, kDarkText}}; // drawn in the background
    EXPECT_EQ(recolorInk(rgb(0), kDarkBackground, none, 1), rgb(0));
}

TEST(ThemeRules, MenuBarItemsShowPressedOverHotAndDisabledOverBoth) {
    using namespace item_state;
    using S = BarItemState;
    const Rgb grey{109, 109, 109}, hot{61, 61, 61};
    const std::tuple<std::uint32_t, S, Rgb, Rgb, bool> rows[] = {
        {0, S::Normal, kMenuBarNormal, kDarkText, false},
        {kInactive | kDefault, S::Normal, kMenuBarNormal, kDarkText, false},
        {kHotLight | kNoAccel, S::Hot, hot, kDarkText, true},
        {kSelected | kHotLight, S::Pushed, {53, 53, 53}, kDarkText, false},
        {kGrayed, S::Disabled, kMenuBarNormal, grey, false},
        {kDisabled | kHotLight, S::Disabled, hot, grey, false}};
    for (const auto& row : rows) {
        const MenuBarItemLook l = menuBarItemLook(std::get<0>(row));
        EXPECT_EQ(std::tuple(std::get<0>(row), l.state, l.fill, l.text, l.hidePrefix), row);
    }
}
} // namespace
} // namespace tapwell::theme
