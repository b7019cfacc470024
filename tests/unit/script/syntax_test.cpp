// The scanner's tokens and the parser's trees and error lines.
#include "script/lexer_state.h"
#include "script/script_parser.h"

#include <gtest/gtest.h>

#include <memory>
#include <regex>
#include <string>

namespace tapwell {
namespace {

struct Case {
    const char* text;
    const char* want;
};

// The tokens as words (IDENT(x) INTEGER(31) ...), then "@" and the line the
// scanner ended on.
std::string lex(std::string_view text) {
    Scanner scanner(text);
    std::string out;
    for (TokenValue v; const int code = scanner.next(v); v = {}) {
        std::unique_ptr<std::string> owned(v.text);
        std::string word = tokenName(code);
        if (word == "INTEGER" || owned)
            word += "(" + (owned ? *owned : std::to_string(v.integer)) + ")";
        out += word + " ";
    }
    return out + "@" + std::to_string(scanner.line());
}

TEST(Lexer, Tokens) {
    const Case cases[] = {
        // Numbers in every base, saturated at the 32-bit maximum.
        {"X = 0x1F", "IDENT(X) ASSIGN INTEGER(31) @1"},
        {"0B101 0b012", "INTEGER(5) INTEGER(1) INTEGER(2) @1"},
        {"0x 09", "INTEGER(0) IDENT(x) INTEGER(9) @1"},
        {"99999999999 2147483648 2147483647",
         "INTEGER(2147483647) INTEGER(2147483647) INTEGER(2147483647) @1"},
        {"0xFFFFFFFF 0XabC -1", "INTEGER(2147483647) INTEGER(2748) '-' INTEGER(1) @1"},
        // Keywords are whole words in any case.
        {"TRUE True true false", "INTEGER(1) INTEGER(1) INTEGER(1) INTEGER(0) @1"},
        {"true$ iffy if$ IF While LOOP For Break CONTINUE exit Cb",
         "STRIDENT(true$) IDENT(iffy) STRIDENT(if$) IF WHILE LOOP FOR BREAK CONTINUE EXIT CB @1"},
        {"a$$ a$b _x9", "STRIDENT(a$) '$' STRIDENT(a$) IDENT(b) IDENT(_x9) @1"},
        // Operators take the longest match.
        {"=== !== == != = <<= >>= << >> <= >= && || ++ --",
         "SEQ SNE EQ NE ASSIGN SHL_ASSIGN SHR_ASSIGN SHL SHR LE GE ANDAND OROR INC DEC @1"},
        {"+= -= *= /= %= |= ^= &=", "ADD_ASSIGN SUB_ASSIGN MUL_ASSIGN DIV_ASSIGN MOD_ASSIGN "
                                    "OR_ASSIGN XOR_ASSIGN AND_ASSIGN @1"},
        {"a+++b =====", "IDENT(a) INC '+' IDENT(b) SEQ EQ @1"},
        // A comment swallows its line and gives one line end.
        {"a ; note\nb", "IDENT(a) EOL IDENT(b) @2"},
        {"# c\nx // y = 1\n", "EOL IDENT(x) EOL @3"},
        {"x // unterminated", "IDENT(x) EOL @1"},
        // CR LF is two line ends but one line.
        {"a\r\nb\n", "IDENT(a) EOL EOL IDENT(b) EOL @3"},
        // Blanks and line ends before else vanish but still count, even
        // before a longer word that starts with those letters.
        {"}\n\n  else {", "'}' ELSE '{' @3"},
        {"}\r\nELSE", "'}' ELSE @2"},
        {"a\nelsewhere", "IDENT(a) IDENT(elsewhere) @2"},
        // An opening parenthesis joins the next line (a lone LF only).
        {"foo(  \t\n1)", "IDENT(foo) '(' INTEGER(1) ')' @2"},
        {"foo(\r\n1)", "IDENT(foo) '(' EOL EOL INTEGER(1) ')' @2"},
        // Escapes; unknown ones keep the byte alone, and case matters.
        {R"("a\tb" '\n\r\v\a\b\f')", "STRING(a\tb) STRING(\n\r\v\a\b\f) @1"},
        {R"("\"\'\\" "\x41\0\N\T")", "STRING(\"'\\) STRING(x410NT) @1"},
        {R"('say "hi"' "it's")", "STRING(say \"hi\") STRING(it's) @1"},
        // Verbatim strings keep backslashes.
        {R"(@"a\tb" @"a\"b")", "STRING(a\\tb) STRING(a\\\"b) @1"},
        {R"(@'c:\dir\')' x)", "STRING(c:\\dir\\')) IDENT(x) @1"},
        // A line feed inside a string is dropped but counted; a backslash
        // before it stays.
        {"\"a\nb\" \"a\\\nb\"", "STRING(ab) STRING(a\\b) @3"},
        // An unterminated string ends the input; the next scanner starts clean.
        {"x \"abc\n", "IDENT(x) @2"},
        {"y", "IDENT(y) @1"},
        {"\"\xE6\x97\xA5\xE6\x9C\xAC\"", "STRING(\xE6\x97\xA5\xE6\x9C\xAC) @1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(lex(c.text), c.want) << c.text;

    // Outside a string a non-ASCII byte is a code the grammar does not know.
    Scanner scanner("\xE3\x80\x80");
    TokenValue v;
    EXPECT_EQ(scanner.next(v), 0xE3);
    EXPECT_EQ(saturatedLiteral("7fffffff", 16), 2147483647);
    EXPECT_EQ(saturatedLiteral("80000000", 16), 2147483647);
    EXPECT_EQ(saturatedLiteral("1111", 2), 15);
    EXPECT_EQ(saturatedLiteral("00000000000000000000000012", 10), 12);
}

// The tree as an S-expression with its lines, or "error LINE MESSAGE".
std::string parse(std::string_view text) {
    const ParseOutcome o = parseScript(text);
    if (o.result != kParseAccepted)
        return "error " + std::to_string(o.errorLine) + " " + o.message;
    return dumpTree(o.root.get());
}

// The tree without lines, and without "(Block 0 " ... ")" for one statement.
std::string shape(std::string_view text) {
    static const std::regex lines(" L-?[0-9]+");
    std::string s = std::regex_replace(parse(text), lines, "");
    if (s.rfind("(Block 0 (", 0) == 0 && text.find('\n') + 1 == text.size())
        s = s.substr(9, s.size() - 10);
    return s;
}

TEST(Parser, Trees) {
    const Case cases[] = {
        {"x = 1 + 2 * 3\n",
         "(Assign 1 op1 (Var 11 x) (Binary 15 (Int 9 1) (Binary 17 (Int 9 2) (Int 9 3))))"},
        {"a$ += \"x\"\n", "(Assign 1 op38 (Var 11 a$) (String 10 \"x\"))"},
        {"++n\n", "(Assign 1 op37 (Var 11 n) (Int 9 1))"},
        {"--n\n", "(Assign 1 op39 (Var 11 n) (Int 9 1))"},
        {"n++\n", "(Assign 1 op48 (Var 11 n) (Int 9 1))"},
        {"n--\n", "(Assign 1 op49 (Var 11 n) (Int 9 1))"},
        {"n >>= 1\n", "(Assign 1 op43 (Var 11 n) (Int 9 1))"},
        {"n &= 1\n", "(Assign 1 op47 (Var 11 n) (Int 9 1))"},
        {"if a {\n} else if b {\n} else {\n}\n",
         "(Block 0 (If 3 (Var 11 a) (Block 0) (If 3 (Var 11 b) (Block 0) (Block 0))))"},
        {"if a {\n}\n\nelse {\n}\n", "(Block 0 (If 3 (Var 11 a) (Block 0) (Block 0)))"},
        {"if a { }\n", "(If 3 (Var 11 a) (Block 0) -)"},
        {"loop {\nbreak\n}\n", "(Block 0 (While 4 endless - (Block 0 (Break 7))))"},
        {"while i < 3 {\ncontinue\n}\n",
         "(Block 0 (While 4 (Binary 30 (Var 11 i) (Int 9 3)) (Block 0 (Continue 8))))"},
        {"for (i = 0, i < 10, i++) {\n}\n",
         "(Block 0 (For 5 (Assign 1 op1 (Var 11 i) (Int 9 0)) (Binary 30 (Var 11 i) (Int 9 10)) "
         "(Assign 1 op48 (Var 11 i) (Int 9 1)) (Block 0)))"},
        {"exit\nexit 3\n", "(Block 0 (Exit 6 -) (Exit 6 (Int 9 3)))"},
        {"cb.Foo$(1, \"a\")\n", "(CB 14 Foo$ (Int 9 1) (String 10 \"a\"))"},
        {"CB.bar()\n", "(CB 14 bar)"},
        {"Left$(s$, 2)\n", "(Call 13 Left$ (Var 11 s$) (Int 9 2))"},
        {"f((a && b))\n", "(Call 13 f (Binary 34 (Var 11 a) (Var 11 b)))"},
        {"x$ = \"\xE3\x80\x80\"\n", "(Assign 1 op2 (Var 11 x$) (String 10 \"\xE3\x80\x80\"))"},
        // Grouping at the condition level.
        {"!a && b\n", "(Binary 34 (Unary 36 (Var 11 a)) (Var 11 b))"},
        {"!a == b\n", "(Unary 36 (Binary 26 (Var 11 a) (Var 11 b)))"},
        {"!a + b\n", "(Unary 36 (Binary 15 (Var 11 a) (Var 11 b)))"},
        {"x = a && b\n", "(Binary 34 (Assign 1 op1 (Var 11 x) (Var 11 a)) (Var 11 b))"},
        {"a || b && c\n", "(Binary 35 (Var 11 a) (Binary 34 (Var 11 b) (Var 11 c)))"},
        {"a && b || c && d\n",
         "(Binary 35 (Binary 34 (Var 11 a) (Var 11 b)) (Binary 34 (Var 11 c) (Var 11 d)))"},
        {"a === b && c\n", "(Binary 34 (Binary 28 (Var 11 a) (Var 11 b)) (Var 11 c))"},
        // Strict comparisons take everything to their right.
        {"a + b === c + d\n",
         "(Binary 15 (Var 11 a) (Binary 28 (Var 11 b) (Binary 15 (Var 11 c) (Var 11 d))))"},
        {"a === b === c\n", "(Binary 28 (Var 11 a) (Binary 28 (Var 11 b) (Var 11 c)))"},
        {"a === b ? c : d\n", "(Binary 28 (Var 11 a) (Cond 12 (Var 11 b) (Var 11 c) (Var 11 d)))"},
        {"a == b === c\n", "(Binary 26 (Var 11 a) (Binary 28 (Var 11 b) (Var 11 c)))"},
        {"a !== b * c\n", "(Binary 29 (Var 11 a) (Binary 17 (Var 11 b) (Var 11 c)))"},
        {"a = b === c\n", "(Assign 1 op1 (Var 11 a) (Binary 28 (Var 11 b) (Var 11 c)))"},
        // Grouping at the expression level.
        {"a ? b : c ? d : e\n",
         "(Cond 12 (Var 11 a) (Var 11 b) (Cond 12 (Var 11 c) (Var 11 d) (Var 11 e)))"},
        {"a + b ? c : d\n", "(Cond 12 (Binary 15 (Var 11 a) (Var 11 b)) (Var 11 c) (Var 11 d))"},
        {"-a * b\n", "(Binary 17 (Unary 16 (Var 11 a)) (Var 11 b))"},
        {"~-a\n", "(Unary 23 (Unary 16 (Var 11 a)))"},
        {"a - b - c\n", "(Binary 16 (Binary 16 (Var 11 a) (Var 11 b)) (Var 11 c))"},
        {"a + b = c\n", "(Binary 15 (Var 11 a) (Assign 1 op1 (Var 11 b) (Var 11 c)))"},
        {"a = b = c\n", "(Assign 1 op1 (Var 11 a) (Assign 1 op1 (Var 11 b) (Var 11 c)))"},
        {"a = b + c\n", "(Assign 1 op1 (Var 11 a) (Binary 15 (Var 11 b) (Var 11 c)))"},
        // From loosest to tightest: | ^ & == < << + *
        {"1 | 2 ^ 3 & 4 == 5 < 6 << 7 + 8 * 9\n",
         "(Binary 20 (Int 9 1) (Binary 22 (Int 9 2) (Binary 21 (Int 9 3) (Binary 26 (Int 9 4) "
         "(Binary 30 (Int 9 5) (Binary 24 (Int 9 6) (Binary 15 (Int 9 7) (Binary 17 (Int 9 8) "
         "(Int 9 9)))))))))"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(shape(c.text), c.want) << c.text;
}

TEST(Parser, LinesAndErrors) {
    const Case cases[] = {
        // Operators and assignments are reduced once the line feed was read;
        // with CR LF the carriage return is the lookahead.
        {"x = a + b\n",
         "(Block 0 L2 (Assign 1 L2 op1 (Var 11 L2 x) (Binary 15 L2 (Var 11 L1 a) (Var 11 L2 b))))"},
        {"x = a + b\r\n",
         "(Block 0 L1 (Assign 1 L1 op1 (Var 11 L1 x) (Binary 15 L1 (Var 11 L1 a) (Var 11 L1 b))))"},
        // Literals and calls are reduced without a lookahead.
        {"f(1)\n", "(Block 0 L2 (Call 13 L1 f (Int 9 L1 1)))"},
        {"\n\nbreak\n", "(Block 0 L2 (Break 7 L4))"},
        {"x = (\n1)\n", "(Block 0 L3 (Assign 1 L3 op1 (Var 11 L3 x) (Int 9 L2 1)))"},
        // An if without else waits for the next token.
        {"if 1 {\n}\n\nx = 2\n", "(Block 0 L3 (If 3 L3 (Int 9 L1 1) (Block 0 L2) -) (Assign 1 L5 "
                                 "op1 (Var 11 L5 x) (Int 9 L4 2)))"},
        // An empty text is one empty statement.
        {"\n", "(Block 0 L2)"},
        {"\r\n\n", "(Block 0 L1)"},
        // String names take only plain and adding assignments.
        {"a$ -= \"x\"\n", "error 1 parse error"},
        {"++a$\n", "error 1 parse error"},
        {"a$++\n", "error 1 parse error"},
        {"a$ *= 2\n", "error 1 parse error"},
        {"f(a && b)\n", "error 1 parse error"},
        {"f(1,)\n", "error 1 parse error"},
        {"-a++\n", "error 1 parse error"},
        // Statements need their line ends; a block is no statement.
        {"if a { x = 1 }\n", "error 1 parse error"},
        {"if a\n{\n}\n", "error 2 parse error"},
        {"if a\r\n{\r\n}\r\n", "error 1 parse error"},
        {"for (i = 0, , i++) {\n}\n", "error 1 parse error"},
        {"{\n}\n", "error 1 parse error"},
        {"x = 1 ; comment\ny = [1]\n", "error 2 parse error"},
        {"$\n", "error 1 parse error"},
        {"x = 1\n\xE3\x80\x80\ny = 2\n", "error 2 parse error"},
        // Nodes built before the error are released (the sanitizer build
        // sees leaks).
        {"if a {\nx$ = \"s\"\nloop {\n}\ny = ]\n", "error 5 parse error"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parse(c.text), c.want) << c.text;
}

TEST(Parser, Limits) {
    const ParseOutcome deep = parseScript(std::string(20000, '(') + "1\n");
    EXPECT_EQ(deep.result, kParseStackOverflow);
    EXPECT_EQ(deep.message, "parser stack overflow");
    EXPECT_FALSE(deep.root);
    // Deeper than the first stack allocation but within the limit.
    EXPECT_EQ(
        parseScript("x = " + std::string(3000, '(') + "1" + std::string(3000, ')') + "\n").result,
        kParseAccepted);

    // A text longer than the scanner takes is refused at line 1.
    const std::string text = "x = 1\n\ny = ]\n";
    const ParseOutcome refused = parseScript(text, text.size() - 1);
    EXPECT_EQ(refused.result, kParseSyntaxError);
    EXPECT_EQ(refused.errorLine, 1);
    EXPECT_EQ(refused.message, "script too long");
    EXPECT_FALSE(refused.root);
    EXPECT_EQ(parseScript(text, text.size()).errorLine, 3) << "a text of the limit is scanned";

    // A million-term chain parses and is destroyed without deep recursion;
    // an error after a long prefix releases everything.
    std::string chain = "x = 1";
    for (int i = 1; i < 1000000; ++i)
        chain += "+1";
    ParseOutcome o = parseScript(chain + "\n");
    ASSERT_EQ(o.result, kParseAccepted);
    EXPECT_EQ(o.root->statements.size(), 1u);
    o.root.reset();
    EXPECT_EQ(parseScript("f(\"a\", g$(1, 2) + 3 * 4, " + chain.substr(4, 2000) + ")\n").result,
              kParseSyntaxError);
}

} // namespace
} // namespace tapwell
