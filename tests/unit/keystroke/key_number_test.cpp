#include "keystroke/key_number.h"

#include <gtest/gtest.h>

using namespace tapwell;

TEST(ReadLong32, ReadsLikeTheWindowsStrtol) {
    const struct {
        const char16_t* text;
        int base;
        std::int32_t value;
    } cases[] = {
        {u" \t\n\v\f\r42x", 10, 42},
        {u"-7", 10, -7},
        {u"-", 10, 0},
        {u"1 2", 10, 1},
        {u"\uFF11\uFF12", 10, 0}, // only ASCII digits
        {u"\u30001", 10, 0},      // and ASCII blanks count
        {u"2147483648", 10, INT32_MAX},
        {u"-2147483648", 10, INT32_MIN},
        {u"-2147483649", 10, INT32_MIN},
        {u"99999999999999999999999999", 10, INT32_MAX},
        {u"0XfF", 16, 255},
        {u"0xg1", 16, 0}, // the prefix needs a digit after it
        {u"-0x80000000", 16, INT32_MIN},
        {u"0x80000000", 16, INT32_MAX},
        {u"018", 8, 1},
        {u"037777777777", 8, INT32_MAX},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readLong32(c.text, c.base), c.value) << c.base;
}
