// The number readers agree with the C library's strtol, taken with the
// 32-bit long of the platform the program runs on, on random inputs.
#include "../script/script_test_host.h"
#include "keystroke/key_notation.h"
#include "script/script_value.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace {

// strtol with a 32-bit long: saturate what strtoll read.
std::int32_t referenceStrtol32(const std::string& s, int base) {
    errno = 0;
    long long v = std::strtoll(s.c_str(), nullptr, base);
    if (v > INT32_MAX)
        return INT32_MAX;
    if (v < INT32_MIN)
        return INT32_MIN;
    return static_cast<std::int32_t>(v);
}

std::string randomNumberish(std::mt19937& rng, const std::string& alphabet, std::size_t maxLen) {
    std::uniform_int_distribution<std::size_t> len(0, maxLen);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::string s;
    for (std::size_t n = len(rng); n > 0; --n)
        s.push_back(alphabet[pick(rng)]);
    return s;
}

std::u16string widen(const std::string& s) {
    return std::u16string(s.begin(), s.end());
}

// Inputs near the 32-bit limits are where saturation goes wrong.
const char* const kEdges[] = {"2147483647",
                              "2147483648",
                              "-2147483648",
                              "-2147483649",
                              "4294967295",
                              "0x7fffffff",
                              "0x80000000",
                              "-0x80000000",
                              "0xFFFFFFFF",
                              "017777777777",
                              "020000000000",
                              "99999999999999999999",
                              "  +12",
                              "\t-0",
                              "+-1",
                              "0x",
                              "-",
                              "",
                              " \v\f\r\n7"};

} // namespace

TEST(NumberReaderDifferential, NotationReaderMatchesStrtolInBases8To16) {
    std::mt19937 rng(12345);
    const std::string alphabet = " \t\n+-0123456789abcdefxXABCDEF";
    for (int base : {8, 10, 16}) {
        for (const char* e : kEdges)
            EXPECT_EQ(tapwell::readLong32(widen(e), base), referenceStrtol32(e, base))
                << "base " << base << " input '" << e << "'";
        for (int i = 0; i < 20000; ++i) {
            std::string s = randomNumberish(rng, alphabet, 14);
            ASSERT_EQ(tapwell::readLong32(widen(s), base), referenceStrtol32(s, base))
                << "base " << base << " input '" << s << "'";
        }
    }
}

TEST(NumberReaderDifferential, ScriptToIntegerMatchesStrtolBase10) {
    std::mt19937 rng(777);
    const std::string alphabet = " \t\v\f\r\n+-0123456789x.a";
    for (const char* e : kEdges)
        EXPECT_EQ(tapwell::ToInteger(std::string_view(e)), referenceStrtol32(e, 10)) << e;
    for (int i = 0; i < 50000; ++i) {
        std::string s = randomNumberish(rng, alphabet, 16);
        ASSERT_EQ(tapwell::ToInteger(std::string_view(s)), referenceStrtol32(s, 10))
            << "'" << s << "'";
    }
}

TEST(NumberFormatDifferential, ToTextMatchesPrintfDecimal) {
    std::mt19937 rng(99);
    std::uniform_int_distribution<std::int32_t> any(INT32_MIN, INT32_MAX);
    char buf[32];
    for (std::int32_t v : {0, -1, 1, INT32_MIN, INT32_MAX, 10, -10}) {
        std::snprintf(buf, sizeof buf, "%d", v);
        EXPECT_EQ(tapwell::ToText(v), buf);
    }
    for (int i = 0; i < 100000; ++i) {
        std::int32_t v = any(rng);
        std::snprintf(buf, sizeof buf, "%d", v);
        ASSERT_EQ(tapwell::ToText(v), buf);
    }
}

TEST(NumberReaderDifferential, ScriptLiteralsMatchStrtolInBases2To16) {
    // Each literal is one token: only digits of its base follow the prefix.
    std::mt19937 rng(4242);
    struct Form {
        const char* prefix;
        std::string digits;
        int base;
        std::size_t maxLen;
    } forms[] = {
        {"0x", "0123456789abcdefABCDEF", 16, 12}, {"0b", "01", 2, 40}, {"", "0123456789", 10, 14}};
    for (const Form& f : forms) {
        std::string script;
        std::vector<std::int32_t> expected;
        for (int i = 0; i < 300; ++i) {
            std::string digits = randomNumberish(rng, f.digits, f.maxLen);
            if (digits.empty())
                digits = "1";
            script += "cb.v(" + std::string(f.prefix) + digits + ")\n";
            expected.push_back(referenceStrtol32(digits, f.base));
        }
        tapwell::test::ScriptTestHost host;
        std::string want;
        for (std::int32_t v : expected)
            want += "v " + std::to_string(v) + "\n";
        EXPECT_EQ(host.runLog(script), want) << "base " << f.base;
    }
}
