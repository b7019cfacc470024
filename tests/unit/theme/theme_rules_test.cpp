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
} // namespace
} // namespace tapwell::theme
