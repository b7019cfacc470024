#include "keystroke/key_number.h"

#include <gtest/gtest.h>

using namespace tapwell;

TEST(ReadLong32, DecimalWithBlanksSignAndTrailingText) {
    EXPECT_EQ(readLong32(u"13", 10), 13);
    EXPECT_EQ(readLong32(u" \t\n\v\f\r42x", 10), 42);
    EXPECT_EQ(readLong32(u"+7", 10), 7);
    EXPECT_EQ(readLong32(u"-7", 10), -7);
    EXPECT_EQ(readLong32(u"", 10), 0);
    EXPECT_EQ(readLong32(u"-", 10), 0);
    EXPECT_EQ(readLong32(u"x12", 10), 0);
    EXPECT_EQ(readLong32(u"1 2", 10), 1);
    // Only ASCII digits and blanks count.
    EXPECT_EQ(readLong32(u"\uFF11\uFF12", 10), 0);
    EXPECT_EQ(readLong32(u"\u30001", 10), 0);
}

TEST(ReadLong32, SaturatesAtTheSigned32BitLimits) {
    EXPECT_EQ(readLong32(u"2147483647", 10), INT32_MAX);
    EXPECT_EQ(readLong32(u"2147483648", 10), INT32_MAX);
    EXPECT_EQ(readLong32(u"-2147483648", 10), INT32_MIN);
    EXPECT_EQ(readLong32(u"-2147483649", 10), INT32_MIN);
    EXPECT_EQ(readLong32(u"99999999999999999999999999", 10), INT32_MAX);
    EXPECT_EQ(readLong32(u"0x80000000", 16), INT32_MAX);
    EXPECT_EQ(readLong32(u"-0x80000000", 16), INT32_MIN);
    EXPECT_EQ(readLong32(u"037777777777", 8), INT32_MAX);
}

TEST(ReadLong32, HexAndOctal) {
    EXPECT_EQ(readLong32(u"0x0d", 16), 13);
    EXPECT_EQ(readLong32(u"0XfF", 16), 255);
    EXPECT_EQ(readLong32(u"ff", 16), 255);
    EXPECT_EQ(readLong32(u"0x", 16), 0);
    EXPECT_EQ(readLong32(u"0xg1", 16), 0); // the prefix needs a digit after it
    EXPECT_EQ(readLong32(u"015", 8), 13);
    EXPECT_EQ(readLong32(u"018", 8), 1);
    EXPECT_EQ(readLong32(u"08", 8), 0);
}
