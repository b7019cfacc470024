// Operators and assignments give the same values whatever their operands
// are: literals, variables, calls, or the far end of a long operator chain.
// The evaluator picks a different route for each of those shapes.
#include "script/expression_ops.h"
#include "script_test_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>

namespace tapwell::test {
namespace {

// `form` with every X, OP and Y replaced.
std::string fill(std::string form, std::string_view x, std::string_view op, std::string_view y) {
    for (const auto& [from, to] : {std::pair{"X", x}, {"OP", op}, {"Y", y}})
        for (std::size_t at; (at = form.find(from)) != std::string::npos;)
            form.replace(at, std::string_view(from).size(), to);
    return form;
}

// Each shape gets a script of its own, whose log must be the first shape's.
void expectAlike(const std::vector<std::string>& scripts, int lines, const std::string& what) {
    ScriptTestHost t;
    const std::string want = t.runLog(scripts[0]);
    EXPECT_EQ(std::count(want.begin(), want.end(), '\n'), lines) << what << ":\n" << want;
    for (std::size_t i = 1; i < scripts.size(); ++i)
        EXPECT_EQ(t.runLog(scripts[i]), want) << what << " shape " << i;
}

TEST(OperandShapes, EveryOperatorAgreesAcrossShapes) {
    // literal/literal, variable/literal, literal/variable, variable/variable,
    // calls, and the top of a long chain.
    std::vector<std::string> shapes;
    std::istringstream forms("X OP Y|x OP Y|X OP y|x OP y|TOINT(x) OP TOINT(y)|"
                             "(x + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0) OP y");
    for (std::string form; std::getline(forms, form, '|');)
        shapes.push_back(form);
    for (std::string op : {"+", "-", "*", "/", "%", "|", "&", "^", "<<", ">>",
                           "==", "!=", "===", "!==", "<", ">", "<=", ">="}) {
        std::vector<std::string> scripts(6);
        int lines = 0;
        std::istringstream pairs("0 1 7 2 -7 2 7 -2 2147483647 1 -1 -1 -2147483648 -1 5 33 -8 1 "
                                 "3 3 1 0 -2147483648 7 2147483647 10 -2147483647 65536 -100 10 "
                                 "2147483646 2147483647");
        for (std::string x, y; pairs >> x >> y;) {
            if ((op == "/" || op == "%") && y == "0")
                continue;
            for (int i = 0; i < 6; ++i)
                scripts[i] += fill("x = X\ny = Y\ncb.v(" + shapes[i] + ")\n", x, op, y);
            ++lines;
        }
        expectAlike(scripts, lines, op);
    }
}

// An if takes the branch its comparison's value says.
TEST(OperandShapes, ConditionsBranchAsTheirComparisonEvaluates) {
    std::vector<std::string> scripts(2, "a = -5\nb = 7\nc = -2147483647 - 1\ns$ = \"10\"\n");
    int lines = 0;
    for (const char* op : {"<", ">", "<=", ">=", "==", "!=", "===", "!=="}) {
        for (const char* test : {"a OP b",         "b OP a",
                                 "a OP a",         "a OP 3",
                                 "b OP 7",         "b OP 2147483647",
                                 "c OP -1",        "s$ OP b",
                                 "a OP s$",        "(a % 3) OP -2",
                                 "(-a) OP b",      "(b * 2) OP 14",
                                 "TOINT(s$) OP a", "s$ OP \"9\"",
                                 "\"10\" OP s$",   "(c % 7) OP b",
                                 "(a % 3) OP 1",   "(c % 2147483647) OP a",
                                 "(b % 4) OP 3",   "(a % 1) OP 0",
                                 "(!(a OP b))",    "((a OP b) || !(c OP -1) && b OP 7)"}) {
            scripts[0] += fill("cb.v(" + std::string(test) + ")\n", "", op, "");
            scripts[1] +=
                fill("if " + std::string(test) + " {\ncb.v(1)\n} else {\ncb.v(0)\n}\n", "", op, "");
            ++lines;
        }
    }
    expectAlike(scripts, lines, "conditions");
}

// Conditions built of && || and ! decide as their value says, in an if, a
// while and a for, and evaluate their operands in the same order (a call
// logs when it is made).
TEST(OperandShapes, LogicalConditionsDecideAsTheirValue) {
    const std::vector<std::string> leaves = {
        "a < b",       "b == 7",      "(a % 3) == -2", "(i & 1)",
        "a & 4",       "c >= a",      "b != i",        "i",
        "0",           "!!(a < b)",   "s$ == \"10\"",  "TOINT(s$) > a",
        "cb.t(a < i)", "cb.t(b & 2)", "(a + b) > 1"};
    std::mt19937 rng(31);
    const auto pick = [&rng](std::size_t n) { return static_cast<std::size_t>(rng() % n); };
    const auto tree = [&](const auto& self, int depth) -> std::string {
        if (depth == 0 || pick(4) == 0)
            return leaves[pick(leaves.size())];
        switch (pick(3)) {
        case 0:
            return "(" + self(self, depth - 1) + " && " + self(self, depth - 1) + ")";
        case 1:
            return "(" + self(self, depth - 1) + " || " + self(self, depth - 1) + ")";
        default:
            return "!(" + self(self, depth - 1) + ")";
        }
    };
    std::vector<std::string> conditions = {"a < b && b == 7 || !(i & 1) && c < 0"};
    std::string deep = "a < b";
    for (int i = 0; i < 70; ++i) // deeper than conditions are laid out
        deep = (i % 2 ? "!(" : "(b > a && ") + deep + ")";
    conditions.push_back(deep);
    for (int i = 0; i < 300; ++i)
        conditions.push_back(tree(tree, 5));
    std::vector<std::string> scripts(4);
    for (const std::string& condition : conditions)
        for (const char* i : {"0", "1", "-6"}) {
            const std::string setUp =
                "a = -5\nb = 7\nc = -2147483647 - 1\ns$ = \"10\"\ni = " + std::string(i) + "\n";
            scripts[0] += setUp + "cb.v((!(" + condition + ")))\n";
            scripts[1] += setUp + "if " + condition + " {\ncb.v(0)\n} else {\ncb.v(1)\n}\n";
            scripts[2] += setUp + "n = 1\nwhile " + condition + " {\nn = 0\nbreak\n}\ncb.v(n)\n";
            scripts[3] += setUp + "n = 1\nfor (m = 0, (" + condition +
                          "), m++) {\nn = 0\nbreak\n}\n" + "cb.v(n)\n";
        }
    ScriptTestHost t;
    const std::string want = t.runLog(scripts[0]);
    const auto lines = [&want](std::string_view line) {
        std::size_t n = 0;
        for (std::size_t at = 0; (at = want.find(line, at)) != std::string::npos; ++at)
            ++n;
        return n;
    };
    // Both outcomes occur often enough to tell a negated test from a right one.
    EXPECT_GT(lines("v 0\n"), 200u);
    EXPECT_GT(lines("v 1\n"), 200u);
    EXPECT_EQ(lines("v 0\n") + lines("v 1\n"), 3 * conditions.size());
    for (std::size_t k = 1; k < scripts.size(); ++k) {
        const std::string got = t.runLog(scripts[k]);
        const auto [differ, _] = std::mismatch(got.begin(), got.end(), want.begin(), want.end());
        EXPECT_TRUE(got == want) << "form " << k << " differs from its line "
                                 << std::count(got.begin(), differ, '\n') + 1;
    }
}

// A remainder by a literal in a condition is worked out without the
// division instruction; it must be the division's, dividend by dividend.
TEST(OperandShapes, RemaindersByALiteralAgreeWithTheDivision) {
    std::mt19937 rng(29);
    std::vector<std::int32_t> dividends = {0, 1, -1, 6, 7, -7, INT32_MAX, INT32_MIN, INT32_MIN + 1};
    for (int i = 0; i < 20000; ++i)
        dividends.push_back(static_cast<std::int32_t>(rng()));
    for (std::int32_t d : {2, 3, 7, 10, 12, 17, 1000, 65536, 65537, INT32_MAX, -2, -7, -65536,
                           INT32_MIN + 1, INT32_MIN}) {
        const std::uint64_t reciprocal = reciprocalOf(d);
        ASSERT_NE(reciprocal, 0u) << d;
        for (std::int32_t n : dividends)
            ASSERT_EQ(remainderByReciprocal(n, d, reciprocal), wrapRem(n, d)) << n << " % " << d;
    }
    for (std::int32_t d : {0, 1, -1})
        EXPECT_EQ(reciprocalOf(d), 0u) << d;
}

// Comparisons of two texts, each a literal, a variable, a missing variable
// or a computed text, agree with the same comparison made on values.
TEST(OperandShapes, TextComparisonsAgreeAcrossShapes) {
    std::vector<std::string> shapes;
    // The first compares values of any type, the others two texts.
    std::istringstream forms("TOSTR$(x$) OP TOSTR$(y$)|X OP Y|x$ OP Y|X OP y$|x$ OP y$|"
                             "(x$ + \"\") OP y$|x$ OP (y$ + \"\")|(no$ + X) OP Y");
    for (std::string form; std::getline(forms, form, '|');)
        shapes.push_back(form);
    for (std::string op : {"==", "!=", "===", "!==", "<", ">", "<=", ">="}) {
        std::vector<std::string> scripts(shapes.size());
        int lines = 0;
        std::istringstream pairs("a b b a abc ab ab abc x x é z 10 9 \"\" a a \"\" \"\" \"\"");
        for (std::string x, y; pairs >> x >> y;) {
            const auto quoted = [](const std::string& t) {
                return t == "\"\"" ? t : "\"" + t + "\"";
            };
            for (std::size_t i = 0; i < shapes.size(); ++i)
                scripts[i] += fill("x$ = X\ny$ = Y\ncb.v(" + shapes[i] + ")\nif " + shapes[i] +
                                       " {\ncb.t()\n} else {\ncb.f()\n}\n",
                                   quoted(x), op, quoted(y));
            lines += 2;
        }
        expectAlike(scripts, lines, op);
    }
}

// A text operand is taken when it is evaluated: an assignment to it further
// right does not change what is compared or passed.
TEST(OperandShapes, TextsAreTakenBeforeLaterOperandsStore) {
    ScriptTestHost t;
    EXPECT_EQ(
        t.mismatches({
            {"a$ = \"a\"\ncb.v(a$ < (a$ = \"b\"), a$, a$ < (1 ? (a$ = \"c\") : \"\"))",
             "v 1 \"b\" 1\n"},
            {"a$ = \"b\"\ncb.v(a$ == (a$ += \"\"), a$ < (a$ += \"c\"), a$)", "v 1 1 \"bc\"\n"},
            {"s$ = \"abcdef\"\ncb.v(MID$(s$, TOINT(s$ = \"2\"), 3), s$)", "v \"bcd\" \"2\"\n"},
            {"s$ = \"abc\"\ncb.v(STRSTR(s$, s$ + (s$ = \"x\")), STRSTR(s$, \"x\"))", "v -1 0\n"},
            {"s$ = \"abc\"\nt$ = s$\ncb.v(REPLACE$(s$, \"b\", t$), STRLEN(nope$), "
             "LEFT$(s$, 2) + RIGHT$(s$, 1), STRSTRI(s$, \"B\"), s$, TOSTR$(s$))",
             "v \"aabcc\" 0 \"abc\" 1 \"abc\" \"abc\"\n"},
            {"cb.v(\"b\" > \"abc\", \"abc\" == \"ABC\", \"é\" > \"z\", x$ < \"\", "
             "x$ <= \"\", \"10\" < \"9\")",
             "v 1 0 1 0 1 1\n"},
            // A built-in that changes its copy leaves the variable alone.
            {"s$ = \"abc\"\ncb.v(STRSTRI(s$, \"C\"), STRUPR$(s$), s$)", "v 2 \"ABC\" \"abc\"\n"},
        }),
        "");
}

TEST(OperandShapes, KnownResults) {
    ScriptTestHost t;
    EXPECT_EQ(
        t.mismatches({
            // Integer and text variables compare by their values' types; a
            // missing text variable is "", a missing integer variable 0.
            {"n = 10\nt$ = \"9\"\nu$ = \"10\"\n"
             "cb.v(n < t$, t$ > n, n == u$, n === u$, n !== u$, u$ == 10, n < 9, t$ < u$)",
             "v 1 1 1 0 1 1 0 0\n"},
            {"cb.v(m$ == \"\", m == 0, m$ === 0, m$ < 0, m < 1, m$ + m)", "v 1 1 0 1 1 \"0\"\n"},
            {"s$ = \"abc\"\ncb.v(s$ * 2, s$ + 1, 1 + s$, -s$, (!s$), (!!s$), ~s$)",
             "v 0 \"abc1\" 1 0 1 0 -1\n"},
            // Conditions take the truth of texts and integers.
            {"z$ = \"0\"\nif z$ {\ncb.a()\n}\nif missing$ {\ncb.never()\n}\n"
             "if \"\" + 0 {\ncb.b()\n}\nif 0 + \"\" {\ncb.never()\n}\n"
             "if TOSTR$(0) {\ncb.c()\n}\nn = 0\nif n ? \"\" : \"x\" {\ncb.d()\n}\n"
             "while n < 3 && \"x\" {\nn++\n}\nfor (k = 0, k < 3 && z$, k++) {\ncb.never()\n}\n"
             "cb.v(n, k, 1 ? \"\" : 1, 0 ? 1 : \"0\", z$ ? 5 : 6, (\"\" ? 5 : 6))",
             "a\nb\nc\nd\nv 0 0 \"\" \"0\" 5 6\n"},
            // A loop's test is taken afresh each time round.
            {"k = 0\nn = 3\nwhile k != n {\nk++\nif k == 2 {\nn = 5\n}\n}\n"
             "for (j = 10, j >= k, j -= 2) {\n}\ncb.v(k, n, j)",
             "v 5 5 4\n"},
            // Compound assignments with every value shape; the target is read
            // before a value that changes it runs.
            {"a = 5\nb = 3\ncb.v(a += 2, a -= b, a *= b + 1, a <<= b, a >>= 1, "
             "a |= TOINT(\"1\"), a ^= b, a &= 255, a++, a--, a)",
             "v 7 4 16 128 64 65 66 66 66 67 66\n"},
            {"a = 1\na -= (a = 10) - 3\nb = 2\nb *= b\nc = 4\nc += c++\ncb.v(a, b, c)",
             "v -6 4 8\n"},
            {"VK_A += 1\nx = y = VK_A\ncb.v(vk_a, x, y)", "v 66 66 66\n"},
            {"n = -3\ns$ += 12\ns$ += n\ns$ += s$\n"
             "t$ = \"abcdefghijklmnopqrstuvwxyz\"\nt$ = \"ab\"\n"
             "u$ += \"x\" + 1 + 2\nv$ = 7 * 6\nw$ += n < 0\n"
             "cb.v(s$, t$, u$, v$, w$, (x$ = \"q\") + 1, (x$ += 5))",
             "v \"12-312-3\" \"ab\" \"x12\" \"42\" \"1\" \"q1\" \"q5\"\n"},
            // "/=" and "%=" by a literal and by a variable, which are read once.
            {"a = 17\nb = 5\na %= b\nc = -7\nc /= 2\nd = 9\nd /= d\nm = -2147483647 - 1\n"
             "n = -1\nm /= n\nk = 7\nk %= n\nq = 1\nq *= 0 - 3\ne = 3\nz = 0\nr = -17\nr %= 5\n"
             "cb.v(a, c, d, m, k, q, e /= z, e, r)",
             "error 102 19 Runtime Error: Division by zero(/0) at line 19\n\n"
             "v 2 -3 1 -2147483648 0 -3 0 3 -2\n"},
            // Division by zero in conditions and operands.
            {"a = 7\nb = 0\nif a / b {\ncb.never()\n}\ncb.never()",
             "error 102 3 Runtime Error: Division by zero(/0) at line 3\n\n"},
            {"a = 7\nb = 0\nwhile a % b {\ncb.never()\n}\ncb.never()",
             "error 103 3 Runtime Error: Division by zero(%0) at line 3\n\n"},
            {"b = 0\ncb.v((0 && 1 / b), (1 || 1 % b), (7 / b) + 1)\ncb.never()",
             "error 102 2 Runtime Error: Division by zero(/0) at line 2\n\nv 0 1 1\n"},
            // Chains longer than the recursion allowance.
            {"s$ = \"n\"\nx = 2\ncb.v(s$ + 1 + 2 + 3 + 4 + 5 + 6 + 7 + 8 + 9 + 10, "
             "1 + 2 + 3 + 4 + 5 + 6 + 7 + 8 + 9 + 10 < 56, "
             "x * 3 - 1 - 1 - 1 - 1 - 1 - 1 - 1 - 1 - 1 == -3, "
             "x - 1 - 1 - 1 - 1 - 1 - 1 - 1 - 1 - 1 - 1 + s$, "
             "(0 || 0 || 0 || 0 || 0 || 0 || 0 || 0 || 0 || 0 || x), "
             "(0 && 0 && 0 && 0 && 0 && 0 && 0 && 0 && 0 && 0 && x), "
             "(0 || 0 || 0 || 0 || 0 || 0 || 0 || 0 || 0 || 0 || 0))",
             "v \"n12345678910\" 1 1 -8 1 0 0\n"},
        }),
        "");
}

} // namespace
} // namespace tapwell::test
