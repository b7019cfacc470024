#include "settings/settings_store.h"

#include <gtest/gtest.h>

namespace tapwell {
namespace {

using namespace std::string_literals;

std::string utf16le(std::u16string_view text) {
    std::string out;
    for (char16_t c : text)
        out += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    return out;
}

TEST(RegistryValue, IntegerTextsAreSignedDecimalsThatFit) {
    const std::pair<std::u16string_view, std::optional<std::int32_t>> cases[] = {
        {u"12", 12},
        {u"+7", 7},
        {u"-45", -45},
        {u"007", 7},
        {u"-", 0},
        {u"+", 0},
        {u"2147483647", INT32_MAX},
        {u"-2147483648", INT32_MIN},
        {u"12a", {}},
        {u"", {}},
        {u" 12", {}},
        {u"12 ", {}},
        {u"1-2", {}},
        {u"--1", {}},
        {u"0x10", {}},
        {u"１２", {}},
        {u"2147483648", {}},
        {u"-2147483649", {}},
        {u"99999999999999999999", {}}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(parseRegistryIntegerText(text), value) << text.size();
}

// Any value type: texts give their number, numbers their first four bytes,
// anything else (or a text that is no number) the fallback, 77 here.
TEST(RegistryValue, EveryTypeDecodesOrKeepsTheFallback) {
    const struct {
        std::uint32_t type;
        std::string data;
        std::int32_t value;
    } cases[] = {
        {1, utf16le(u"12"), 12}, // a string
        {1, utf16le(u"12a"), 77},
        {1,
         "1\0"
         "2"s,
         12}, // an odd last byte pairs with a zero
        {1, "", 77},
        {1, utf16le(u"4294967295"), 77},
        {2, utf16le(u"-3"), -3}, // expandable string
        {7,
         utf16le(std::u16string_view(u"5\0"
                                     u"9",
                                     3)),
         5},                                  // multi-string: the first
        {4, "\x01\x02\x03\x04"s, 0x04030201}, // little-endian number
        {4, "\xFF\xFF\xFF\xFF"s, -1},
        {3, "\x34\x12"s, 0x1234}, // binary
        {3, "", 0},
        {11, "\x05\0\0\0\x09\0\0\0"s, 5}, // 64-bit number
        {5, "\0\0\x01\x02"s, 0x0102},     // big-endian number
        {5, "\x80\0\0\0"s, INT32_MIN},
        {0, "\x01\0\0\0"s, 77},
        {6, "\x01\0\0\0"s, 77},
        {8, "\x01\0\0\0"s, 77},
    };
    for (const auto& c : cases)
        EXPECT_EQ(decodeRegistryInteger(c.type, c.data, 77), c.value) << c.type << " " << c.data;
}

} // namespace
} // namespace tapwell
