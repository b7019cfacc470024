#include "script/script_value.h"

#include <gtest/gtest.h>

#include <limits>

namespace tapwell {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

TEST(ToInteger, ReadsTheLeadingDecimalNumberLikeStrtol) {
    EXPECT_EQ(ToInteger("12abc"), 12);
    EXPECT_EQ(ToInteger("abc"), 0);
    EXPECT_EQ(ToInteger(" -7"), -7);
    EXPECT_EQ(ToInteger("\t\n\v\f\r +42"), 42);
    EXPECT_EQ(ToInteger("0x10"), 0);
    EXPECT_EQ(ToInteger("007"), 7);
    EXPECT_EQ(ToInteger("7 apples"), 7);
    EXPECT_EQ(ToInteger(""), 0);
    EXPECT_EQ(ToInteger("-"), 0);
    EXPECT_EQ(ToInteger("+-3"), 0);
    EXPECT_EQ(ToInteger("- 3"), 0);
    EXPECT_EQ(ToInteger("1 2"), 1);
}

TEST(ToInteger, StopsAtBytesThatAreNotWhiteSpaceOrDigits) {
    // Non-breaking space and other non-ASCII bytes are not white space.
    EXPECT_EQ(ToInteger("\xC2\xA0"
                        "5"),
              0);
    EXPECT_EQ(ToInteger(std::string_view("4\0"
                                         "2",
                                         3)),
              4);
    EXPECT_EQ(ToInteger("\x01"
                        "3"),
              0);
}

TEST(ToInteger, SaturatesAtTheThirtyTwoBitRange) {
    EXPECT_EQ(ToInteger("2147483647"), kMax);
    EXPECT_EQ(ToInteger("2147483648"), kMax);
    EXPECT_EQ(ToInteger("-2147483648"), kMin);
    EXPECT_EQ(ToInteger("-2147483649"), kMin);
    EXPECT_EQ(ToInteger("99999999999999999999999999999"), kMax);
    EXPECT_EQ(ToInteger("-99999999999999999999999999999x"), kMin);
    EXPECT_EQ(ToInteger("000000000000000000000000000012"), 12);
}

TEST(ToText, FormatsLikePercentD) {
    EXPECT_EQ(ToText(ScriptValue(0)), "0");
    EXPECT_EQ(ToText(ScriptValue(-12)), "-12");
    EXPECT_EQ(ToText(ScriptValue(kMin)), "-2147483648");
    EXPECT_EQ(ToText(ScriptValue(kMax)), "2147483647");
    EXPECT_EQ(ToText(ScriptValue("007")), "007");
}

TEST(ToText, AppendAndInPlaceConversionAgreeWithToText) {
    std::string out = "a";
    appendText(out, ScriptValue(-3));
    appendText(out, ScriptValue("b"));
    EXPECT_EQ(out, "a-3b");

    ScriptValue v(42);
    EXPECT_EQ(makeText(v), "42");
    EXPECT_TRUE(v.isString());
    EXPECT_EQ(v.integer, 0);
    EXPECT_EQ(v, ScriptValue("42"));
}

TEST(IsTrue, StringsAreTrueWhenNotEmptyIntegersWhenNotZero) {
    EXPECT_TRUE(IsTrue(ScriptValue("0")));
    EXPECT_FALSE(IsTrue(ScriptValue("")));
    EXPECT_TRUE(IsTrue(ScriptValue(-1)));
    EXPECT_FALSE(IsTrue(ScriptValue(0)));
}

} // namespace
} // namespace tapwell
