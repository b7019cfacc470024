#include "builtin_test_env.h"

#include <gtest/gtest.h>

namespace tapwell::test {
namespace {

class StringBuiltins : public ::testing::Test {
  protected:
    TestBuiltinEnv env;
    ScriptValue call(std::string_view name, std::vector<ScriptValue> args) {
        return env.call(name, std::move(args));
    }
    void TearDown() override { EXPECT_TRUE(env.errors.empty()); }
};

TEST_F(StringBuiltins, LengthsCountBytes) {
    EXPECT_EQ(call("strlen", {S("日本")}), I(6));
    EXPECT_EQ(call("STRLEN", {I(-12)}), I(3));
    EXPECT_EQ(call("STRLEN", {S("")}), I(0));
    EXPECT_EQ(call("left$", {S("日本"), I(1)}), S("\xE6"));
}

TEST_F(StringBuiltins, Conversions) {
    EXPECT_EQ(call("TOINT", {S(" 12abc")}), I(12));
    EXPECT_EQ(call("TOSTR$", {I(-5)}), S("-5"));
    EXPECT_EQ(call("TOSTR$", {S("x")}), S("x"));
    EXPECT_EQ(call("TOSTR2$", {I(5)}), S("101"));
    EXPECT_EQ(call("TOSTR2$", {I(0)}), S("0"));
    EXPECT_EQ(call("TOSTR2$", {I(-1)}), S(std::string(32, '1')));
    EXPECT_EQ(call("TOSTR2$", {I(std::numeric_limits<std::int32_t>::min())}),
              S("1" + std::string(31, '0')));
    EXPECT_EQ(call("TOSTR16$", {I(255)}), S("FF"));
    EXPECT_EQ(call("TOSTR16$", {I(10)}), S("A"));
    EXPECT_EQ(call("TOSTR16$", {I(256)}), S("0"));
    EXPECT_EQ(call("TOSTR16$", {I(0x1234)}), S("34"));
    EXPECT_EQ(call("TOSTR16$", {I(-1)}), S("FF"));
    EXPECT_EQ(call("TOSTR16$", {S("171")}), S("AB"));
}

TEST_F(StringBuiltins, ArgumentsConvertToTheKindTheyAreReadAs) {
    EXPECT_EQ(call("LEFT$", {I(12345), S("2")}), S("12"));
    EXPECT_EQ(call("STRSTR", {I(12345), I(34)}), I(2));
}

TEST_F(StringBuiltins, Search) {
    EXPECT_EQ(call("STRSTR", {S("abcabc"), S("c")}), I(2));
    EXPECT_EQ(call("STRSTR", {S("abc"), S("d")}), I(-1));
    EXPECT_EQ(call("STRSTR", {S("abc"), S("")}), I(0));
    EXPECT_EQ(call("STRSTR", {S(""), S("")}), I(0));
    EXPECT_EQ(call("STRSTR", {S("abc"), S("C")}), I(-1));
    EXPECT_EQ(call("STRSTRI", {S("ABC"), S("b")}), I(1));
    EXPECT_EQ(call("STRSTRI", {S("xyzÄ"), S("ä")}), I(-1)); // only ASCII folds
    EXPECT_EQ(call("STRSTR", {S("日本語"), S("語")}), I(6));
}

TEST_F(StringBuiltins, Padding) {
    EXPECT_EQ(call("PADLEFT$", {S("7"), I(3), S("0")}), S("007"));
    EXPECT_EQ(call("PADLEFT$", {S("7"), I(3), S("")}), S("  7"));
    EXPECT_EQ(call("PADLEFT$", {S("7"), I(3)}), S("  7"));
    EXPECT_EQ(call("PADLEFT$", {S("7"), I(3), S("xy")}), S("xx7"));
    EXPECT_EQ(call("PADRIGHT$", {S("abcd"), I(2)}), S("abcd"));
    EXPECT_EQ(call("PADRIGHT$", {S("ab"), I(4), I(9)}), S("ab99"));
    EXPECT_EQ(call("PADLEFT$", {S("ab"), I(2), S("-")}), S("ab"));
    EXPECT_EQ(call("PADLEFT$", {S("ab"), I(-5), S("-")}), S("ab"));
    EXPECT_EQ(call("PADRIGHT$", {S(""), I(-1)}), S(""));
    EXPECT_EQ(call("PADLEFT$", {I(5), S("3"), I(0)}), S("005"));
}

TEST_F(StringBuiltins, Trimming) {
    EXPECT_EQ(call("TRIMLEFT$", {S("xxaxx"), S("x")}), S("axx"));
    EXPECT_EQ(call("TRIMRIGHT$", {S("xxaxx"), S("x")}), S("xxa"));
    EXPECT_EQ(call("TRIMRIGHT$", {S(""), S("x")}), S(""));
    EXPECT_EQ(call("TRIMLEFT$", {S("   ")}), S("   "));
    EXPECT_EQ(call("TRIMRIGHT$", {S("xxx"), S("x")}), S("xxx"));
    EXPECT_EQ(call("TRIMLEFT$", {S("  a b  ")}), S("a b  "));
    EXPECT_EQ(call("TRIMRIGHT$", {S("  a b  "), S("")}), S("  a b"));
    EXPECT_EQ(call("TRIMLEFT$", {S("\t- a"), S(" -\t")}), S("a"));
    EXPECT_EQ(call("TRIMLEFT$", {S("001200"), I(0)}), S("1200"));
    // Bytes of the set are bytes: any byte of 日 goes, whatever character it is in.
    EXPECT_EQ(call("TRIMRIGHT$", {S("a\xE6\x97\xA5"), S("\xA5\x97")}), S("a\xE6"));
}

TEST_F(StringBuiltins, CaseMappingIsAsciiOnly) {
    EXPECT_EQ(call("STRUPR$", {S("abz[`{äé1")}), S("ABZ[`{äé1"));
    EXPECT_EQ(call("STRLWR$", {S("ABZ@[ÄÉ1")}), S("abz@[ÄÉ1"));
    EXPECT_EQ(call("STRUPR$", {I(-1)}), S("-1"));
}

TEST_F(StringBuiltins, LeftAndRight) {
    EXPECT_EQ(call("LEFT$", {S("abc"), I(2)}), S("ab"));
    EXPECT_EQ(call("LEFT$", {S("abc"), I(0)}), S(""));
    EXPECT_EQ(call("LEFT$", {S("abc"), I(-1)}), S("abc"));
    EXPECT_EQ(call("LEFT$", {S("abc"), I(3)}), S("abc"));
    EXPECT_EQ(call("RIGHT$", {S("abc"), I(5)}), S("abc"));
    EXPECT_EQ(call("RIGHT$", {S("abc"), I(2)}), S("bc"));
    EXPECT_EQ(call("RIGHT$", {S("abc"), I(0)}), S(""));
    EXPECT_EQ(call("RIGHT$", {S("abc"), I(-1)}), S("abc"));
    EXPECT_EQ(call("RIGHT$", {S("abc"), I(std::numeric_limits<std::int32_t>::min())}), S("abc"));
}

TEST_F(StringBuiltins, Mid) {
    EXPECT_EQ(call("MID$", {S("abcdef"), I(2), I(3)}), S("bcd"));
    EXPECT_EQ(call("MID$", {S("abcdef"), I(0), I(2)}), S("ab"));
    EXPECT_EQ(call("MID$", {S("abcdef"), I(1), I(2)}), S("ab"));
    EXPECT_EQ(call("MID$", {S("abcdef"), I(-9), I(1)}), S("a"));
    EXPECT_EQ(call("MID$", {S("abc"), I(4), I(1)}), S(""));
    EXPECT_EQ(call("MID$", {S("abc"), I(2), I(-1)}), S("bc"));
    EXPECT_EQ(call("MID$", {S("abc"), I(3), I(10)}), S("c"));
    EXPECT_EQ(call("MID$", {S("abc"), I(2), I(0)}), S(""));
    EXPECT_EQ(call("SUBSTR$", {S(""), I(1), I(1)}), S(""));
    EXPECT_EQ(call("SUBSTRING$", {S("abc"), I(std::numeric_limits<std::int32_t>::max()), I(1)}),
              S(""));
}

TEST_F(StringBuiltins, ByteCodes) {
    EXPECT_EQ(call("GETASCIICODE", {S("A"), I(0)}), I(65));
    EXPECT_EQ(call("GETASCIICODE", {S("A"), I(1)}), I(-1));
    EXPECT_EQ(call("GETASCIICODE", {S("A"), I(-1)}), I(-1));
    EXPECT_EQ(call("GETASCIICODE", {S("\xFF\x80"), I(0)}), I(-1));
    EXPECT_EQ(call("GETASCIICODE", {S("\xFF\x80"), I(1)}), I(-128));
    EXPECT_EQ(call("GETASCIICODE", {I(42), S("1")}), I('2'));
    EXPECT_EQ(call("ASCIICODE$", {I(65)}), S("A"));
    EXPECT_EQ(call("ASCIICODE$", {I(0x141)}), S("A"));
    EXPECT_EQ(call("ASCIICODE$", {I(-1)}), S("\xFF"));
    EXPECT_EQ(call("ASCIICODE$", {I(256)}), S(""));
    EXPECT_EQ(call("ASCIICODE$", {I(0)}), S(""));
}

TEST_F(StringBuiltins, Replace) {
    EXPECT_EQ(call("REPLACE$", {S("aaa"), S("a"), S("aa")}), S("aaaaaa"));
    EXPECT_EQ(call("REPLACE$", {S("a-b-c"), S("-")}), S("abc"));
    EXPECT_EQ(call("REPLACE$", {S("aaaa"), S("aa"), S("b")}), S("bb"));
    EXPECT_EQ(call("REPLACE$", {S("aaa"), S("aa"), S("x")}), S("xa"));
    EXPECT_EQ(call("REPLACE$", {S("Aa"), S("a"), S("x")}), S("Ax"));
    EXPECT_EQ(call("REPLACE$", {S("abc"), S("d"), S("x")}), S("abc"));
    EXPECT_EQ(call("REPLACE$", {S("abab"), S("ab"), S("ba")}), S("baba"));
    EXPECT_EQ(call("REPLACE$", {I(1001), I(0), I(7)}), S("1771"));
    EXPECT_EQ(call("REPLACE$", {S(""), S("a"), S("b")}), S(""));
}

TEST_F(StringBuiltins, ReplaceWithAnEmptyPatternLeavesTheTextAlone) {
    EXPECT_EQ(call("REPLACE$", {S("abc"), S(""), S("x")}), S("abc"));
    EXPECT_EQ(call("REPLACE$", {S("abc"), S("")}), S("abc"));
}

} // namespace
} // namespace tapwell::test
