#include "dialog/dialog_layout.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <set>

using namespace tapwell;

namespace {

const LayoutRect kClient{0, 0, 600, 500};

LayoutRect place(AnchorKind kind, LayoutRect control, LayoutRect newClient, int topOffset = 0) {
    AnchorEntry e = measureAnchor(kind, kClient, control);
    auto p = placeAnchored(e, newClient, topOffset, control);
    EXPECT_TRUE(p.has_value());
    return p ? p->rect : control;
}

} // namespace

TEST(AnchorLayout, UnchangedClientLeavesEveryControlWhereItIs) {
    const LayoutRect control{20, 300, 120, 330};
    for (AnchorKind k : {AnchorKind::BottomLeft, AnchorKind::BottomRight, AnchorKind::StretchAcross,
                         AnchorKind::StretchBoth, AnchorKind::BottomStretchAcross})
        EXPECT_EQ(place(k, control, kClient), control) << int(k);
}

TEST(AnchorLayout, WiderMovesRightAnchoredAndStretchesAcross) {
    const LayoutRect wider{0, 0, 700, 500};
    // Start/Exit keep their distance to the right edge.
    EXPECT_EQ(place(AnchorKind::BottomRight, {400, 470, 480, 490}, wider),
              (LayoutRect{500, 470, 580, 490}));
    // Description widens, height kept.
    EXPECT_EQ(place(AnchorKind::StretchAcross, {10, 50, 590, 90}, wider),
              (LayoutRect{10, 50, 690, 90}));
    // Settings group widens and stays at the bottom.
    EXPECT_EQ(place(AnchorKind::BottomStretchAcross, {10, 300, 590, 450}, wider),
              (LayoutRect{10, 300, 690, 450}));
    EXPECT_EQ(place(AnchorKind::BottomLeft, {20, 320, 60, 340}, wider),
              (LayoutRect{20, 320, 60, 340}));
}

TEST(AnchorLayout, TallerMovesTheBottomAndLengthensOnlyTheTextBox) {
    const LayoutRect taller{0, 0, 600, 650};
    EXPECT_EQ(place(AnchorKind::StretchBoth, {10, 100, 590, 280}, taller),
              (LayoutRect{10, 100, 590, 430}));
    EXPECT_EQ(place(AnchorKind::StretchAcross, {10, 50, 590, 90}, taller),
              (LayoutRect{10, 50, 590, 90}));
    EXPECT_EQ(place(AnchorKind::BottomLeft, {20, 320, 60, 340}, taller),
              (LayoutRect{20, 470, 60, 490}));
    EXPECT_EQ(place(AnchorKind::BottomRight, {400, 470, 480, 490}, taller),
              (LayoutRect{400, 620, 480, 640}));
    EXPECT_EQ(place(AnchorKind::BottomStretchAcross, {150, 400, 590, 420}, taller),
              (LayoutRect{150, 550, 590, 570}));
}

TEST(AnchorLayout, TopOffsetShortensTheTextBoxFromItsNewTop) {
    // With the menu bar replaced by buttons the box has been pushed down by
    // the offset; its bottom must stay where it was.
    const int offset = 19;
    const LayoutRect pushed{10, 100 + offset, 590, 280 + offset};
    AnchorEntry e = measureAnchor(AnchorKind::StretchBoth, kClient, {10, 100, 590, 280});
    auto p = placeAnchored(e, kClient, offset, pushed);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->rect, (LayoutRect{10, 119, 590, 280}));
    EXPECT_TRUE(p->resize);
    EXPECT_FALSE(p->move);
}

TEST(AnchorLayout, FixedAndEndEntriesAreNotPlaced) {
    AnchorEntry fixed = measureAnchor(AnchorKind::Fixed, kClient, {1, 2, 3, 4});
    EXPECT_FALSE(placeAnchored(fixed, kClient, 0, {1, 2, 3, 4}).has_value());
    AnchorEntry end;
    end.kind = AnchorKind::End;
    EXPECT_FALSE(placeAnchored(end, kClient, 0, {1, 2, 3, 4}).has_value());
}

TEST(AnchorLayout, ClientNotAtOriginIsMeasuredFromItsEdges) {
    const LayoutRect client{5, 10, 605, 510};
    AnchorEntry e = measureAnchor(AnchorKind::StretchBoth, client, {15, 110, 595, 290});
    auto p = placeAnchored(e, {5, 10, 705, 610}, 0, {15, 110, 595, 290});
    ASSERT_TRUE(p);
    EXPECT_EQ(p->rect, (LayoutRect{15, 110, 695, 390}));
}

TEST(AnchorTable, MainDialogTableIsInOrderAndEnded) {
    auto table = mainDialogAnchors();
    ASSERT_EQ(table.size(), 36u);
    EXPECT_EQ(table.back().controlId, 0);
    EXPECT_EQ(table[0].controlId, IDC_MODE_KEYBOARD);
    EXPECT_EQ(table[4].controlId, IDC_TEXT);
    EXPECT_EQ(table[4].kind, AnchorKind::StretchBoth);
    EXPECT_EQ(table[33].controlId, IDC_START);
    EXPECT_EQ(table[33].kind, AnchorKind::BottomRight);
    std::set<int> ids;
    for (const AnchorSpec& a : table)
        ids.insert(a.controlId);
    EXPECT_EQ(ids.size(), table.size()) << "a control is listed twice";
    for (int id : {IDC_PREFIX, IDC_SUFFIX, IDC_SETTINGS_GROUP}) {
        for (const AnchorSpec& a : table) {
            if (a.controlId == id) {
                EXPECT_EQ(a.kind, AnchorKind::BottomStretchAcross) << id;
            }
        }
    }
}

TEST(Enlargement, FactorIsTheSmallerRatioAndFontsFollowIt) {
    EXPECT_DOUBLE_EQ(enlargementFactor(1200, 1500, 600, 500), 2.0);
    EXPECT_DOUBLE_EQ(enlargementFactor(300, 1000, 600, 500), 0.5);
    EXPECT_EQ(enlargedFontWeight(2.0), 600);
    EXPECT_EQ(enlargedFontWeight(1.0), 400);
    EXPECT_EQ(enlargedFontWeight(0.8), 400);
    EXPECT_EQ(textBoxFontHeight(0.0, Language::Japanese), 12);
    EXPECT_EQ(textBoxFontHeight(0.0, Language::English), 14);
    EXPECT_EQ(textBoxFontHeight(1.55, Language::Japanese), 18); // 18.6 truncated
    EXPECT_EQ(textBoxFontHeight(1.55, Language::English), 21);  // 21.7 truncated
}

TEST(Enlargement, RectanglesScaleByPositionAndSizeTruncated) {
    EXPECT_EQ(scaleRect({10, 20, 110, 45}, 1.5), (LayoutRect{15, 30, 165, 67}));
    // Size is scaled on its own, not derived from scaled edges.
    EXPECT_EQ(scaleRect({3, 3, 6, 6}, 1.5), (LayoutRect{4, 4, 8, 8}));
    EXPECT_DOUBLE_EQ(enlargementFactor(100, 100, 0, 50), 1.0);
}
