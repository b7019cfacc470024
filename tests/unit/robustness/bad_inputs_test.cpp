// Inputs chosen to break things: very long scripts and texts, and ill-formed
// UTF-8 and UTF-16 through every conversion the program makes.
#include "../script/script_test_host.h"
#include "common/utf.h"
#include "keystroke/run_trace.h"

#include <gtest/gtest.h>

#include <string>

using namespace tapwell;

namespace {

struct TraceSummary {
    std::size_t lines = 0;
    std::string last;
};

TraceSummary trace(std::u16string text, InputMode mode) {
    TraceOptions opt;
    opt.settings.iInputMode = mode;
    TraceSummary s;
    std::string tail;
    {
        TraceWriter out([&](std::string_view chunk) {
            for (char c : chunk)
                s.lines += c == '\n';
            tail = std::string(chunk.substr(chunk.size() > 64 ? chunk.size() - 64 : 0));
        });
        traceRun(std::move(text), opt, out);
    }
    auto start = tail.find_last_of('\n', tail.size() - 2);
    s.last = tail.substr(start == std::string::npos ? 0 : start + 1);
    return s;
}

} // namespace

TEST(LongInputs, ScriptOfAHundredThousandLinesRunsToItsExit) {
    std::string script;
    for (int i = 0; i < 100000; ++i)
        script += "n += " + std::to_string(i % 7) + "\n";
    script += "cb.v(n)\nexit n % 256\n";
    test::ScriptTestHost host;
    long long sum = 0;
    for (int i = 0; i < 100000; ++i)
        sum += i % 7;
    EXPECT_EQ(host.runLog(script), "v " + std::to_string(sum) + "\n");
    EXPECT_EQ(host.run(script), sum % 256);
}

TEST(LongInputs, FiftyMegabyteTextTracesToTheEnd) {
    // 50 MB of units: every one a character event, the run ends normally.
    const std::size_t units = 50u << 20;
    TraceSummary s = trace(std::u16string(units, u'x'), InputMode::Unicode);
    EXPECT_EQ(s.last, "end ok\n");
    EXPECT_EQ(s.lines, units + 1);
}

TEST(IllFormedText, LoneSurrogatesSurviveTheEngineInBothModes) {
    std::u16string text = {u'a', 0xD800, u'b', 0xDC00, 0xDBFF};
    TraceSummary uni = trace(text, InputMode::Unicode);
    EXPECT_EQ(uni.last, "end ok\n");
    EXPECT_EQ(uni.lines, 6u); // five char events and the end
    TraceSummary kb = trace(text, InputMode::Keyboard);
    EXPECT_EQ(kb.last, "end ok\n"); // unmapped units are skipped without error stop
}

TEST(IllFormedText, ScriptsWithLoneSurrogatesAndBadBytesRunOrReport) {
    // A lone surrogate inside a string literal becomes U+FFFD in the script's
    // UTF-8, and the callback hands that back as UTF-16.
    test::ScriptTestHost host;
    std::u16string text = u"cb.v(\"a";
    text += char16_t(0xD800);
    text += u"b\")\n";
    const ScriptHost h = host.host();
    host.log.clear();
    runScriptText(text.c_str(), &h, host.devices());
    ASSERT_EQ(host.log.size(), 1u);
    EXPECT_EQ(host.log[0], "v \"a\xEF\xBF\xBD"
                           "b\"");
    // Outside a literal the replacement character is a syntax error.
    std::u16string bare = u"x = 1 ";
    bare += char16_t(0xDC00);
    bare += u"\n";
    host.log.clear();
    runScriptText(bare.c_str(), &h, host.devices());
    ASSERT_EQ(host.log.size(), 1u);
    EXPECT_EQ(host.log[0].rfind("error 101 1 ", 0), 0u) << host.log[0];
}

TEST(IllFormedText, EveryConversionKeepsItsShape) {
    const std::string badUtf8[] = {"\xFF",
                                   "\xC3",
                                   "\xE3\x81",
                                   "\xED\xA0\x80",
                                   "\xF8\x88\x80\x80\x80",
                                   std::string("\0\x80\0", 3)};
    for (const std::string& b : badUtf8) {
        std::u16string u = utf8ToUtf16(b);
        EXPECT_FALSE(u.empty());
        EXPECT_TRUE(isValidUtf8(utf16ToUtf8(u)));
        EXPECT_EQ(decodeBomText(b), u);
        EXPECT_EQ(decodeBomText("\xEF\xBB\xBF" + b), u);
    }
    const std::u16string badUtf16[] = {{0xD800}, {0xDC00, 0xD800}, {u'a', 0xDBFF}};
    for (const std::u16string& u : badUtf16)
        EXPECT_TRUE(isValidUtf8(utf16ToUtf8(u)));
}
