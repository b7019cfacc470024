#include "script/script_parser.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

namespace tapwell {
namespace {

// The tree as an S-expression, or "error LINE MESSAGE".
std::string parse(std::string_view text) {
    const ParseOutcome o = parseScript(text);
    if (o.result != kParseAccepted)
        return "error " + std::to_string(o.errorLine) + " " + o.message;
    return dumpTree(o.root.get());
}

// The same without the lines, for grouping tests.
std::string shape(std::string_view text) {
    static const std::regex lines(" L-?[0-9]+");
    return std::regex_replace(parse(text), lines, "");
}

// Only the statement's expression: strips "(Block 0 " and ")".
std::string expr(const std::string& statement) {
    std::string s = shape(statement + "\n");
    if (s.rfind("(Block 0 ", 0) != 0)
        return s;
    return s.substr(9, s.size() - 10);
}

TEST(ParserTrees, AssignmentWithPrecedence) {
    EXPECT_EQ(expr("x = 1 + 2 * 3"),
              "(Assign 1 op1 (Var 11 x) (Binary 15 (Int 9 1) (Binary 17 (Int 9 2) (Int 9 3))))");
    EXPECT_EQ(expr("a$ += \"x\""), "(Assign 1 op38 (Var 11 a$) (String 10 \"x\"))");
    EXPECT_EQ(expr("++n"), "(Assign 1 op37 (Var 11 n) (Int 9 1))");
    EXPECT_EQ(expr("--n"), "(Assign 1 op39 (Var 11 n) (Int 9 1))");
    EXPECT_EQ(expr("n++"), "(Assign 1 op48 (Var 11 n) (Int 9 1))");
    EXPECT_EQ(expr("n--"), "(Assign 1 op49 (Var 11 n) (Int 9 1))");
    EXPECT_EQ(expr("n >>= 1"), "(Assign 1 op43 (Var 11 n) (Int 9 1))");
    EXPECT_EQ(expr("n &= 1"), "(Assign 1 op47 (Var 11 n) (Int 9 1))");
}

TEST(ParserTrees, StringNamesTakeOnlyPlainAndAddingAssignment) {
    EXPECT_EQ(parse("a$ -= \"x\"\n"), "error 1 parse error");
    EXPECT_EQ(parse("++a$\n"), "error 1 parse error");
    EXPECT_EQ(parse("a$++\n"), "error 1 parse error");
    EXPECT_EQ(parse("a$ *= 2\n"), "error 1 parse error");
}

TEST(ParserTrees, ControlStatements) {
    EXPECT_EQ(shape("if a {\n} else if b {\n} else {\n}\n"),
              "(Block 0 (If 3 (Var 11 a) (Block 0) (If 3 (Var 11 b) (Block 0) (Block 0))))");
    EXPECT_EQ(shape("loop {\nbreak\n}\n"), "(Block 0 (While 4 endless - (Block 0 (Break 7))))");
    EXPECT_EQ(shape("while i < 3 {\ncontinue\n}\n"),
              "(Block 0 (While 4 (Binary 30 (Var 11 i) (Int 9 3)) (Block 0 (Continue 8))))");
    EXPECT_EQ(shape("for (i = 0, i < 10, i++) {\n}\n"),
              "(Block 0 (For 5 (Assign 1 op1 (Var 11 i) (Int 9 0)) (Binary 30 (Var 11 i) (Int 9 "
              "10)) (Assign 1 op48 (Var 11 i) (Int 9 1)) (Block 0)))");
    EXPECT_EQ(shape("exit\nexit 3\n"), "(Block 0 (Exit 6 -) (Exit 6 (Int 9 3)))");
    // else on a later line than the brace before it
    EXPECT_EQ(shape("if a {\n}\n\nelse {\n}\n"), "(Block 0 (If 3 (Var 11 a) (Block 0) (Block 0)))");
}

TEST(ParserTrees, Calls) {
    EXPECT_EQ(expr("cb.Foo$(1, \"a\")"), "(CB 14 Foo$ (Int 9 1) (String 10 \"a\"))");
    EXPECT_EQ(expr("CB.bar()"), "(CB 14 bar)");
    EXPECT_EQ(expr("Left$(s$, 2)"), "(Call 13 Left$ (Var 11 s$) (Int 9 2))");
    EXPECT_EQ(expr("f((a && b))"), "(Call 13 f (Binary 34 (Var 11 a) (Var 11 b)))");
    EXPECT_EQ(parse("f(a && b)\n"), "error 1 parse error");
    EXPECT_EQ(parse("f(1,)\n"), "error 1 parse error");
    EXPECT_EQ(parse("x = (\n1)\n"), "(Block 0 L3 (Assign 1 L3 op1 (Var 11 L3 x) (Int 9 L2 1)))");
}

TEST(ParserGrouping, ConditionLevel) {
    EXPECT_EQ(expr("!a && b"), "(Binary 34 (Unary 36 (Var 11 a)) (Var 11 b))");
    EXPECT_EQ(expr("!a == b"), "(Unary 36 (Binary 26 (Var 11 a) (Var 11 b)))");
    EXPECT_EQ(expr("!a + b"), "(Unary 36 (Binary 15 (Var 11 a) (Var 11 b)))");
    EXPECT_EQ(expr("x = a && b"), "(Binary 34 (Assign 1 op1 (Var 11 x) (Var 11 a)) (Var 11 b))");
    EXPECT_EQ(expr("a || b && c"), "(Binary 35 (Var 11 a) (Binary 34 (Var 11 b) (Var 11 c)))");
    EXPECT_EQ(expr("a && b || c && d"),
              "(Binary 35 (Binary 34 (Var 11 a) (Var 11 b)) (Binary 34 (Var 11 c) (Var 11 d)))");
    EXPECT_EQ(expr("a === b && c"), "(Binary 34 (Binary 28 (Var 11 a) (Var 11 b)) (Var 11 c))");
}

TEST(ParserGrouping, StrictComparisonsTakeEverythingToTheirRight) {
    EXPECT_EQ(expr("a + b === c + d"),
              "(Binary 15 (Var 11 a) (Binary 28 (Var 11 b) (Binary 15 (Var 11 c) (Var 11 d))))");
    EXPECT_EQ(expr("a === b === c"), "(Binary 28 (Var 11 a) (Binary 28 (Var 11 b) (Var 11 c)))");
    EXPECT_EQ(expr("a === b ? c : d"),
              "(Binary 28 (Var 11 a) (Cond 12 (Var 11 b) (Var 11 c) (Var 11 d)))");
    EXPECT_EQ(expr("a == b === c"), "(Binary 26 (Var 11 a) (Binary 28 (Var 11 b) (Var 11 c)))");
    EXPECT_EQ(expr("a !== b * c"), "(Binary 29 (Var 11 a) (Binary 17 (Var 11 b) (Var 11 c)))");
    EXPECT_EQ(expr("a = b === c"), "(Assign 1 op1 (Var 11 a) (Binary 28 (Var 11 b) (Var 11 c)))");
}

TEST(ParserGrouping, ExpressionLevel) {
    EXPECT_EQ(expr("a ? b : c ? d : e"),
              "(Cond 12 (Var 11 a) (Var 11 b) (Cond 12 (Var 11 c) (Var 11 d) (Var 11 e)))");
    EXPECT_EQ(expr("a + b ? c : d"),
              "(Cond 12 (Binary 15 (Var 11 a) (Var 11 b)) (Var 11 c) (Var 11 d))");
    EXPECT_EQ(expr("-a * b"), "(Binary 17 (Unary 16 (Var 11 a)) (Var 11 b))");
    EXPECT_EQ(expr("~-a"), "(Unary 23 (Unary 16 (Var 11 a)))");
    EXPECT_EQ(expr("a - b - c"), "(Binary 16 (Binary 16 (Var 11 a) (Var 11 b)) (Var 11 c))");
    EXPECT_EQ(expr("a + b = c"), "(Binary 15 (Var 11 a) (Assign 1 op1 (Var 11 b) (Var 11 c)))");
    EXPECT_EQ(expr("a = b = c"), "(Assign 1 op1 (Var 11 a) (Assign 1 op1 (Var 11 b) (Var 11 c)))");
    EXPECT_EQ(expr("a = b + c"), "(Assign 1 op1 (Var 11 a) (Binary 15 (Var 11 b) (Var 11 c)))");
    // From loosest to tightest: | ^ & == < << + *
    EXPECT_EQ(expr("1 | 2 ^ 3 & 4 == 5 < 6 << 7 + 8 * 9"),
              "(Binary 20 (Int 9 1) (Binary 22 (Int 9 2) (Binary 21 (Int 9 3) (Binary 26 (Int 9 "
              "4) (Binary 30 (Int 9 5) (Binary 24 (Int 9 6) (Binary 15 (Int 9 7) (Binary 17 (Int "
              "9 8) (Int 9 9)))))))))");
    EXPECT_EQ(parse("-a++\n"), "error 1 parse error");
}

TEST(ParserLayout, StatementsNeedTheirLineEnds) {
    EXPECT_EQ(parse("if a { x = 1 }\n"), "error 1 parse error");
    EXPECT_EQ(shape("if a { }\n"), "(Block 0 (If 3 (Var 11 a) (Block 0) -))");
    EXPECT_EQ(parse("if a\n{\n}\n"), "error 2 parse error");
    EXPECT_EQ(parse("if a\r\n{\r\n}\r\n"), "error 1 parse error");
    EXPECT_EQ(parse("for (i = 0, , i++) {\n}\n"), "error 1 parse error");
    EXPECT_EQ(parse("{\n}\n"), "error 1 parse error"); // a block is no statement
    EXPECT_EQ(parse("x = 1 ; comment\ny = [1]\n"), "error 2 parse error");
    EXPECT_EQ(parse("$\n"), "error 1 parse error");
}

TEST(ParserLayout, EmptyTextIsOneEmptyStatement) {
    EXPECT_EQ(parse("\n"), "(Block 0 L2)");
    EXPECT_EQ(parse("\r\n\n"), "(Block 0 L1)");
}

TEST(ParserLayout, NonAsciiByteOutsideAStringIsASyntaxError) {
    EXPECT_EQ(parse("x = 1\n\xE3\x80\x80\ny = 2\n"), "error 2 parse error");
    EXPECT_EQ(shape("x$ = \"\xE3\x80\x80\"\n"), "(Block 0 (Assign 1 op2 (Var 11 x$) (String 10 "
                                                "\"\xE3\x80\x80\")))");
}

TEST(ParserLines, NodesCarryTheLineOfTheirReduction) {
    // Operators and assignments are reduced once the line feed was read.
    EXPECT_EQ(parse("x = a + b\n"),
              "(Block 0 L2 (Assign 1 L2 op1 (Var 11 L2 x) (Binary 15 L2 (Var 11 L1 a) (Var 11 L2 "
              "b))))");
    // With CR LF the carriage return is the lookahead.
    EXPECT_EQ(parse("x = a + b\r\n"),
              "(Block 0 L1 (Assign 1 L1 op1 (Var 11 L1 x) (Binary 15 L1 (Var 11 L1 a) (Var 11 L1 "
              "b))))");
    // Literals and calls are reduced without a lookahead.
    EXPECT_EQ(parse("f(1)\n"), "(Block 0 L2 (Call 13 L1 f (Int 9 L1 1)))");
    EXPECT_EQ(parse("\n\nbreak\n"), "(Block 0 L2 (Break 7 L4))");
    // An if without else waits for the next token.
    EXPECT_EQ(parse("if 1 {\n}\n\nx = 2\n"),
              "(Block 0 L3 (If 3 L3 (Int 9 L1 1) (Block 0 L2) -) (Assign 1 L5 op1 (Var 11 L5 x) "
              "(Int 9 L4 2)))");
}

TEST(ParserLimits, DeepNestingOverflowsTheParserStack) {
    const std::string deep = std::string(20000, '(') + "1" + std::string(20000, ')') + "\n";
    const ParseOutcome o = parseScript(deep);
    EXPECT_EQ(o.result, kParseStackOverflow);
    EXPECT_EQ(o.message, "parser stack overflow");
    EXPECT_FALSE(o.root);

    // Deeper than the first stack allocation but within the limit.
    const std::string nested =
        "x = " + std::string(3000, '(') + "1" + std::string(3000, ')') + "\n";
    EXPECT_EQ(parseScript(nested).result, kParseAccepted);
}

TEST(ParserLimits, MillionTermChainParsesAndIsDestroyed) {
    std::string text = "x = 1";
    text.reserve(4 * 1000000);
    for (int i = 1; i < 1000000; ++i)
        text += "+1";
    text += "\n";
    ParseOutcome o = parseScript(text);
    ASSERT_EQ(o.result, kParseAccepted);
    ASSERT_TRUE(o.root);
    EXPECT_EQ(o.root->statements.size(), 1u);
    o.root.reset(); // must not recurse a million levels deep
}

TEST(ParserLimits, TextLongerThanTheScannerTakesIsRefusedAtLineOne) {
    const std::string text = "x = 1\n\ny = ]\n"; // its own error is on line 3
    const ParseOutcome refused = parseScript(text, text.size() - 1);
    EXPECT_EQ(refused.result, kParseSyntaxError);
    EXPECT_EQ(refused.errorLine, 1);
    EXPECT_EQ(refused.message, "script too long");
    EXPECT_FALSE(refused.root);
    EXPECT_EQ(parseScript(text, text.size()).errorLine, 3) << "a text of the limit is scanned";
}

TEST(ParserLimits, SyntaxErrorAfterALongPrefixReleasesEverything) {
    // Leak checks under the sanitizer build see whatever is left behind.
    std::string text = "f(\"a\", g$(1, 2) + 3 * 4, ";
    for (int i = 0; i < 1000; ++i)
        text += "1+";
    text += ")\n";
    EXPECT_EQ(parseScript(text).result, kParseSyntaxError);
    EXPECT_EQ(parse("if a {\nx$ = \"s\"\nloop {\n}\ny = ]\n"), "error 5 parse error");
}

} // namespace
} // namespace tapwell
