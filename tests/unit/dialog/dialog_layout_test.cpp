#include "dialog/dialog_layout.h"

#include <gtest/gtest.h>

using namespace tapwell;
using K = AnchorKind;

TEST(AnchorLayout, ControlsKeepTheirDistancesToTheEdgesTheyAreAnchoredTo) {
    const LayoutRect client{0, 0, 600, 500}, wider{0, 0, 700, 500}, taller{0, 0, 600, 650};
    // Start and Exit keep their distance to the right edge, the settings group
    // and the bottom rows to the bottom; only the text box lengthens.
    const std::tuple<K, LayoutRect, LayoutRect, LayoutRect> rows[] = {
        {K::BottomRight, {400, 470, 480, 490}, wider, {500, 470, 580, 490}},
        {K::StretchAcross, {10, 50, 590, 90}, wider, {10, 50, 690, 90}},
        {K::BottomStretchAcross, {10, 300, 590, 450}, wider, {10, 300, 690, 450}},
        {K::StretchBoth, {10, 100, 590, 280}, taller, {10, 100, 590, 430}},
        {K::BottomLeft, {20, 320, 60, 340}, taller, {20, 470, 60, 490}},
        {K::BottomRight, {400, 470, 480, 490}, taller, {400, 620, 480, 640}},
        {K::BottomStretchAcross, {150, 400, 590, 420}, taller, {150, 550, 590, 570}},
    };
    for (const auto& [kind, control, to, want] : rows) {
        SCOPED_TRACE(int(kind));
        const auto p = placeAnchored(measureAnchor(kind, client, control), to, 0, control);
        ASSERT_TRUE(p.has_value());
        EXPECT_EQ(p->rect, want);
        EXPECT_EQ(p->move, kind != K::StretchAcross && kind != K::StretchBoth);
        EXPECT_EQ(p->resize, kind != K::BottomLeft && kind != K::BottomRight);
        EXPECT_EQ(placeAnchored(measureAnchor(kind, client, control), client, 0, control)->rect,
                  control);
    }
    // With the menu bar replaced by buttons the text box has been pushed down
    // by the offset; its bottom stays where it was.
    const AnchorEntry text = measureAnchor(K::StretchBoth, client, {10, 100, 590, 280});
    EXPECT_EQ(placeAnchored(text, client, 19, {10, 119, 590, 299})->rect,
              (LayoutRect{10, 119, 590, 280}));
    // A client area not at the origin is measured from its own edges.
    const AnchorEntry moved = measureAnchor(K::StretchBoth, {5, 10, 605, 510}, {15, 110, 595, 290});
    EXPECT_EQ(placeAnchored(moved, {5, 10, 705, 610}, 0, {15, 110, 595, 290})->rect,
              (LayoutRect{15, 110, 695, 390}));
    for (K alone : {K::Fixed, K::End})
        EXPECT_FALSE(
            placeAnchored(measureAnchor(alone, client, {1, 2, 3, 4}), wider, 0, {1, 2, 3, 4}));
}

TEST(Enlargement, TheSmallerRatioScalesRectanglesAndFonts) {
    EXPECT_EQ(enlargementFactor(1200, 1500, 600, 500), 2.0);
    EXPECT_EQ(enlargementFactor(300, 1000, 600, 500), 0.5);
    EXPECT_EQ(enlargementFactor(9, 9, 0, 50), 1.0); // no window size yet
    EXPECT_EQ(enlargedFontWeight(2.0), 600);
    EXPECT_EQ(enlargedFontWeight(1.0), 400);
    EXPECT_EQ(textBoxFontHeight(0.0, Language::Japanese), 12); // 0: not enlarged
    EXPECT_EQ(textBoxFontHeight(1.55, Language::English), 21); // 21.7 truncated
    // The size is scaled on its own, not taken from the scaled edges.
    EXPECT_EQ(scaleRect({10, 20, 110, 45}, 1.5), (LayoutRect{15, 30, 165, 67}));
    EXPECT_EQ(scaleRect({3, 3, 6, 6}, 1.5), (LayoutRect{4, 4, 8, 8}));
}
