#include "theme/theme_rules.h"

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

constexpr std::uint32_t kVisibleChild = 0x50000000;

TEST(ChildRules, ClassifiesButtonsByTheirTypeBits) {
    EXPECT_EQ(classifyChild(u"Button", kVisibleChild | 0x0), ChildKind::PushButton);
    EXPECT_EQ(classifyChild(u"BUTTON", 0x1), ChildKind::PushButton);
    EXPECT_EQ(classifyChild(u"Button", 0x8000 | 0x0), ChildKind::PushButton); // flat push button
    for (std::uint32_t type : {2u, 3u, 4u, 5u, 6u, 7u, 9u})
        EXPECT_EQ(classifyChild(u"Button", kVisibleChild | type), ChildKind::MarkButton) << type;
    EXPECT_EQ(classifyChild(u"Button", 0xB), ChildKind::Other); // owner-drawn
}

TEST(ChildRules, OnlyAlignedStaticTextsAreTexts) {
    EXPECT_EQ(classifyChild(u"Static", 0x0), ChildKind::TextStatic);
    EXPECT_EQ(classifyChild(u"static", 0x1), ChildKind::TextStatic);
    EXPECT_EQ(classifyChild(u"Static", 0x2 | 0x100), ChildKind::TextStatic); // notify bit ignored
    EXPECT_EQ(classifyChild(u"Static", 0x3), ChildKind::Other);              // icon
    EXPECT_EQ(classifyChild(u"Static", 0xE), ChildKind::Other);              // bitmap
    EXPECT_EQ(classifyChild(u"Edit", 0x0), ChildKind::Other);
}

TEST(ChildRules, VisualStylesInBothModes) {
    EXPECT_EQ(visualStyleName(dialogChildStyle(ChildKind::PushButton, true)), u"DarkMode_Explorer");
    EXPECT_EQ(visualStyleName(dialogChildStyle(ChildKind::PushButton, false)), u"Explorer");
    EXPECT_EQ(visualStyleName(dialogChildStyle(ChildKind::Other, true)), u" ");
    EXPECT_TRUE(visualStyleName(dialogChildStyle(ChildKind::MarkButton, false)).empty());
    // The About box keeps visual styles off for its other children in light mode too.
    EXPECT_EQ(visualStyleName(aboutChildStyle(ChildKind::Other, false)), u" ");
    EXPECT_EQ(visualStyleName(aboutChildStyle(ChildKind::PushButton, false)), u"Explorer");
    EXPECT_EQ(visualStyleName(aboutChildStyle(ChildKind::PushButton, true)), u"DarkMode_Explorer");
}

TEST(ChildRules, DisabledPaintingTargetsAndLayout) {
    EXPECT_TRUE(wantsDisabledPainting(ChildKind::TextStatic));
    EXPECT_TRUE(wantsDisabledPainting(ChildKind::MarkButton));
    EXPECT_FALSE(wantsDisabledPainting(ChildKind::PushButton));
    EXPECT_FALSE(wantsDisabledPainting(ChildKind::Other));

    EXPECT_EQ(disabledMarkFor(u"Button", 0x3), DisabledMark::Square);
    EXPECT_EQ(disabledMarkFor(u"Button", 0x6), DisabledMark::Square);
    EXPECT_EQ(disabledMarkFor(u"Button", 0x9), DisabledMark::Circle);
    EXPECT_EQ(disabledMarkFor(u"Button", 0x4), DisabledMark::Circle);
    EXPECT_EQ(disabledMarkFor(u"Button", 0x7), DisabledMark::None);
    EXPECT_EQ(disabledMarkFor(u"Static", 0x3), DisabledMark::None);

    const Rect client{0, 0, 120, 20};
    const auto radio = disabledPaintLayout(DisabledMark::Circle, client);
    EXPECT_EQ(radio.markRect, (Rect{0, 0, 14, 14}));
    EXPECT_EQ(radio.textRect, (Rect{18, 1, 120, 20}));
    const auto text = disabledPaintLayout(DisabledMark::None, client);
    EXPECT_EQ(text.textRect, client);
    EXPECT_EQ(text.markRect, Rect{});
}

TEST(ChildRules, ACheckedMarkKeepsItsCheckInside) {
    const Rect client{10, 20, 130, 40};
    const auto radio = disabledPaintLayout(DisabledMark::Circle, client, true);
    EXPECT_EQ(radio.markRect, (Rect{10, 20, 24, 34}));
    // A dot centred in the circle, clear of its outline.
    EXPECT_EQ(radio.checkRect, (Rect{14, 24, 20, 30}));
    const auto box = disabledPaintLayout(DisabledMark::Square, client, true);
    EXPECT_EQ(box.checkRect, (Rect{13, 23, 21, 31}));
    EXPECT_EQ(box.textRect, (Rect{28, 21, 130, 40})) << "the text does not move for the check";

    EXPECT_EQ(disabledPaintLayout(DisabledMark::Circle, client, false).checkRect, Rect{});
    EXPECT_EQ(disabledPaintLayout(DisabledMark::None, client, true).checkRect, Rect{})
        << "a static text has no mark to check";
}

TEST(LinkInk, MovesDrawnColoursToTheDarkLookWithTheirEdges) {
    const Rgb back = kDarkBackground;
    const Rgb black{0, 0, 0}, highlight{0, 120, 215};
    const InkMapping map[] = {{black, kDarkText}, {highlight, kDarkLink}};
    auto recolor = [&](Rgb p) { return recolorInk(p, back, map, 2); };

    EXPECT_EQ(recolor(black), kDarkText);
    EXPECT_EQ(recolor(highlight), kDarkLink);
    EXPECT_EQ(recolor(back), back);
    // An antialiased edge halfway to black becomes halfway to white.
    EXPECT_EQ(recolor(Rgb{28, 28, 28}), (Rgb{156, 156, 156}));
    const Rgb halfLink{28, 88, 136};
    EXPECT_EQ(recolor(halfLink), (Rgb{98, 123, 156}));
    // Colours that no mapping drew stay: white text, a red focus mark.
    EXPECT_EQ(recolor(Rgb{255, 255, 255}), (Rgb{255, 255, 255}));
    EXPECT_EQ(recolor(Rgb{200, 30, 30}), (Rgb{200, 30, 30}));
    // A mapping drawn in the background colour maps nothing.
    const InkMapping none[] = {{back, kDarkText}};
    EXPECT_EQ(recolorInk(Rgb{0, 0, 0}, back, none, 1), (Rgb{0, 0, 0}));
}

TEST(MenuBarLook, StatesGiveTheirFillsAndParts) {
    using namespace item_state;
    const auto normal = menuBarItemLook(0);
    EXPECT_EQ(normal.state, BarItemState::Normal);
    EXPECT_EQ(normal.fill, kMenuBarNormal);
    EXPECT_EQ(normal.text, kDarkText);
    EXPECT_FALSE(normal.hidePrefix);

    const auto hot = menuBarItemLook(kHotLight);
    EXPECT_EQ(hot.state, BarItemState::Hot);
    EXPECT_EQ(hot.fill, (Rgb{61, 61, 61}));

    const auto pushed = menuBarItemLook(kSelected | kHotLight);
    EXPECT_EQ(pushed.state, BarItemState::Pushed);
    EXPECT_EQ(pushed.fill, (Rgb{53, 53, 53}));

    for (std::uint32_t off : {kGrayed, kDisabled, kGrayed | kHotLight}) {
        const auto look = menuBarItemLook(off);
        EXPECT_EQ(look.state, BarItemState::Disabled);
        EXPECT_EQ(look.text, (Rgb{109, 109, 109}));
    }
    EXPECT_EQ(menuBarItemLook(kInactive).state, BarItemState::Normal);
    EXPECT_EQ(menuBarItemLook(kDefault).fill, kMenuBarNormal);
    EXPECT_TRUE(menuBarItemLook(kNoAccel | kHotLight).hidePrefix);
}

} // namespace
} // namespace tapwell::theme
