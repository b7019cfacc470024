// Inputs chosen to break things: very long scripts and texts, and ill-formed
// UTF-8 and UTF-16 through every conversion the program makes.
#include "../script/script_test_host.h"
#include "common/utf.h"
#include "keystroke/run_trace.h"

#include <gtest/gtest.h>

using namespace tapwell;

namespace {

// The number of trace lines and the last of them.
std::pair<std::size_t, std::string> trace(std::u16string text, InputMode mode) {
    TraceOptions opt;
    opt.settings.iInputMode = mode;
    std::size_t lines = 0;
    std::string tail;
    {
        TraceWriter out([&](std::string_view chunk) {
            lines += std::count(chunk.begin(), chunk.end(), '\n');
            tail = (tail + std::string(chunk.substr(chunk.size() > 16 ? chunk.size() - 16 : 0)));
            tail = tail.substr(tail.size() > 16 ? tail.size() - 16 : 0);
        });
        traceRun(std::move(text), opt, out);
    }
    return {lines, tail.substr(tail.find_last_of('\n', tail.size() - 2) + 1)};
}

} // namespace

TEST(LongInputs, AHundredThousandLineScriptAndAFiftyMegabyteTextRunToTheirEnd) {
    std::string script;
    long long sum = 0;
    for (int i = 0; i < 100000; ++i) {
        script += "n += " + std::to_string(i % 7) + "\n";
        sum += i % 7;
    }
    script += "cb.v(n)\nexit n % 256\n";
    test::ScriptTestHost host;
    EXPECT_EQ(host.runLog(script), "v " + std::to_string(sum) + "\n");
    EXPECT_EQ(host.run(script), sum % 256);
    // Every unit a character event, then the end line.
    const std::size_t units = 50u << 20;
    EXPECT_EQ(trace(std::u16string(units, u'x'), InputMode::Unicode),
              std::make_pair(units + 1, std::string("end ok\n")));
}

TEST(IllFormedText, LoneSurrogatesAndBadBytesSurviveEveryConversion) {
    const std::u16string lone = {u'a', 0xD800, u'b', 0xDC00, 0xDBFF};
    EXPECT_EQ(trace(lone, InputMode::Unicode),
              std::make_pair(std::size_t{6}, std::string("end ok\n")));
    // Keyboard mode skips the units it cannot map, without an error stop.
    EXPECT_EQ(trace(lone, InputMode::Keyboard).second, "end ok\n");

    const std::string bytes[] = {"\xFF",
                                 "\xC3",
                                 "\xE3\x81",
                                 "\xED\xA0\x80",
                                 "\xF8\x88\x80\x80\x80",
                                 std::string("\0\x80\0", 3)};
    for (const std::string& b : bytes) {
        const std::u16string u = utf8ToUtf16(b);
        EXPECT_FALSE(u.empty());
        EXPECT_TRUE(isValidUtf8(utf16ToUtf8(u)));
        EXPECT_EQ(decodeBomText(b), u);
        EXPECT_EQ(decodeBomText("\xEF\xBB\xBF" + b), u);
    }
    for (const std::u16string u :
         {std::u16string{0xD800}, std::u16string{0xDC00, 0xD800}, std::u16string{u'a', 0xDBFF}})
        EXPECT_TRUE(isValidUtf8(utf16ToUtf8(u)));
}

TEST(IllFormedText, ScriptsWithLoneSurrogatesRunOrReport) {
    // Inside a string literal a lone surrogate becomes U+FFFD in the script's
    // UTF-8, and the callback hands that back; outside one it is a syntax error.
    test::ScriptTestHost host;
    const ScriptHost h = host.host();
    const std::pair<std::u16string, std::string> rows[] = {
        {u"cb.v(\"a\xD800"
         u"b\")\n",
         "v \"a\xEF\xBF\xBD"
         "b\""},
        {u"x = 1 \xDC00\n", "error 101 1 "},
    };
    for (const auto& [text, logged] : rows) {
        host.log.clear();
        runScriptText(text.c_str(), &h, host.devices());
        ASSERT_EQ(host.log.size(), 1u);
        EXPECT_EQ(host.log[0].substr(0, logged.size()), logged);
    }
}
