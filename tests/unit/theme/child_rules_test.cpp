#include "theme/child_rules.h"

#include <gtest/gtest.h>

namespace tapwell::theme {
namespace {

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

} // namespace
} // namespace tapwell::theme
