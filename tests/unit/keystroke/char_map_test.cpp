#include "keystroke/key_tables.h"

#include <gtest/gtest.h>

#include <string>

using namespace tapwell;

namespace {

std::uint8_t keyOf(std::u16string text) {
    std::size_t pos = 0;
    return mapKeyboardChar(text, pos);
}

} // namespace

TEST(CharMap, DigitsAndCapitalsAreTheirOwnKeys) {
    for (char16_t c = u'0'; c <= u'9'; ++c)
        EXPECT_EQ(keyOf(std::u16string(1, c)), c);
    for (char16_t c = u'A'; c <= u'Z'; ++c)
        EXPECT_EQ(keyOf(std::u16string(1, c)), c);
}

TEST(CharMap, ShiftedAndUnshiftedSymbolsShareTheirKeycap) {
    const struct {
        const char16_t* units;
        std::uint8_t vk;
    } rows[] = {
        {u"-=", 0xBD}, {u"^~", 0xDE}, {u"\\|", 0xDC}, {u"@`", 0xC0}, {u";+", 0xBB}, {u":*", 0xBA},
        {u"]", 0xDD},  {u",<", 0xBC}, {u".>", 0xBE},  {u"/?", 0xBF}, {u"_", 0xE2},
    };
    for (const auto& row : rows) {
        for (const char16_t* u = row.units; *u; ++u)
            EXPECT_EQ(keyOf(std::u16string(1, *u)), row.vk) << static_cast<char>(*u);
    }
}
