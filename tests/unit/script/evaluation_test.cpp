// Expressions, assignments and statements, seen through what scripts report
// with cb.v() and the errors they log.
#include "script_test_host.h"

#include <gtest/gtest.h>

namespace tapwell::test {
namespace {

const char* const kDiv102 = "error 102 3 Runtime Error: Division by zero(/0) at line 3\n\n";

TEST(Evaluation, Operators) {
    ScriptTestHost t;
    EXPECT_EQ(
        t.mismatches({
            // + follows the type of its left operand; texts read as integers
            // elsewhere.
            {R"(cb.v("a" + 1, 1 + "2", 1 + "x", "1" + 2 + 3, 1 + 2 + "3"))",
             "v \"a1\" 3 1 \"123\" 6\n"},
            {R"(cb.v("5" - 1, "3" * "4", "12abc" | 0, 0 + " -7", " -7" + 0))",
             "v 4 12 12 -7 \" -70\"\n"},
            // Integers compare as numbers, two texts as bytes, mixed as texts.
            {R"(cb.v("1" == 1, "1" === 1, "1" !== 1, 1 === 1, "a" === "a", "01" == 1))",
             "v 1 0 1 1 1 0\n"},
            {R"(cb.v("10" < "9", 10 < 9, "10" < 9, -1 < 0, "abc" == "ABC"))", "v 1 0 1 1 0\n"},
            {"cb.v('b' > 'abc', 'ab' < 'abc', 'ab' >= 'ab', 'z' < '\xE3\x81\x82')", "v 1 1 1 1\n"},
            {R"(cb.v(2 <= 2, 3 >= 4, "" != "", 0 != "0"))", "v 1 0 0 0\n"},
            // Integer arithmetic wraps; shift counts are taken modulo 32.
            {"cb.v(2147483647 + 1, -2147483647 - 2, 65536 * 65536, -(-2147483647 - 1))",
             "v -2147483648 2147483647 0 -2147483648\n"},
            {"cb.v(1 << 33, -8 >> 1, 1 << 31, -1 >> 40, 5 >> -1)", "v 2 -4 -2147483648 -1 0\n"},
            {"cb.v(-7 / 2, -7 % 2, 7 % -2, ~0, 6 & 3, 6 | 3, 6 ^ 3)", "v -3 -1 1 -1 2 7 5\n"},
            {"m = -2147483647 - 1\ncb.v(m / -1, m % -1)", "v -2147483648 0\n"},
            // Logical operators use the integer value and short-circuit.
            {R"(cb.v((!"0"), (!"abc"), (!"7"), ("0" && 1), ("x" || 0), (2 && 3), (0 || 0)))",
             "v 1 1 0 0 0 1 0\n"},
            {"x = 0 && cb.never()\ny = 1 || cb.never()\ncb.v(x, y)\nx = 1 && cb.called()",
             "v 0 1\ncalled\n"},
            // Operands run left to right; ?: runs one branch.
            {"x = cb.a() + cb.b() * cb.c()\nx = cb.a() ? cb.b() : cb.c()\n", "a\nb\nc\na\nc\n"},
            // How operators group: ! and the strict comparisons take everything
            // to their right, && and || bind looser than an assignment.
            {"cb.v((2 + 3 === 3 + 0), (1 | 2 ^ 3 & 4 == 5 < 6 << 7 + 8 * 9), (!0 + 1), (!0 == 2), "
             "(!0 && 0), (3 === 3 && 5))",
             "v 3 3 0 1 0 1\n"},
            {"cb.v((x = 5 && 0), x, (1 || 0 && 0), (0 && 1 || 1 && 1), (2 === 1 ? 2 : 3), "
             "(1 + y = 5), y)",
             "v 0 5 1 1 1 6 5\n"},
            {"cb.v((1 ? 0 : 1 ? 2 : 3), (1 + -1 ? 5 : 6), (~-1), (10 - 4 - 3), (1 == 2 === 2), "
             "(6 !== 2 * 3), (1 === 2 === 2), (z = 2 === 2), (-2 * 3))",
             "v 0 6 0 3 1 0 1 1 -6\n"},
            // Names ignore case; a missing name is 0 or "".
            {"Count = 3\ncb.v(COUNT, count, x, x$, total$)", "v 3 3 0 \"\" \"\"\n"},
            {"total = 1\ntotal$ = \"t\"\ncb.v(TOTAL, Total$, x === 0, y$ === \"\")",
             "v 1 \"t\" 1 1\n"},
            // Predefined constants are ordinary variables, fresh every run.
            {"cb.v(Vk_Return, ISNT, yes, VK_A, vk_f1)\nVK_RETURN = 5\ncb.v(vk_return)",
             "v 13 1 1 65 112\nv 5\n"},
            {"cb.v(VK_RETURN)", "v 13\n"},
        }),
        "");
}

TEST(Evaluation, Assignments) {
    ScriptTestHost t;
    EXPECT_EQ(
        t.mismatches({
            // A plain assignment converts to the name's type.
            {"a = \"7 apples\"\nb$ = 7 * 6\ncb.v(a, b$)\nb$ += 1\ncb.v(b$)",
             "v 7 \"42\"\nv \"421\"\n"},
            {"a = b = 3\ncb.v(a, b, (c$ = 5), (d = \"x\"))", "v 3 3 \"5\" 0\n"},
            {"s$ += \"x\"\nn += 2\ncb.v(s$, n)", "v \"x\" 2\n"},
            {"i = 5\ncb.v(i++, i, ++i, i, i--, --i)", "v 5 6 7 7 7 5\n"},
            {"i = 2147483647\ni++\ncb.v(i)", "v -2147483648\n"},
            {"n = -9\nn >>= 1\nm = 1\nm <<= 32\ncb.v(n, m)", "v -5 1\n"},
            {"m = -2147483647 - 1\nq = m\nq /= -1\nm %= -1\ncb.v(q, m)", "v -2147483648 0\n"},
            // The target is read first, except by an append.
            {"a = 1\na += (a = 5)\ncb.v(a)", "v 6\n"},
            {"s$ = \"x\"\ns$ += (s$ = \"y\")\ncb.v(s$)", "v \"yy\"\n"},
            // Division by zero reports on the line the operator node carries
            // (the next one, once the line feed was read) and stops after
            // the statement, 0 standing for the failed operation.
            {"\nx = 10 / 0\ncb.v(x)", kDiv102},
            {"a = 4\na %= 0\ncb.never()",
             "error 103 3 Runtime Error: Division by zero(%0) at line 3\n\n"},
            {"cb.v(1 + 10 % 0, cb.after())\ncb.never()",
             "error 103 1 Runtime Error: Division by zero(%0) at line 1\n\nafter\nv 1 0\n"},
            // A built-in's error stops after the statement too.
            {"x = TOSTR(\"x\") + cb.same()\ncb.never()",
             "error 104 1 Runtime error at line 1: Unknown Function Call:TOSTR(args:1). But "
             "TOSTR$() exists.\n\nsame\n"},
            {"cb.v(foo$(1, 2))", "error 105 1 Runtime error at line 1: Unknown Function Call or "
                                 "Not enough arguments:FOO$(args:2)\n\nv \"\"\n"},
            {"for (i = 0, i < 100000, i++) {\ns$ += \"xy\"\n}\ncb.v(strlen(s$), right$(s$, 3))",
             "v 200000 \"yxy\"\n"},
        }),
        "");

    // x /= runs its value twice, and catches a zero the second time.
    t.answers["two"] = {HostValue{0, 2, {}}, HostValue{0, 2, {}}};
    t.answers["d"] = {HostValue{0, 2, {}}, HostValue{0, 0, {}}};
    EXPECT_EQ(t.mismatches({{"a = 10\na /= cb.two()\ncb.v(a)", "two\ntwo\nv 5\n"},
                            {"a = 8\na /= cb.d()\ncb.v(a)", std::string("d\nd\n") + kDiv102}}),
              "");
    // The target of a failed division keeps its value.
    t.withReportError = false;
    EXPECT_EQ(t.runLog("a = 4\nx = (a /= 0) + cb.v(a)"), "v 4\n");
}

std::string repeat(std::string_view text, int times) {
    std::string out;
    while (times-- > 0)
        out += text;
    return out;
}

TEST(Evaluation, DeepAndLongExpressions) {
    // Chains evaluate without recursing per term; right-nested forms recurse
    // once per level, up to the parser's limit (the script thread's stack is
    // sized for it).
    ScriptTestHost t;
    EXPECT_EQ(t.runLog("x = 1" + repeat("+1", 999999) + "\ny = 1" + repeat(" && 1", 99999) + "\n" +
                       repeat("a = ", 4990) + "7\nz = " + repeat("1 + (", 3300) + "1" +
                       repeat(")", 3300) + "\ncb.v(x, y, a, z, " + repeat("- ", 9000) + "1, " +
                       repeat("~", 9001) + "0)"),
              "v 1000000 1 7 3301 1 -1\n");
}

TEST(ControlFlow, Statements) {
    ScriptTestHost t;
    EXPECT_EQ(t.mismatches({
                  {"x = 2\nif x == 1 {\ncb.one()\n} else if x == 2 {\ncb.two()\n} else if x > 1 "
                   "{\ncb.also()\n} else {\ncb.other()\n}\nif 0 {\ncb.a()\n}\n",
                   "two\n"},
                  {"if 0 {\n}\nelse {\ncb.other()\n}\nif 1 { }\ncb.a()", "other\na\n"},
                  {"while \"\" {\ncb.never()\n}\nfor (i = 0, \"\", i++) {\ncb.never()\n}\n", ""},
                  {"loop {\ni += 1\nif i >= 3 {\nif 1 {\nbreak\n}\n}\ncb.v(i)\n}\ncb.end(i)",
                   "v 1\nv 2\nend 3\n"},
                  {"while i < 4 {\ni++\nif i % 2 {\ncontinue\n}\ncb.v(i)\n}\n", "v 2\nv 4\n"},
                  // for runs its step after continue, not after break.
                  {"for (i = 0, i < 5, i++) {\nif i == 1 {\ncontinue\n}\nif i == 3 {\nbreak\n}\n"
                   "cb.v(i)\n}\ncb.end(i)",
                   "v 0\nv 2\nend 3\n"},
                  {"for (i = 0, i < 2, i++) {\nloop {\nbreak\n}\ncb.v(i)\n}\n", "v 0\nv 1\n"},
                  // break or continue outside a loop ends the script quietly.
                  {"cb.a()\nbreak\ncb.b()", "a\n"},
                  {"continue\ncb.b()", ""},
                  {"loop {\ncb.v(1 / 0)\ncb.never()\n}\ncb.never()",
                   "error 102 2 Runtime Error: Division by zero(/0) at line 2\n\nv 0\n"},
                  // An error in a condition still runs the first statement.
                  {"if 1 / 0 + 1 {\ncb.first()\ncb.second()\n}\n",
                   "error 102 1 Runtime Error: Division by zero(/0) at line 1\n\nfirst\n"},
                  {"while 1 + 1 % 0 {\ncb.first()\ncb.second()\n}\n",
                   "error 103 1 Runtime Error: Division by zero(%0) at line 1\n\nfirst\n"},
              }),
              "");

    // exit ends everything with its value as an integer.
    t.log.clear();
    EXPECT_EQ(t.run("loop {\nwhile 1 {\nexit 7\n}\n}\ncb.never()"), 7);
    for (const auto& [script, code] :
         {std::pair{"exit", 0}, {"continue", 0}, {"exit \"12abc\"", 12}, {"exit -1", -1}})
        EXPECT_EQ(t.run(script), code) << script;
    EXPECT_TRUE(t.log.empty());
}

TEST(ControlFlow, StopRequests) {
    ScriptTestHost t;
    t.logAbortQueries = true;
    // Asked after every statement; only exactly 1 means stop.
    t.checkAbort = [](int) { return 2; };
    EXPECT_EQ(t.runLog("cb.a()\n\n\ncb.b()\n"), "a\nabort? 1\nb\nabort? 4\n");
    // SLEEP asks too; the request it takes ends the script after the statement.
    int queries = 0;
    t.checkAbort = [&](int) { return ++queries == 1 ? 1 : 0; };
    EXPECT_EQ(t.runLog("x = sleep(100000) + cb.same()\ncb.never()"), "abort? 2\nsame\n");

    // Even empty loops stop; after the stopping query only the root block's
    // own one follows.
    t.logAbortQueries = false;
    for (const char* loop :
         {"loop {\ni++\n}\n", "loop {\n}\n", "while 1 {\n}\n", "for (i = 0, 1, i++) {\n}\n"}) {
        queries = 0;
        t.checkAbort = [&](int) { return ++queries == 50 ? 1 : 0; };
        EXPECT_EQ(t.runLog(std::string(loop) + "cb.never()"), "") << loop;
        EXPECT_EQ(queries, 51) << loop;
    }

    // Every /= runs its value twice: 64 nested ones would run 2^64 times. A
    // request, once taken, is not asked for again.
    queries = 0;
    t.checkAbort = [&](int) { return ++queries == 100 ? 1 : 0; };
    EXPECT_EQ(
        t.runLog("a = 1\nb = " + repeat("(a /= ", 64) + "1" + repeat(")", 64) + "\ncb.never()"),
        "");
    EXPECT_EQ(queries, 100);
}

} // namespace
} // namespace tapwell::test
