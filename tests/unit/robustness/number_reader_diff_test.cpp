// The number readers agree with the C library's strtol, taken with the
// 32-bit long of the platform the program runs on, on random inputs.
#include "../script/script_test_host.h"
#include "keystroke/key_notation.h"
#include "script/script_value.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <sstream>

namespace {
// strtol with a 32-bit long: saturate what strtoll read.
std::int32_t strtol32(const std::string& s, int base) {
    return static_cast<std::int32_t>(
        std::clamp<long long>(std::strtoll(s.c_str(), nullptr, base), INT32_MIN, INT32_MAX));
}

std::string randomText(std::mt19937& rng, const std::string& alphabet, std::size_t maxLen) {
    std::string s(rng() % (maxLen + 1), ' ');
    for (char& c : s)
        c = alphabet[rng() % alphabet.size()];
    return s;
}

// '|'-separated edge cases first: inputs near the 32-bit limits are where
// saturation goes wrong, and random ones seldom land there.
std::vector<std::string> inputs(std::mt19937& rng, const std::string& alphabet, int count) {
    std::stringstream edges("2147483647|2147483648|-2147483648|-2147483649|4294967295|0x7fffffff|"
                            "0x80000000|-0x80000000|0xFFFFFFFF|017777777777|020000000000|"
                            "99999999999999999999|  +12|\t-0|+-1|0x|-|| \v\f\r\n7");
    std::vector<std::string> out;
    for (std::string e; std::getline(edges, e, '|');)
        out.push_back(e);
    while (count-- > 0)
        out.push_back(randomText(rng, alphabet, 16));
    return out;
}
} // namespace

TEST(NumberReaderDifferential, NotationReaderAndScriptToIntegerMatchStrtol) {
    std::mt19937 rng(12345);
    for (int base : {8, 10, 16})
        for (const std::string& s : inputs(rng, " \t\n+-0123456789abcdefxXABCDEF", 20000))
            ASSERT_EQ(tapwell::readLong32(std::u16string(s.begin(), s.end()), base),
                      strtol32(s, base))
                << base << " '" << s << "'";
    for (const std::string& s : inputs(rng, " \t\v\f\r\n+-0123456789x.a", 50000)) {
        const std::int32_t n = tapwell::ToInteger(std::string_view(s));
        ASSERT_EQ(n, strtol32(s, 10)) << "'" << s << "'";
        ASSERT_EQ(tapwell::ToText(tapwell::ScriptValue(n)), std::to_string(n)); // and back
    }
}

TEST(NumberReaderDifferential, ScriptLiteralsMatchStrtolInBases2To16) {
    // Each literal is one token: only digits of its base follow the prefix.
    std::mt19937 rng(4242);
    const std::tuple<const char*, const char*, int, std::size_t> forms[] = {
        {"0x", "0123456789abcdefABCDEF", 16, 12}, {"0b", "01", 2, 40}, {"", "0123456789", 10, 14}};
    for (const auto& [prefix, digitSet, base, maxLen] : forms) {
        std::string script, want;
        for (int i = 0; i < 300; ++i) {
            std::string digits = randomText(rng, digitSet, maxLen);
            digits = digits.empty() ? "1" : digits;
            script += "cb.v(" + std::string(prefix) + digits + ")\n";
            want += "v " + std::to_string(strtol32(digits, base)) + "\n";
        }
        EXPECT_EQ(tapwell::test::ScriptTestHost().runLog(script), want) << "base " << base;
    }
}
