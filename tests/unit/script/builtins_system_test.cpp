#include "builtin_test_env.h"

#include "script/builtin_messages.h"

#include <gtest/gtest.h>

namespace tapwell::test {
namespace {

TEST(TimeBuiltins, ReadTheLocalTimeAfreshOnEveryCall) {
    TestBuiltinEnv env;
    env.fake.setLocalTime({2024, 2, 3, 28, 23, 59, 59, 998});
    EXPECT_EQ(env.call("GetCurrentYear"), I(2024));
    EXPECT_EQ(env.call("getcurrentmonth"), I(2));
    EXPECT_EQ(env.call("GETCURRENTDAY"), I(28));
    EXPECT_EQ(env.call("GETCURRENTDAYOFWEEK"), I(3));
    EXPECT_EQ(env.call("GETCURRENTHOUR"), I(23));
    EXPECT_EQ(env.call("GETCURRENTMINUTE"), I(59));
    EXPECT_EQ(env.call("GETCURRENTSECOND"), I(59));
    EXPECT_EQ(env.call("GETCURRENTMILLISECONDS"), I(998));

    env.call("SLEEP", {I(2)}); // across midnight into a leap day
    EXPECT_EQ(env.call("GETCURRENTDAY"), I(29));
    EXPECT_EQ(env.call("GETCURRENTMONTH"), I(2));
    EXPECT_EQ(env.call("GETCURRENTDAYOFWEEK"), I(4));
    EXPECT_EQ(env.call("GETCURRENTHOUR"), I(0));
    EXPECT_EQ(env.call("GETCURRENTMILLISECONDS"), I(0));
    EXPECT_TRUE(env.errors.empty());
}

TEST(SleepBuiltin, WaitsTheGivenTimeAndANegativeTimeNotAtAll) {
    TestBuiltinEnv env;
    EXPECT_EQ(env.call("SLEEP", {S("250ms")}), I(0));
    EXPECT_EQ(env.call("SLEEP", {I(-1)}), I(0));
    EXPECT_EQ(env.call("SLEEP", {I(std::numeric_limits<std::int32_t>::min())}), I(0));
    EXPECT_EQ(env.fake.sleeps, (std::vector<std::uint32_t>{250, 0, 0}));
    EXPECT_EQ(env.fake.elapsedMs(), 250u);
}

TEST(SleepBuiltin, AStopRequestEndsTheWaitWithoutBeingConsumed) {
    TestBuiltinEnv env;
    env.stop = true;
    EXPECT_EQ(env.call("SLEEP", {I(60000)}), I(0));
    EXPECT_EQ(env.fake.elapsedMs(), 0u);
    EXPECT_TRUE(env.stopRequested());
    EXPECT_TRUE(env.errors.empty());
}

TEST(RandomBuiltins, FollowTheRuntimeGenerator) {
    TestBuiltinEnv env;
    EXPECT_EQ(env.call("RAND"), I(41)); // a fresh run starts at seed 1
    EXPECT_EQ(env.call("SRAND", {I(1)}), I(1));
    EXPECT_EQ(env.call("RAND"), I(41));
    EXPECT_EQ(env.call("RAND"), I(18467));
    EXPECT_EQ(env.call("RAND"), I(6334));
    EXPECT_EQ(env.call("SRAND", {S("-7")}), I(-7));
    EXPECT_EQ(env.random, 0xFFFFFFF9u);
    for (int i = 0; i < 1000; ++i) {
        const ScriptValue r = env.call("rand");
        ASSERT_GE(r.integer, 0);
        ASSERT_LE(r.integer, 32767);
    }
}

TEST(RandomBuiltins, SrandWithoutSeedUsesTheTickCount) {
    TestBuiltinEnv env;
    env.fake.tickAtStart = 0xFFFFFF00u;
    env.fake.advance(0x10);
    EXPECT_EQ(env.call("SRAND"), I(static_cast<std::int32_t>(0xFFFFFF10u)));
    EXPECT_EQ(env.random, 0xFFFFFF10u);
    env.fake.advance(0x100); // the tick count wraps
    EXPECT_EQ(env.call("SRAND"), I(0x10));
}

TEST(SystemBuiltins, MetricsVersionAndBeep) {
    TestBuiltinEnv env;
    env.fake.metrics[80] = 2;
    EXPECT_EQ(env.call("GETSYSTEMMETRICS", {I(0)}), I(1920));
    EXPECT_EQ(env.call("GETSYSTEMMETRICS", {S("80")}), I(2));
    EXPECT_EQ(env.call("GETSYSTEMMETRICS", {I(9999)}), I(0));
    EXPECT_EQ(env.call("GETQZ_SCRIPTVERSION"), I(10009));
    EXPECT_EQ(env.call("MESSAGEBEEP", {I(48)}), I(1));
    EXPECT_EQ(env.call("MESSAGEBEEP", {I(-1)}), I(1));
    EXPECT_EQ(env.fake.beeps, (std::vector<std::uint32_t>{48, 0xFFFFFFFFu}));
}

struct BoxCase {
    const char* name;
    std::uint32_t flags;
    const char* defaultCaption;
    // results for the buttons IDOK, IDCANCEL, IDYES, IDNO, IDABORT
    std::int32_t results[5];
};

TEST(MessageBuiltins, FlagsCaptionsAndResults) {
    const BoxCase cases[] = {
        {"TEXTOUT", 0, "Message", {0, 0, 0, 0, 0}},
        {"MESSAGE", 0, "Message", {0, 0, 0, 0, 0}},
        {"MESSAGEBOX", 0, "Message", {0, 0, 0, 0, 0}},
        {"QUESTION", 36, "Question", {0, 0, 1, 0, 0}},
        {"QUESTION_OKCANCEL", 33, "Question", {1, 0, 0, 0, 0}},
        {"QUESTION_YESNOCANCEL", 35, "Question", {-1, -1, 1, 0, -1}},
        {"WARNING", 48, "Warning", {0, 0, 0, 0, 0}},
        {"INFORMATION", 64, "Information", {0, 0, 0, 0, 0}},
        {"ERROR", 16, "Error", {0, 0, 0, 0, 0}},
    };
    const int buttons[] = {message_box::IdOk, message_box::IdCancel, message_box::IdYes,
                           message_box::IdNo, message_box::IdAbort};
    for (const BoxCase& c : cases) {
        for (int b = 0; b < 5; ++b) {
            TestBuiltinEnv env;
            env.rawAnswer = buttons[b];
            EXPECT_EQ(env.call(c.name, {S("text")}), I(c.results[b]))
                << c.name << " answered " << buttons[b];
            ASSERT_EQ(env.boxes.shown().size(), 1u);
            EXPECT_EQ(env.boxes.shown()[0].flags, c.flags) << c.name;
            EXPECT_EQ(env.boxes.shown()[0].caption, c.defaultCaption) << c.name;
            EXPECT_EQ(env.boxes.shown()[0].text, "text");
        }
    }
}

TEST(MessageBuiltins, TextAndCaptionAreConvertedToText) {
    TestBuiltinEnv env;
    EXPECT_EQ(env.call("MESSAGE", {I(42)}), I(0));
    EXPECT_EQ(env.call("Question", {S("Continue?"), I(7)}), I(1)); // first button is Yes
    ASSERT_EQ(env.boxes.shown().size(), 2u);
    EXPECT_EQ(env.boxes.shown()[0].text, "42");
    EXPECT_EQ(env.boxes.shown()[0].caption, "Message");
    EXPECT_EQ(env.boxes.shown()[1].text, "Continue?");
    EXPECT_EQ(env.boxes.shown()[1].caption, "7");
}

} // namespace
} // namespace tapwell::test
