#include "theme/theme_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace tapwell::theme {
namespace {

TEST(DarkModeSetting, OnlyAnExplicitZeroIsDarkAndOnlyTheColourSetNoticeRereadsIt) {
    EXPECT_TRUE(darkFlagFromAppsUseLightTheme(0u));
    for (auto light : {std::optional<std::uint32_t>(1u), std::optional(0xFFFFFFFFu),
                       std::optional<std::uint32_t>()}) // older systems have no value
        EXPECT_FALSE(darkFlagFromAppsUseLightTheme(light));
    EXPECT_TRUE(settingChangeNamesColorSet(u"ImmersiveColorSet"));
    for (const char16_t* other : {(const char16_t*)nullptr, u"", u"Policy", u"ImmersiveColorSetX"})
        EXPECT_FALSE(settingChangeNamesColorSet(other));
    EXPECT_EQ(toColorRef(Rgb{1, 2, 3}), 0x030201u); // the platform packs blue highest
}

TEST(ChildRules, ClassAndStyleBitsGiveKindMarkAndVisualStyle) {
    // Per button type 0..15: Push, Mark or Other; a Square, a Circle or no mark.
    const std::string kinds = "PPMMMMMMOMOOOOOO", marks = "--SSCSS--C------";
    for (std::uint32_t type = 0; type < 16; ++type) {
        for (const char16_t* cls : {u"Button", u"BUTTON"}) { // visible, flat: type bits only
            EXPECT_EQ("PMTO"[int(classifyChild(cls, 0x50008000 | type))], kinds[type]) << type;
            EXPECT_EQ("-SC"[int(disabledMarkFor(cls, 0x50008000 | type))], marks[type]) << type;
        }
    }
    // Static texts are aligned ones only (the notify bit aside), not icons or bitmaps.
    for (std::uint32_t style : {0x0u, 0x1u, 0x102u})
        EXPECT_EQ(classifyChild(u"static", style), ChildKind::TextStatic) << style;
    for (std::uint32_t style : {0x3u, 0xEu})
        EXPECT_EQ(classifyChild(u"Static", style), ChildKind::Other) << style;
    EXPECT_EQ(classifyChild(u"Edit", 0), ChildKind::Other);
    EXPECT_EQ(disabledMarkFor(u"Static", 0x3), DisabledMark::None);
    for (ChildKind k :
         {ChildKind::PushButton, ChildKind::MarkButton, ChildKind::TextStatic, ChildKind::Other})
        EXPECT_EQ(wantsDisabledPainting(k),
                  k == ChildKind::MarkButton || k == ChildKind::TextStatic);

    // The About box keeps visual styles off for its other children in light mode too.
    struct Row {
        ChildKind kind;
        bool dark;
        const char16_t *dialog, *about;
    } rows[] = {{ChildKind::PushButton, false, u"Explorer", u"Explorer"},
                {ChildKind::PushButton, true, u"DarkMode_Explorer", u"DarkMode_Explorer"},
                {ChildKind::MarkButton, false, u"", u" "},
                {ChildKind::Other, true, u" ", u" "}};
    for (const Row& r : rows) {
        EXPECT_EQ(visualStyleName(dialogChildStyle(r.kind, r.dark)), r.dialog) << int(r.kind);
        EXPECT_EQ(visualStyleName(aboutChildStyle(r.kind, r.dark)), r.about) << int(r.kind);
    }
}

TEST(ChildRules, DisabledMarksKeepTheirCheckInsideAndTheTextBesideThem) {
    const Rect client{10, 20, 130, 40};
    struct Row {
        DisabledMark mark;
        bool checked;
        Rect markRect, checkRect, textRect;
    } rows[] = {
        {DisabledMark::Circle, false, {10, 20, 24, 34}, {}, {28, 21, 130, 40}},
        // A dot centred in the circle, clear of its outline; a tick fills more of the square.
        {DisabledMark::Circle, true, {10, 20, 24, 34}, {14, 24, 20, 30}, {28, 21, 130, 40}},
        {DisabledMark::Square, true, {10, 20, 24, 34}, {13, 23, 21, 31}, {28, 21, 130, 40}},
        {DisabledMark::None, true, {}, {}, client}, // a static text has no mark to check
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(int(r.mark));
        const auto layout = disabledPaintLayout(r.mark, client, r.checked);
        EXPECT_EQ(layout.markRect, r.markRect);
        EXPECT_EQ(layout.checkRect, r.checkRect);
        EXPECT_EQ(layout.textRect, r.textRect);
    }
}

TEST(LinkInk, MovesDrawnColoursToTheDarkLookWithTheirEdges) {
    const Rgb back = kDarkBackground, black{0, 0, 0}, highlight{0, 120, 215};
    const InkMapping map[] = {{black, kDarkText}, {highlight, kDarkLink}};
    const Rgb rows[][2] = {
        {black, kDarkText},
        {highlight, kDarkLink},
        {back, back},
        {{28, 28, 28}, {156, 156, 156}},    // an edge halfway to black becomes halfway to white
        {{28, 88, 136}, {98, 123, 156}},    // halfway to the highlight
        {{255, 255, 255}, {255, 255, 255}}, // colours no mapping drew stay
        {{200, 30, 30}, {200, 30, 30}},
    };
    for (const auto& r : rows)
        EXPECT_EQ(recolorInk(r[0], back, map, 2), r[1]) << int(r[0].r) << "," << int(r[0].g);
    // A mapping drawn in the background colour maps nothing.
    const InkMapping none[] = {{back, kDarkText}};
    EXPECT_EQ(recolorInk(black, back, none, 1), black);
}

TEST(MenuBarLook, StatesGiveTheirFillsAndTexts) {
    using namespace item_state;
    const Rgb grey{109, 109, 109};
    struct Row {
        std::uint32_t state;
        BarItemState look;
        Rgb fill, text;
        bool hidePrefix;
    } rows[] = {
        {0, BarItemState::Normal, kMenuBarNormal, kDarkText, false},
        {kHotLight, BarItemState::Hot, {61, 61, 61}, kDarkText, false},
        {kSelected | kHotLight, BarItemState::Pushed, {53, 53, 53}, kDarkText, false},
        {kGrayed, BarItemState::Disabled, kMenuBarNormal, grey, false},
        {kDisabled, BarItemState::Disabled, kMenuBarNormal, grey, false},
        {kGrayed | kHotLight, BarItemState::Disabled, {61, 61, 61}, grey, false},
        {kInactive, BarItemState::Normal, kMenuBarNormal, kDarkText, false},
        {kDefault, BarItemState::Normal, kMenuBarNormal, kDarkText, false},
        {kNoAccel | kHotLight, BarItemState::Hot, {61, 61, 61}, kDarkText, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.state);
        const auto look = menuBarItemLook(r.state);
        EXPECT_EQ(look.state, r.look);
        EXPECT_EQ(look.fill, r.fill);
        EXPECT_EQ(look.text, r.text);
        EXPECT_EQ(look.hidePrefix, r.hidePrefix);
    }
}

} // namespace
} // namespace tapwell::theme
