#include "keystroke/input_text.h"

#include <gtest/gtest.h>

using namespace tapwell;

TEST(BuildInputText, OneLineGetsPrefixAndSuffixAndNoLineFeed) {
    EXPECT_EQ(buildInputText(u"AB", u"X", u"Y"), u"XABY");
    EXPECT_EQ(buildInputText(u"", u"X", u"Y"), u"XY");
    EXPECT_EQ(buildInputText(u"", u"", u""), u"");
}

TEST(BuildInputText, EveryLineIsWrappedAndSeveralLinesEndWithOneLineFeed) {
    EXPECT_EQ(buildInputText(u"A\r\nB", u"P", u"S"), u"PAS\nPBS\n");
    EXPECT_EQ(buildInputText(u"A\r\n", u"P", u"S"), u"PAS\n");
    EXPECT_EQ(buildInputText(u"A\nB\n", u"P", u"S"), u"PAS\nPBS\n");
    EXPECT_EQ(buildInputText(u"A\n\nB", u"<", u">"), u"<A>\n<>\n<B>\n");
    EXPECT_EQ(buildInputText(u"\n", u"P", u"S"), u"PS\n");
}

TEST(BuildInputText, CarriageReturnsAreDroppedWherever) {
    EXPECT_EQ(buildInputText(u"A\r\nB", u"", u""), u"A\nB\n");
    EXPECT_EQ(buildInputText(u"A\rB", u"", u""), u"AB");
    EXPECT_EQ(buildInputText(u"\r\r", u"", u""), u"");
    EXPECT_EQ(buildInputText(u"\r\n\r", u"", u""), u"\n\n");
    // Only the box's units are filtered, not those of prefix and suffix.
    EXPECT_EQ(buildInputText(u"A", u"\r", u"\n"), u"\rA\n");
}
