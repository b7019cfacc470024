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

Traced trace(std::u16string_view text, TraceOptions o) {
    Traced t;
    TraceWriter writer([&t](std::string_view chunk) {
        t.out.append(chunk);
        ++t.chunks;
    });
    t.end = traceRun(std::u16string(text), o, writer);
    return t;
}

TraceOptions loop(std::int32_t n, std::uint64_t maxEvents = 100000, std::uint64_t maxTicks = 0) {
    TraceOptions o;
    o.settings.iLoopNum = n;
    o.maxEvents = maxEvents;
    o.maxTicks = maxTicks;
    return o;
}

} // namespace

TEST(RunTrace, LinesForEventsWaitsPausesEscapedMessagesAndTheEnd) {
    TraceOptions o;
    o.settings.iInputMode = InputMode::Unicode;
    o.settings.iErrorStop = true;
    o.prefix = u"\\";
    Traced t = trace(u"x[WAIT:-1]!(1)", o);
    EXPECT_EQ(t.out, "char 005C\nchar 0078\nwait 0\npause\n"
                     "message error '(...)' has no meaning.\nend error\n");
    EXPECT_EQ(t.end, TraceEnd::Error);

    TraceOptions ja;
    ja.language = Language::Japanese;
    ja.prefix = u"\r"; // the box's carriage returns are dropped, the prefix's are not
    t = trace(u"{\\\n:A}", ja);
    EXPECT_EQ(t.out, "message error 繰り返し回数が不正です。\\n\\\\\\n\\r\nend error\n");
    EXPECT_EQ(trace(u"", {}).out, "message error It's empty!\nend error\n");
    t = trace(u"\r\r", {});
    EXPECT_EQ(t.out, "end ok\n");
    EXPECT_EQ(t.end, TraceEnd::Ok);
}

TEST(RunTrace, LimitsCutOffEndlessAndEndlessLookingRuns) {
    const struct {
        const char16_t* text;
        TraceOptions options;
        TraceEnd end;
        const char* out; // null: not compared
    } cases[] = {
        // The event limit stops an endless run exactly, and only an endless one.
        {u"AB", loop(0, 7), TraceEnd::Limit,
         "down 41 A\nup 41 A\ndown 42 B\nup 42 B\ndown 41 A\nup 41 A\ndown 42 B\nend limit\n"},
        {u"A{1:", loop(0, 100), TraceEnd::Error, nullptr},
        {u"A", loop(3, 2), TraceEnd::Ok,
         "down 41 A\nup 41 A\ndown 41 A\nup 41 A\n"
         "down 41 A\nup 41 A\nend ok\n"},
        // The tick limit cuts off any run: nested blocks ask for 10^10 ticks.
        {u"{99999:{99999:[FOO]}}", loop(1, 100000, 1000), TraceEnd::Limit, "end limit\n"},
        {u"{99999:{99999:A}}", loop(1, 100000, 1000), TraceEnd::Limit, nullptr},
        {u"{2:A}", loop(1, 100000, 1000), TraceEnd::Ok,
         "down 41 A\nup 41 A\ndown 41 A\nup 41 A\nend ok\n"},
        // Passes that send nothing end without running them all; a wait is something.
        {u"[FOO]\r", loop(0), TraceEnd::Limit, "end limit\n"},
        {u"[FOO]", loop(2000000000), TraceEnd::Ok, "end ok\n"},
        {u"[WAIT:5]", loop(0, 3), TraceEnd::Limit, "wait 5\nwait 5\nwait 5\nend limit\n"},
    };
    for (const auto& c : cases) {
        Traced t = trace(c.text, c.options);
        EXPECT_EQ(t.end, c.end) << t.out;
        if (c.out)
            EXPECT_EQ(t.out, c.out);
        EXPECT_LT(t.out.size(), 1000u * 20);
    }
}

TEST(RunTrace, LongOutputIsDeliveredInChunksWithoutLoss) {
    Traced t = trace(std::u16string(100000, u'Q'), {});
    EXPECT_GT(t.chunks, 1u);
    std::string expected;
    for (int i = 0; i < 100000; ++i)
        expected += "down 51 Q\nup 51 Q\n";
    EXPECT_EQ(t.out, expected + "end ok\n");
}
