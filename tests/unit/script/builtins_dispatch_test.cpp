#include "builtin_test_env.h"

#include <gtest/gtest.h>

namespace tapwell::test {
namespace {

TEST(BuiltinDispatch, NamesAreCaseInsensitive) {
    TestBuiltinEnv env;
    EXPECT_EQ(env.call("strlen", {S("abc")}), I(3));
    EXPECT_EQ(env.call("StrLen", {S("abc")}), I(3));
    EXPECT_EQ(env.call("sUbStRiNg$", {S("abcdef"), I(2), I(3)}), S("bcd"));
    EXPECT_EQ(env.call("getqz_scriptversion"), I(10009));
    EXPECT_TRUE(env.errors.empty());
}

TEST(BuiltinDispatch, DollarLessFormOfAStringBuiltinIsError104) {
    TestBuiltinEnv env;
    EXPECT_EQ(env.call("TOSTR", {S("x")}, 1), I(0));
    ASSERT_EQ(env.errors.size(), 1u);
    EXPECT_EQ(env.errors[0].code, 104);
    EXPECT_EQ(env.errors[0].line, 1);
    EXPECT_EQ(
        env.errors[0].message,
        "Runtime error at line 1: Unknown Function Call:TOSTR(args:1). But TOSTR$() exists.\n");
    EXPECT_TRUE(env.flowStopped);
}

TEST(BuiltinDispatch, Error104IgnoresTheArgumentCountAndUsesTheUpperCaseName) {
    TestBuiltinEnv env;
    env.call("substr", {}, 9);
    env.call("GetClipboardText", {I(1), I(2), I(3)}, 10);
    ASSERT_EQ(env.errors.size(), 2u);
    EXPECT_EQ(
        env.errors[0].message,
        "Runtime error at line 9: Unknown Function Call:SUBSTR(args:0). But SUBSTR$() exists.\n");
    EXPECT_EQ(env.errors[1].code, 104);
    EXPECT_EQ(env.errors[1].message, "Runtime error at line 10: Unknown Function "
                                     "Call:GETCLIPBOARDTEXT(args:3). But GETCLIPBOARDTEXT$() "
                                     "exists.\n");
}

TEST(BuiltinDispatch, UnknownNameIsError105WithAResultOfItsOwnType) {
    TestBuiltinEnv env;
    EXPECT_EQ(env.call("foo$", {I(1), I(2)}, 3), S(""));
    EXPECT_EQ(env.call("foo", {I(1)}, 4), I(0));
    ASSERT_EQ(env.errors.size(), 2u);
    EXPECT_EQ(env.errors[0].code, 105);
    EXPECT_EQ(env.errors[0].line, 3);
    EXPECT_EQ(env.errors[0].message, "Runtime error at line 3: Unknown Function Call or Not "
                                     "enough arguments:FOO$(args:2)\n");
    EXPECT_EQ(env.errors[1].message, "Runtime error at line 4: Unknown Function Call or Not "
                                     "enough arguments:FOO(args:1)\n");
}

TEST(BuiltinDispatch, UnacceptedCountIsError105) {
    TestBuiltinEnv env;
    EXPECT_EQ(env.call("STRLEN"), I(0));
    EXPECT_EQ(env.call("STRLEN", {I(1), I(2)}), I(0));
    EXPECT_EQ(env.call("left$", {S("abc")}), S(""));
    EXPECT_EQ(env.call("GETCURRENTYEAR", {I(1)}), I(0));
    EXPECT_EQ(env.call("GETCURSORPOSX", {I(1)}), I(0));
    EXPECT_EQ(env.call("MID$", {S("a"), I(1), I(1), I(1)}), S(""));
    ASSERT_EQ(env.errors.size(), 6u);
    for (const auto& e : env.errors)
        EXPECT_EQ(e.code, 105) << e.message;
    EXPECT_EQ(env.errors[2].message, "Runtime error at line 1: Unknown Function Call or Not "
                                     "enough arguments:LEFT$(args:1)\n");
    // Nothing ran: no event, no wait.
    EXPECT_TRUE(env.fake.mouseEvents.empty());
}

TEST(BuiltinDispatch, ManyArgumentsAreRefusedNotMisread) {
    TestBuiltinEnv env;
    std::vector<ScriptValue> many(12, I(1));
    EXPECT_EQ(env.call("REPLACE$", many), S(""));
    ASSERT_EQ(env.errors.size(), 1u);
    EXPECT_EQ(env.errors[0].message, "Runtime error at line 1: Unknown Function Call or Not "
                                     "enough arguments:REPLACE$(args:12)\n");
}

TEST(BuiltinDispatch, ALongNameIsReportedWhole) {
    TestBuiltinEnv env;
    const std::string name(3000, 'q');
    env.call(name, {}, 2);
    ASSERT_EQ(env.errors.size(), 1u);
    EXPECT_NE(env.errors[0].message.find(std::string(3000, 'Q') + "(args:0)\n"), std::string::npos);
}

TEST(BuiltinDispatch, NamesAreComparedWhole) {
    TestBuiltinEnv env;
    env.call("STRLENX", {S("a")});
    env.call("STRLE", {S("a")});
    env.call("STRLEN ", {S("a")});
    env.call("", {});
    ASSERT_EQ(env.errors.size(), 4u);
    for (const auto& e : env.errors)
        EXPECT_EQ(e.code, 105);
}

// Every name of the language with one accepted count runs without an error,
// resolved or looked up on the spot.
TEST(BuiltinDispatch, EveryBuiltinIsReachableWithItsAcceptedCounts) {
    struct Case {
        const char* name;
        std::vector<int> counts;
    };
    const std::vector<Case> cases = {
        {"SLEEP", {1}},
        {"GETCURRENTYEAR", {0}},
        {"GETCURRENTMONTH", {0}},
        {"GETCURRENTDAY", {0}},
        {"GETCURRENTDAYOFWEEK", {0}},
        {"GETCURRENTHOUR", {0}},
        {"GETCURRENTMINUTE", {0}},
        {"GETCURRENTSECOND", {0}},
        {"GETCURRENTMILLISECONDS", {0}},
        {"RAND", {0}},
        {"SRAND", {0, 1}},
        {"GETSYSTEMMETRICS", {1}},
        {"GETQZ_SCRIPTVERSION", {0}},
        {"TEXTOUT", {1, 2}},
        {"MESSAGE", {1, 2}},
        {"MESSAGEBOX", {1, 2}},
        {"QUESTION", {1, 2}},
        {"QUESTION_OKCANCEL", {1, 2}},
        {"QUESTION_YESNOCANCEL", {1, 2}},
        {"WARNING", {1, 2}},
        {"INFORMATION", {1, 2}},
        {"ERROR", {1, 2}},
        {"MESSAGEBEEP", {1}},
        {"STRLEN", {1}},
        {"TOINT", {1}},
        {"TOSTR$", {1}},
        {"STRSTR", {2}},
        {"STRSTRI", {2}},
        {"TOSTR2$", {1}},
        {"TOSTR16$", {1}},
        {"PADLEFT$", {2, 3}},
        {"PADRIGHT$", {2, 3}},
        {"TRIMLEFT$", {1, 2}},
        {"TRIMRIGHT$", {1, 2}},
        {"STRUPR$", {1}},
        {"STRLWR$", {1}},
        {"LEFT$", {2}},
        {"RIGHT$", {2}},
        {"MID$", {3}},
        {"SUBSTR$", {3}},
        {"SUBSTRING$", {3}},
        {"GETASCIICODE", {2}},
        {"ASCIICODE$", {1}},
        {"REPLACE$", {2, 3}},
        {"GETENV$", {1}},
        {"SETENV", {2}},
        {"GETCURSORPOSX", {0}},
        {"GETCURSORPOSY", {0}},
        {"SETCURSORPOS", {2}},
        {"MOVEMOUSE", {2}},
        {"MOUSEWHEEL", {1}},
        {"MOUSEBUTTONLEFT", {1}},
        {"MOUSEBUTTONRIGHT", {1}},
        {"MOUSEBUTTONMIDDLE", {1}},
        {"MOUSEBUTTONX1", {1}},
        {"MOUSEBUTTONX2", {1}},
        {"KEYBDEVENT", {2}},
        {"SENDINPUTUNICODE", {2}},
        {"GETCLIPBOARDTEXT$", {0}},
        {"SETCLIPBOARDTEXT", {1}},
    };
    TestBuiltinEnv env;
    for (const Case& c : cases) {
        EXPECT_GE(resolveBuiltin(c.name).row, 0) << c.name;
        for (int n = 0; n <= 4; ++n) {
            const bool accepted = std::find(c.counts.begin(), c.counts.end(), n) != c.counts.end();
            std::vector<ScriptValue> args(static_cast<std::size_t>(n), S("1"));
            env.errors.clear();
            env.call(c.name, args);
            EXPECT_EQ(env.errors.empty(), accepted) << c.name << " with " << n;
            if (!accepted && !env.errors.empty()) {
                EXPECT_EQ(env.errors[0].code, 105) << c.name;
            }
        }
    }
}

TEST(BuiltinDispatch, ResolvedCallsBehaveLikeCallsByName) {
    TestBuiltinEnv env;
    const BuiltinRef ref = resolveBuiltin("Left$");
    std::vector<ScriptValue> args = {S("abcdef"), I(2)};
    ScriptValue result;
    CallBuiltin(env, result, ref, "Left$", args, 1);
    EXPECT_EQ(result, S("ab"));

    const BuiltinRef none = resolveBuiltin("nothing$");
    EXPECT_LT(none.row, 0);
    CallBuiltin(env, result, none, "nothing$", args, 5);
    EXPECT_EQ(result, S(""));
    ASSERT_EQ(env.errors.size(), 1u);
    EXPECT_EQ(env.errors[0].code, 105);
    EXPECT_EQ(env.errors[0].line, 5);
}

} // namespace
} // namespace tapwell::test
