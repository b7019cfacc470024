#include "dialog/dialog_layout.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <map>

using namespace tapwell;

TEST(AnchorLayout, ControlsKeepTheirDistancesToTheEdgesTheyAreAnchoredTo) {
    using K = AnchorKind;
    const LayoutRect client{0, 0, 600, 500}, wider{0, 0, 700, 500}, taller{0, 0, 600, 650};
    struct Row {
        K kind;
        LayoutRect measuredIn, control, placedIn, want;
        int topOffset = 0;
    } rows[] = {
        {K::BottomLeft, client, {20, 300, 120, 330}, client, {20, 300, 120, 330}},
        {K::BottomRight, client, {20, 300, 120, 330}, client, {20, 300, 120, 330}},
        {K::StretchAcross, client, {20, 300, 120, 330}, client, {20, 300, 120, 330}},
        {K::StretchBoth, client, {20, 300, 120, 330}, client, {20, 300, 120, 330}},
        {K::BottomStretchAcross, client, {20, 300, 120, 330}, client, {20, 300, 120, 330}},
        // Start and Exit keep their distance to the right edge; the description
        // widens at its height; the settings group widens and stays at the bottom.
        {K::BottomRight, client, {400, 470, 480, 490}, wider, {500, 470, 580, 490}},
        {K::StretchAcross, client, {10, 50, 590, 90}, wider, {10, 50, 690, 90}},
        {K::BottomStretchAcross, client, {10, 300, 590, 450}, wider, {10, 300, 690, 450}},
        {K::BottomLeft, client, {20, 320, 60, 340}, wider, {20, 320, 60, 340}},
        // Taller: the bottom rows move down and only the text box lengthens.
        {K::StretchBoth, client, {10, 100, 590, 280}, taller, {10, 100, 590, 430}},
        {K::StretchAcross, client, {10, 50, 590, 90}, taller, {10, 50, 590, 90}},
        {K::BottomLeft, client, {20, 320, 60, 340}, taller, {20, 470, 60, 490}},
        {K::BottomRight, client, {400, 470, 480, 490}, taller, {400, 620, 480, 640}},
        {K::BottomStretchAcross, client, {150, 400, 590, 420}, taller, {150, 550, 590, 570}},
        // With the menu bar replaced by buttons the text box has been pushed
        // down by the offset; its bottom stays where it was.
        {K::StretchBoth, client, {10, 100, 590, 280}, client, {10, 119, 590, 280}, 19},
        // A client area not at the origin is measured from its own edges.
        {K::StretchBoth,
         {5, 10, 605, 510},
         {15, 110, 595, 290},
         {5, 10, 705, 610},
         {15, 110, 695, 390}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message()
                     << int(r.kind) << " to " << r.want.right << "," << r.want.bottom);
        const AnchorEntry e = measureAnchor(r.kind, r.measuredIn, r.control);
        LayoutRect current = r.control;
        current.top += r.topOffset;
        current.bottom += r.topOffset;
        const auto p = placeAnchored(e, r.placedIn, r.topOffset, current);
        ASSERT_TRUE(p.has_value());
        EXPECT_EQ(p->rect, r.want);
        EXPECT_EQ(p->move, r.kind == K::BottomLeft || r.kind == K::BottomRight ||
                               r.kind == K::BottomStretchAcross);
        EXPECT_EQ(p->resize, r.kind == K::StretchAcross || r.kind == K::StretchBoth ||
                                 r.kind == K::BottomStretchAcross);
    }
    for (K leftAlone : {K::Fixed, K::End}) {
        const AnchorEntry e = measureAnchor(leftAlone, client, {1, 2, 3, 4});
        EXPECT_FALSE(placeAnchored(e, wider, 0, {1, 2, 3, 4}).has_value());
    }
}

TEST(AnchorLayout, MainDialogTableNamesEachControlOnceAndEndsWithZero) {
    const auto table = mainDialogAnchors();
    std::map<int, AnchorKind> kinds;
    for (const AnchorSpec& a : table)
        kinds[a.controlId] = a.kind;
    EXPECT_EQ(kinds.size(), 36u);
    EXPECT_EQ(table.size(), 36u);
    EXPECT_EQ(table.back().controlId, 0);
    const std::pair<int, AnchorKind> rules[] = {
        {IDC_MODE_KEYBOARD, AnchorKind::Fixed},
        {IDC_TEXT, AnchorKind::StretchBoth},
        {IDC_START, AnchorKind::BottomRight},
        {IDC_EXIT, AnchorKind::BottomRight},
        {IDC_PREFIX, AnchorKind::BottomStretchAcross},
        {IDC_SUFFIX, AnchorKind::BottomStretchAcross},
        {IDC_SETTINGS_GROUP, AnchorKind::BottomStretchAcross}};
    for (const auto& [id, kind] : rules)
        EXPECT_EQ(kinds[id], kind) << id;
}

TEST(Enlargement, TheSmallerRatioScalesRectanglesAndFonts) {
    EXPECT_DOUBLE_EQ(enlargementFactor(1200, 1500, 600, 500), 2.0);
    EXPECT_DOUBLE_EQ(enlargementFactor(300, 1000, 600, 500), 0.5);
    EXPECT_DOUBLE_EQ(enlargementFactor(100, 100, 0, 50), 1.0);
    EXPECT_DOUBLE_EQ(enlargementFactor(100, 100, 50, 0), 1.0);
    EXPECT_EQ(enlargedFontWeight(2.0), 600);
    EXPECT_EQ(enlargedFontWeight(1.0), 400);
    EXPECT_EQ(textBoxFontHeight(0.0, Language::Japanese), 12); // 0: not enlarged
    EXPECT_EQ(textBoxFontHeight(0.0, Language::English), 14);
    EXPECT_EQ(textBoxFontHeight(1.55, Language::Japanese), 18); // 18.6 truncated
    EXPECT_EQ(textBoxFontHeight(1.55, Language::English), 21);  // 21.7 truncated
    EXPECT_EQ(scaleRect({10, 20, 110, 45}, 1.5), (LayoutRect{15, 30, 165, 67}));
    // The size is scaled on its own, not taken from the scaled edges.
    EXPECT_EQ(scaleRect({3, 3, 6, 6}, 1.5), (LayoutRect{4, 4, 8, 8}));
}
