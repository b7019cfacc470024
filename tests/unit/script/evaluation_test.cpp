#include "script_test_host.h"

#include <gtest/gtest.h>

namespace tapwell::test {
namespace {

class Evaluation : public ::testing::Test {
  protected:
    ScriptTestHost t;
    std::string run(std::string_view script) { return t.runLog(script); }
};

TEST_F(Evaluation, PlusFollowsTheTypeOfItsLeftOperand) {
    EXPECT_EQ(run(R"(cb.v("a" + 1, 1 + "2", 1 + "x", "1" + 2 + 3, 1 + 2 + "3"))"),
              "v \"a1\" 3 1 \"123\" 6\n");
    EXPECT_EQ(run(R"(cb.v("5" - 1, "3" * "4", "12abc" | 0, 0 + " -7", " -7" + 0))"),
              "v 4 12 12 -7 \" -70\"\n");
}

TEST_F(Evaluation, ComparisonsOfIntegersAndTexts) {
    EXPECT_EQ(run(R"(cb.v("1" == 1, "1" === 1, "1" !== 1, 1 === 1, "a" === "a", "01" == 1))"),
              "v 1 0 1 1 1 0\n");
    EXPECT_EQ(run(R"(cb.v("10" < "9", 10 < 9, "10" < 9, -1 < 0, "abc" == "ABC"))"),
              "v 1 0 1 1 0\n");
    EXPECT_EQ(
        run("cb.v(\"b\" > \"abc\", \"ab\" < \"abc\", \"ab\" >= \"ab\", \"z\" < \"\xE3\x81\x82\")"),
        "v 1 1 1 1\n");
    EXPECT_EQ(run(R"(cb.v(2 <= 2, 3 >= 4, "" != "", 0 != "0"))"), "v 1 0 0 0\n");
}

TEST_F(Evaluation, IntegerArithmeticWraps) {
    EXPECT_EQ(run("cb.v(2147483647 + 1, -2147483647 - 2, 65536 * 65536, -(-2147483647 - 1))"),
              "v -2147483648 2147483647 0 -2147483648\n");
    EXPECT_EQ(run("cb.v(1 << 33, -8 >> 1, 1 << 31, -1 >> 40, 5 >> -1)"),
              "v 2 -4 -2147483648 -1 0\n");
    EXPECT_EQ(run("cb.v(-7 / 2, -7 % 2, 7 % -2, ~0, 6 & 3, 6 | 3, 6 ^ 3)"), "v -3 -1 1 -1 2 7 5\n");
    EXPECT_EQ(run("m = -2147483647 - 1\ncb.v(m / -1, m % -1)"), "v -2147483648 0\n");
}

TEST_F(Evaluation, LogicalOperatorsUseTheIntegerValue) {
    EXPECT_EQ(run(R"(cb.v((!"0"), (!"abc"), (!"7"), ("0" && 1), ("x" || 0), (2 && 3), (0 || 0)))"),
              "v 1 1 0 0 0 1 0\n");
    // Short circuit: the right operand is not evaluated.
    EXPECT_EQ(run("x = 0 && cb.never()\ny = 1 || cb.never()\ncb.v(x, y)"), "v 0 1\n");
    EXPECT_EQ(run("x = 1 && cb.called()\n"), "called\n");
}

TEST_F(Evaluation, OperandsRunLeftToRight) {
    EXPECT_EQ(run("x = cb.a() + cb.b() * cb.c()\n"), "a\nb\nc\n");
    EXPECT_EQ(run("x = cb.a() ? cb.b() : cb.c()\n"), "a\nc\n");
}

TEST_F(Evaluation, VariablesAreNamedWithoutRegardToCase) {
    EXPECT_EQ(run("Count = 3\ncb.v(COUNT, count, x, x$, total$)"), "v 3 3 0 \"\" \"\"\n");
    EXPECT_EQ(run("total = 1\ntotal$ = \"t\"\ncb.v(TOTAL, Total$)"), "v 1 \"t\"\n");
    EXPECT_EQ(run("cb.v(x === 0, x$ === \"\")"), "v 1 1\n");
}

TEST_F(Evaluation, PredefinedConstantsAreOrdinaryVariables) {
    EXPECT_EQ(run("cb.v(Vk_Return, ISNT, yes, VK_A, vk_f1)"), "v 13 1 1 65 112\n");
    EXPECT_EQ(run("VK_RETURN = 5\ncb.v(vk_return)"), "v 5\n");
    EXPECT_EQ(run("cb.v(VK_RETURN)"), "v 13\n"); // the next run starts afresh
}

TEST_F(Evaluation, PlainAssignmentsConvertToTheNamesType) {
    EXPECT_EQ(run("a = \"7 apples\"\nb$ = 7 * 6\ncb.v(a, b$)\nb$ += 1\ncb.v(b$)"),
              "v 7 \"42\"\nv \"421\"\n");
    EXPECT_EQ(run("a = b = 3\ncb.v(a, b, (c$ = 5), (d = \"x\"))"), "v 3 3 \"5\" 0\n");
    EXPECT_EQ(run("s$ += \"x\"\nn += 2\ncb.v(s$, n)"), "v \"x\" 2\n");
}

TEST_F(Evaluation, IncrementsYieldOldOrNewValues) {
    EXPECT_EQ(run("i = 5\ncb.v(i++, i, ++i, i, i--, --i)"), "v 5 6 7 7 7 5\n");
    EXPECT_EQ(run("i = 2147483647\ni++\ncb.v(i)"), "v -2147483648\n");
}

TEST_F(Evaluation, CompoundAssignments) {
    EXPECT_EQ(run("n = 6\ncb.v(n *= 7, n -= 2, n >>= 2, n <<= 1, n |= 1, n ^= 3, n &= 6, n /= 4, "
                  "n %= 1)"),
              "v 42 40 10 20 21 22 6 1 0\n");
    EXPECT_EQ(run("n = -9\nn >>= 1\nm = 1\nm <<= 32\ncb.v(n, m)"), "v -5 1\n");
    EXPECT_EQ(run("m = -2147483647 - 1\nq = m\nq /= -1\nm %= -1\ncb.v(q, m)"), "v -2147483648 0\n");
}

TEST_F(Evaluation, CompoundAssignmentsReadTheTargetFirstExceptForAppending) {
    EXPECT_EQ(run("a = 1\na += (a = 5)\ncb.v(a)"), "v 6\n");
    EXPECT_EQ(run("s$ = \"x\"\ns$ += (s$ = \"y\")\ncb.v(s$)"), "v \"yy\"\n");
}

TEST_F(Evaluation, DivideAssignmentRunsItsValueTwice) {
    t.answers["two"] = {HostValue{0, 2, {}}, HostValue{0, 2, {}}};
    EXPECT_EQ(run("a = 10\na /= cb.two()\ncb.v(a)"), "two\ntwo\nv 5\n");
}

TEST_F(Evaluation, DivisionByZeroReportsAndStops) {
    // The operator node is completed by reading the line feed, so it carries
    // the number of the following line.
    EXPECT_EQ(run("\nx = 10 / 0\ncb.v(x)"),
              "error 102 3 Runtime Error: Division by zero(/0) at line 3\n\n");
    EXPECT_EQ(run("a = 4\na %= 0\ncb.never()"),
              "error 103 3 Runtime Error: Division by zero(%0) at line 3\n\n");
    // The statement completes with 0 in place of the failed operation.
    EXPECT_EQ(run("cb.v(1 + 10 % 0, cb.after())\ncb.never()"),
              "error 103 1 Runtime Error: Division by zero(%0) at line 1\n\nafter\nv 1 0\n");
    // A second evaluation of the divisor that gives 0 is caught as well.
    t.answers["d"] = {HostValue{0, 2, {}}, HostValue{0, 0, {}}};
    EXPECT_EQ(run("a = 8\na /= cb.d()\ncb.v(a)"),
              "d\nd\nerror 102 3 Runtime Error: Division by zero(/0) at line 3\n\n");
}

TEST_F(Evaluation, DivisionByZeroLeavesTheTargetAlone) {
    t.withReportError = false;
    EXPECT_EQ(run("a = 4\nx = (a /= 0) + cb.v(a)"), "v 4\n");
}

TEST_F(Evaluation, BuiltinErrorsStopAfterTheStatement) {
    EXPECT_EQ(run("x = TOSTR(\"x\") + cb.same()\ncb.never()"),
              "error 104 1 Runtime error at line 1: Unknown Function Call:TOSTR(args:1). But "
              "TOSTR$() exists.\n\nsame\n");
    EXPECT_EQ(run("cb.v(foo$(1, 2))"),
              "error 105 1 Runtime error at line 1: Unknown Function Call or Not enough "
              "arguments:FOO$(args:2)\n\nv \"\"\n");
    EXPECT_EQ(run("cb.v(StrLen(\"\xE6\x97\xA5\"), left$(\"abc\", 2))"), "v 3 \"ab\"\n");
}

TEST_F(Evaluation, LongOperatorChainsEvaluateWithoutDeepRecursion) {
    std::string text = "x = 1";
    for (int i = 1; i < 1000000; ++i)
        text += "+1";
    text += "\ncb.v(x)";
    EXPECT_EQ(run(text), "v 1000000\n");

    std::string logic = "x = 1";
    for (int i = 1; i < 100000; ++i)
        logic += " && 1";
    EXPECT_EQ(run(logic + "\ncb.v(x)"), "v 1\n");

    // Prefix operators nest as deep as the parser allows.
    std::string minus;
    for (int i = 0; i < 9000; ++i)
        minus += "- ";
    EXPECT_EQ(run("cb.v(" + minus + "1, " + std::string(9001, '~') + "0)"), "v 1 -1\n");
}

TEST_F(Evaluation, NestingAsDeepAsTheParserAllowsEvaluates) {
    // Right-nested forms recurse once per level; the parser's stack limit
    // bounds the depth (the script thread's stack is sized for it).
    std::string chain;
    for (int i = 0; i < 4990; ++i)
        chain += "a = ";
    EXPECT_EQ(run(chain + "7\ncb.v(a)"), "v 7\n");
    std::string paren = "x = ";
    for (int i = 0; i < 3300; ++i)
        paren += "1 + (";
    EXPECT_EQ(run(paren + "1" + std::string(3300, ')') + "\ncb.v(x)"), "v 3301\n");
}

TEST_F(Evaluation, AppendingInAStatementKeepsEveryByte) {
    EXPECT_EQ(
        run("for (i = 0, i < 100000, i++) {\ns$ += \"xy\"\n}\ncb.v(strlen(s$), right$(s$, 3))"),
        "v 200000 \"yxy\"\n");
}

} // namespace
} // namespace tapwell::test
