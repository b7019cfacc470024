// Inputs chosen to break things: very long texts and scripts, lone surrogates.
#include "../script/script_test_host.h"
#include "common/utf.h"
#include "keystroke/run_trace.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace tapwell;

TEST(BadInputs, LongAndIllFormedTextsTraceToTheirEnd) {
    const std::u16string lone = {u'A', 0xD800, u'B', 0xDC00, 0xDBFF};
    // Every unit is a character event, then the end line; keyboard mode skips
    // the surrogates it cannot map without an error stop (two events a key).
    const std::tuple<std::u16string, InputMode, std::size_t> rows[] = {
        {std::u16string(50u << 20, u'x'), InputMode::Unicode, (50u << 20) + 1},
        {lone, InputMode::Unicode, 6},
        {lone, InputMode::Keyboard, 5}};
    for (const auto& [text, mode, lines] : rows) {
        TraceOptions opt;
        opt.settings.iInputMode = mode;
        std::size_t count = 0;
        {
            TraceWriter out(
                [&](std::string_view chunk) { count += std::ranges::count(chunk, '\n'); });
            EXPECT_EQ(traceRun(text, opt, out), TraceEnd::Ok);
        }
        EXPECT_EQ(count, lines);
    }
}

TEST(BadInputs, ScriptsRunToTheirExitOrReport) {
    std::u16string longScript;
    long long sum = 0;
    for (int i = 0; i < 100000; sum += i % 7, ++i)
        longScript += u"n += " + utf8ToUtf16(std::to_string(i % 7)) + u"\n";
    longScript += u"cb.v(n)\nexit n % 256\n";
    // Inside a string literal a lone surrogate becomes U+FFFD in the script's
    // UTF-8, and the callback hands that back; outside one it is a syntax error.
    const std::tuple<std::u16string, std::string, int> rows[] = {
        {longScript, "v " + std::to_string(sum), sum % 256},
        {u"cb.v(\"a\xD800!\")\n", "v \"a\xEF\xBF\xBD!\"", 0},
        {u"x = 1 \xDC00\n", "error 101 1 ", -1}};
    test::ScriptTestHost host;
    const ScriptHost h = host.host();
    for (const auto& [script, logged, exit] : rows) {
        host.log.clear();
        const int code = runScriptText(script.c_str(), &h, host.devices());
        ASSERT_EQ(host.log.size(), 1u);
        EXPECT_EQ(host.log[0].substr(0, logged.size()), logged);
        EXPECT_TRUE(exit < 0 || code == exit) << code; // -1: the code is not the point
    }
}
