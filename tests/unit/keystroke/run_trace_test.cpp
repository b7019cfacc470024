#include "keystroke/run_trace.h"

#include <gtest/gtest.h>

#include <string>

using namespace tapwell;

namespace {

struct Traced {
    std::string out;
    TraceEnd end;
    std::size_t chunks = 0;
};

Traced trace(std::u16string_view text, TraceOptions options = {}) {
    Traced t;
    TraceWriter writer([&t](std::string_view chunk) {
        t.out.append(chunk);
        ++t.chunks;
    });
    t.end = traceRun(std::u16string(text), options, writer);
    return t;
}

TraceOptions loop(std::int32_t n, std::uint64_t maxEvents = 100000) {
    TraceOptions o;
    o.settings.iLoopNum = n;
    o.maxEvents = maxEvents;
    return o;
}

} // namespace

TEST(RunTrace, LinesForEventsWaitsPausesMessagesAndTheEnd) {
    TraceOptions o;
    o.settings.iInputMode = InputMode::Unicode;
    o.settings.iErrorStop = true;
    o.prefix = u"\\";
    Traced t = trace(u"x[WAIT:-1]!(1)", o);
    EXPECT_EQ(t.out, "char 005C\nchar 0078\nwait 0\npause\n"
                     "message error '(...)' has no meaning.\nend error\n");
    EXPECT_EQ(t.end, TraceEnd::Error);
}

TEST(RunTrace, MessageTextsAreEscapedAndInTheChosenLanguage) {
    TraceOptions o;
    o.language = Language::Japanese;
    o.prefix = u"\r"; // the box's carriage returns are dropped, the prefix's are not
    Traced t = trace(u"{\\\n:A}", o);
    EXPECT_EQ(t.out, "message error 繰り返し回数が不正です。\\n\\\\\\n\\r\nend error\n");
}

TEST(RunTrace, EndlessRunStopsExactlyAtTheLimit) {
    Traced t = trace(u"AB", loop(0, 7));
    EXPECT_EQ(t.out, "down 41 A\nup 41 A\ndown 42 B\nup 42 B\ndown 41 A\nup 41 A\ndown 42 B\n"
                     "end limit\n");
    EXPECT_EQ(t.end, TraceEnd::Limit);
    // An error before the limit still ends as an error.
    t = trace(u"A{1:", loop(0, 100));
    EXPECT_EQ(t.end, TraceEnd::Error);
}

TEST(RunTrace, LimitAppliesOnlyToEndlessRuns) {
    Traced t = trace(u"AB", loop(3, 2));
    EXPECT_EQ(t.end, TraceEnd::Ok);
    EXPECT_EQ(t.out.size(), std::string("down 41 A\nup 41 A\ndown 42 B\nup 42 B\n").size() * 3 +
                                std::string("end ok\n").size());
}

TEST(RunTrace, TickLimitCutsOffAnyRun) {
    // Nested blocks ask for 10^10 ticks from a finite run, with output or
    // without.
    TraceOptions o = loop(1);
    o.maxTicks = 1000;
    Traced t = trace(u"{99999:{99999:[FOO]}}", o);
    EXPECT_EQ(t.out, "end limit\n");
    EXPECT_EQ(t.end, TraceEnd::Limit);
    t = trace(u"{99999:{99999:A}}", o);
    EXPECT_EQ(t.end, TraceEnd::Limit);
    EXPECT_GT(t.out.size(), 0u);
    EXPECT_LT(t.out.size(), 1000u * 20);
    // A run that ends within the limit ends as it would have.
    t = trace(u"{2:A}", o);
    EXPECT_EQ(t.out, "down 41 A\nup 41 A\ndown 41 A\nup 41 A\nend ok\n");
    EXPECT_EQ(t.end, TraceEnd::Ok);
}

TEST(RunTrace, PassesThatSendNothingEndWithoutRunningThemAll) {
    // Would take billions of ticks if every silent pass were run.
    Traced t = trace(u"[FOO]\r", loop(0));
    EXPECT_EQ(t.out, "end limit\n");
    t = trace(u"[FOO]", loop(2000000000));
    EXPECT_EQ(t.out, "end ok\n");
    // A pass with a wait is not silent.
    t = trace(u"[WAIT:5]", loop(0, 3));
    EXPECT_EQ(t.out, "wait 5\nwait 5\nwait 5\nend limit\n");
}

TEST(RunTrace, EmptyAndBlankTexts) {
    Traced t = trace(u"");
    EXPECT_EQ(t.out, "message error It's empty!\nend error\n");
    EXPECT_EQ(t.end, TraceEnd::Error);
    t = trace(u"\r\r");
    EXPECT_EQ(t.out, "end ok\n");
    EXPECT_EQ(t.end, TraceEnd::Ok);
}

TEST(RunTrace, LongOutputIsDeliveredInChunksWithoutLoss) {
    std::u16string text(100000, u'Q');
    Traced t = trace(text);
    EXPECT_GT(t.chunks, 1u);
    std::string expected;
    for (int i = 0; i < 100000; ++i)
        expected += "down 51 Q\nup 51 Q\n";
    expected += "end ok\n";
    EXPECT_EQ(t.out, expected);
}
