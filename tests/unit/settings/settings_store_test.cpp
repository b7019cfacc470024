#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <string>

namespace tapwell {
namespace {

constexpr std::int32_t kFallback = 77;

std::string utf16le(std::u16string_view text, bool terminate = true) {
    std::string out;
    for (char16_t c : text) {
        out.push_back(static_cast<char>(c & 0xFF));
        out.push_back(static_cast<char>(c >> 8));
    }
    if (terminate)
        out.append(2, '\0');
    return out;
}

std::int32_t decode(RegistryValueType type, std::string_view data) {
    return decodeRegistryInteger(static_cast<std::uint32_t>(type), data, kFallback);
}

TEST(RegistryValueTest, IntegerTextsAreSignedDecimal) {
    EXPECT_EQ(parseRegistryIntegerText(u"12"), 12);
    EXPECT_EQ(parseRegistryIntegerText(u"+7"), 7);
    EXPECT_EQ(parseRegistryIntegerText(u"-45"), -45);
    EXPECT_EQ(parseRegistryIntegerText(u"007"), 7);
    EXPECT_EQ(parseRegistryIntegerText(u"-"), 0);
    EXPECT_EQ(parseRegistryIntegerText(u"+"), 0);
    EXPECT_EQ(parseRegistryIntegerText(u"2147483647"), INT32_MAX);
    EXPECT_EQ(parseRegistryIntegerText(u"-2147483648"), INT32_MIN);
}

TEST(RegistryValueTest, NonIntegerOrOversizedTextsAreRefused) {
    for (auto text : {u"12a", u"", u" 12", u"12 ", u"1-2", u"--1", u"0x10", u"１２", u"2147483648",
                      u"-2147483649", u"99999999999999999999"}) {
        EXPECT_EQ(parseRegistryIntegerText(text), std::nullopt);
    }
}

TEST(RegistryValueTest, TextTypesReadTheirNumberOrKeepTheFallback) {
    EXPECT_EQ(decode(RegistryValueType::String, utf16le(u"12")), 12);
    EXPECT_EQ(decode(RegistryValueType::String, utf16le(u"12a")), kFallback);
    EXPECT_EQ(decode(RegistryValueType::String, utf16le(u"12", false)), 12);
    EXPECT_EQ(decode(RegistryValueType::ExpandString, utf16le(u"-3")), -3);
    EXPECT_EQ(decode(RegistryValueType::MultiString, utf16le(std::u16string_view(u"5\0"
                                                                                 u"9",
                                                                                 3))),
              5);
    EXPECT_EQ(decode(RegistryValueType::String, ""), kFallback);
    EXPECT_EQ(decode(RegistryValueType::String, utf16le(u"4294967295")), kFallback);
    // An odd byte count: the last byte pairs with a zero.
    EXPECT_EQ(decode(RegistryValueType::String, std::string("1\0"
                                                            "2",
                                                            3)),
              12);
}

TEST(RegistryValueTest, NumericTypesTakeFourLittleEndianBytes) {
    EXPECT_EQ(decode(RegistryValueType::Dword, std::string("\x01\x02\x03\x04", 4)), 0x04030201);
    EXPECT_EQ(decode(RegistryValueType::Dword, std::string("\xFF\xFF\xFF\xFF", 4)), -1);
    EXPECT_EQ(decode(RegistryValueType::Binary, std::string("\x34\x12", 2)), 0x1234);
    EXPECT_EQ(decode(RegistryValueType::Binary, ""), 0);
    EXPECT_EQ(decode(RegistryValueType::Qword, std::string("\x05\0\0\0\x09\0\0\0", 8)), 5);
}

TEST(RegistryValueTest, BigEndianReversesTheFourBytes) {
    EXPECT_EQ(decode(RegistryValueType::DwordBigEndian, std::string("\0\0\x01\x02", 4)), 0x0102);
    EXPECT_EQ(decode(RegistryValueType::DwordBigEndian, std::string("\x80\0\0\0", 4)), INT32_MIN);
}

TEST(RegistryValueTest, OtherTypesKeepTheFallback) {
    EXPECT_EQ(decode(RegistryValueType::None, "\x01\0\0\0"), kFallback);
    EXPECT_EQ(decode(RegistryValueType::Link, "\x01\0\0\0"), kFallback);
    EXPECT_EQ(decodeRegistryInteger(8, std::string("\x01\0\0\0", 4), kFallback), kFallback);
}

} // namespace
} // namespace tapwell
