// Operators and assignments give the same values whatever their operands
// are: literals, variables, calls, or the far end of a long operator chain.
// The evaluator picks a different route for each of those shapes.
#include "script_test_host.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tapwell::test {
namespace {

class OperandShapes : public ::testing::Test {
  protected:
    ScriptTestHost t;
    std::string run(std::string_view script) { return t.runLog(script); }
};

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> out;
    for (std::string w; in >> w;)
        out.push_back(w);
    return out;
}

TEST_F(OperandShapes, EveryOperatorAgreesAcrossShapes) {
    const char* ops[] = {"+",  "-",  "*",  "/",   "%",   "|", "&", "^",  "<<",
                         ">>", "==", "!=", "===", "!==", "<", ">", "<=", ">="};
    const std::pair<const char*, const char*> pairs[] = {{"0", "1"},
                                                         {"7", "2"},
                                                         {"-7", "2"},
                                                         {"7", "-2"},
                                                         {"2147483647", "1"},
                                                         {"-1", "-1"},
                                                         {"-2147483648", "-1"},
                                                         {"5", "33"},
                                                         {"-8", "1"},
                                                         {"3", "3"},
                                                         {"1", "0"}};
    for (const char* op : ops) {
        const bool divides = std::string_view(op) == "/" || std::string_view(op) == "%";
        std::string script;
        int lines = 0;
        for (const auto& [x, y] : pairs) {
            if (divides && std::string_view(y) == "0")
                continue;
            const std::string o = std::string(" ") + op + " ";
            script += std::string("x = ") + x + "\ny = " + y + "\n";
            // literal/literal, variable/literal, literal/variable,
            // variable/variable, calls, and the top of a long chain.
            script += std::string("cb.v(") + x + o + y + ", x" + o + y + ", " + x + o + "y, x" + o +
                      "y, TOINT(x)" + o + "TOINT(y), (x + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0)" + o +
                      "y)\n";
            ++lines;
        }
        const std::string log = run(script);
        std::istringstream in(log);
        int seen = 0;
        for (std::string line; std::getline(in, line); ++seen) {
            const auto w = words(line);
            ASSERT_EQ(w.size(), 7u) << op << ": " << line;
            for (std::size_t i = 2; i < w.size(); ++i)
                EXPECT_EQ(w[i], w[1]) << op << " shape " << i - 1 << ": " << line;
        }
        EXPECT_EQ(seen, lines) << op << ":\n" << log;
    }
}

TEST_F(OperandShapes, ConditionsBranchAsTheirComparisonEvaluates) {
    const char* ops[] = {"<", ">", "<=", ">=", "==", "!=", "===", "!=="};
    const char* tests[] = {"a OP b",          "b OP a",  "a OP a",  "a OP 3", "b OP 7",
                           "b OP 2147483647", "c OP -1", "s$ OP b", "a OP s$"};
    std::string script = "a = -5\nb = 7\nc = -2147483647 - 1\ns$ = \"10\"\n";
    int lines = 0;
    for (const char* op : ops) {
        for (std::string test : tests) {
            test.replace(test.find("OP"), 2, op);
            script +=
                "if " + test + " {\ncb.v(1, " + test + ")\n} else {\ncb.v(0, " + test + ")\n}\n";
            ++lines;
        }
    }
    const std::string log = run(script);
    std::istringstream in(log);
    int seen = 0;
    for (std::string line; std::getline(in, line); ++seen) {
        const auto w = words(line);
        ASSERT_EQ(w.size(), 3u) << line;
        EXPECT_EQ(w[1], w[2]) << "condition " << seen << ": " << line;
    }
    EXPECT_EQ(seen, lines) << log;
    // A loop's test is taken afresh each time round.
    EXPECT_EQ(run("k = 0\nn = 3\nwhile k != n {\nk++\nif k == 2 {\nn = 5\n}\n}\n"
                  "for (j = 10, j >= k, j -= 2) {\n}\ncb.v(k, n, j)"),
              "v 5 5 4\n");
}

TEST_F(OperandShapes, KnownResultsThroughVariables) {
    EXPECT_EQ(run("a = 2147483647\nb = -2147483647 - 1\nc = -1\nd = 33\n"
                  "cb.v(a + 1, b - 1, a * 2, b / c, b % c, 1 << d, c >> d, -7 / 2, -7 % 2)"),
              "v -2147483648 2147483647 -2 -2147483648 0 2 -1 -3 -1\n");
    EXPECT_EQ(run("x = 7\ny = 2\ncb.v(x / y, x % y, -x / y, x % -y, x < y, x >= y, x === y)"),
              "v 3 1 -3 1 0 1 0\n");
}

TEST_F(OperandShapes, IntegerAndTextVariablesCompareByTheirValuesTypes) {
    EXPECT_EQ(run("n = 10\nt$ = \"9\"\nu$ = \"10\"\n"
                  "cb.v(n < t$, t$ > n, n == u$, n === u$, n !== u$, u$ == 10, n < 9, t$ < u$)"),
              "v 1 1 1 0 1 1 0 0\n");
    // A missing text variable is "", a missing integer variable 0.
    EXPECT_EQ(run("cb.v(m$ == \"\", m == 0, m$ === 0, m$ < 0, m < 1, m$ + m)"),
              "v 1 1 0 1 1 \"0\"\n");
    EXPECT_EQ(run("s$ = \"abc\"\ncb.v(s$ * 2, s$ + 1, 1 + s$, -s$, (!s$), (!!s$), ~s$)"),
              "v 0 \"abc1\" 1 0 1 0 -1\n");
}

TEST_F(OperandShapes, ConditionsTakeTheTruthOfTextsAndIntegers) {
    EXPECT_EQ(run("z$ = \"0\"\n"
                  "if z$ {\ncb.a()\n}\n"
                  "if missing$ {\ncb.never()\n}\n"
                  "if \"\" + 0 {\ncb.b()\n}\n"
                  "if 0 + \"\" {\ncb.never()\n}\n"
                  "if TOSTR$(0) {\ncb.c()\n}\n"
                  "n = 0\nif n ? \"\" : \"x\" {\ncb.d()\n}\n"
                  "while n < 3 && \"x\" {\nn++\n}\n"
                  "for (k = 0, k < 3 && z$, k++) {\ncb.never()\n}\n"
                  "cb.v(n, k, 1 ? \"\" : 1, 0 ? 1 : \"0\", z$ ? 5 : 6, (\"\" ? 5 : 6))"),
              "a\nb\nc\nd\nv 0 0 \"\" \"0\" 5 6\n");
}

TEST_F(OperandShapes, CompoundAssignmentsWithEveryValueShape) {
    EXPECT_EQ(run("a = 5\nb = 3\n"
                  "cb.v(a += 2, a -= b, a *= b + 1, a <<= b, a >>= 1, a |= TOINT(\"1\"), a ^= b, "
                  "a &= 255, a++, a--, a)"),
              "v 7 4 16 128 64 65 66 66 66 67 66\n");
    EXPECT_EQ(run("cb.v(q++, q, r -= 2, r, --p, p)"), "v 0 1 -2 -2 -1 -1\n");
    // The target is read before a value that changes it runs.
    EXPECT_EQ(run("a = 1\na -= (a = 10) - 3\nb = 2\nb *= b\nc = 4\nc += c++\ncb.v(a, b, c)"),
              "v -6 4 8\n");
    EXPECT_EQ(run("VK_A += 1\nx = y = VK_A\ncb.v(vk_a, x, y)"), "v 66 66 66\n");
}

TEST_F(OperandShapes, TextAssignmentsAndAppends) {
    EXPECT_EQ(run("n = -3\ns$ += 12\ns$ += n\ns$ += s$\n"
                  "t$ = \"abcdefghijklmnopqrstuvwxyz\"\nt$ = \"ab\"\n"
                  "u$ += \"x\" + 1 + 2\nv$ = 7 * 6\nw$ += n < 0\n"
                  "cb.v(s$, t$, u$, v$, w$, (x$ = \"q\") + 1, (x$ += 5))"),
              "v \"12-312-3\" \"ab\" \"x12\" \"42\" \"1\" \"q1\" \"q5\"\n");
}

TEST_F(OperandShapes, DivisionByZeroInConditionsAndOperands) {
    EXPECT_EQ(run("a = 7\nb = 0\nif a / b {\ncb.never()\n}\ncb.never()"),
              "error 102 3 Runtime Error: Division by zero(/0) at line 3\n\n");
    EXPECT_EQ(run("a = 7\nb = 0\nwhile a % b {\ncb.never()\n}\ncb.never()"),
              "error 103 3 Runtime Error: Division by zero(%0) at line 3\n\n");
    EXPECT_EQ(run("b = 0\ncb.v((0 && 1 / b), (1 || 1 % b), (7 / b) + 1)\ncb.never()"),
              "error 102 2 Runtime Error: Division by zero(/0) at line 2\n\nv 0 1 1\n");
}

TEST_F(OperandShapes, ChainsLongerThanTheRecursionAllowance) {
    EXPECT_EQ(run("s$ = \"n\"\nx = 2\n"
                  "cb.v(s$ + 1 + 2 + 3 + 4 + 5 + 6 + 7 + 8 + 9 + 10, "
                  "1 + 2 + 3 + 4 + 5 + 6 + 7 + 8 + 9 + 10 < 56, "
                  "x * 3 - 1 - 1 - 1 - 1 - 1 - 1 - 1 - 1 - 1 == -3, "
                  "x - 1 - 1 - 1 - 1 - 1 - 1 - 1 - 1 - 1 - 1 + s$, "
                  "(0 || 0 || 0 || 0 || 0 || 0 || 0 || 0 || 0 || 0 || x))"),
              "v \"n12345678910\" 1 1 -8 1\n");
}

} // namespace
} // namespace tapwell::test
