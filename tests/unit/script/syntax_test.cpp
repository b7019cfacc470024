// The scanner's line counting, and the parser's lines and errors.
#include "script/lexer_state.h"
#include "script/script_parser.h"

#include <gtest/gtest.h>

#include <memory>
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

// The scanner's own rules, those that decide the lines errors are reported on
// above all (the tokens themselves show in the evaluation tests).
TEST(Lexer, Tokens) {
    const Case cases[] = {
        {"0b012 0x 0XabC a+++b ===== !== True Cb a$$",
         "INTEGER(1) INTEGER(2) INTEGER(0) IDENT(x) INTEGER(2748) IDENT(a) INC '+' IDENT(b) SEQ EQ "
         "SNE INTEGER(1) CB STRIDENT(a$) '$' @1"},
        // A comment swallows its line and gives one line end; CR LF is two
        // line ends but one line.
        {"a\r\nb ; note\nx # c\ny // z = 1",
         "IDENT(a) EOL EOL IDENT(b) EOL IDENT(x) EOL IDENT(y) EOL @4"},
        // Blanks and line ends before else vanish but still count, even
        // before a longer word that starts with those letters.
        {"}\n\n  else {\nelsewhere", "'}' ELSE '{' IDENT(elsewhere) @4"},
        // An opening parenthesis joins the next line (a lone LF only).
        {"foo(  \t\n1)", "IDENT(foo) '(' INTEGER(1) ')' @2"},
        {"foo(\r\n1)", "IDENT(foo) '(' EOL EOL INTEGER(1) ')' @2"},
        // Unknown escapes keep the byte alone; verbatim strings keep
        // backslashes; a line feed in a string is dropped but counted.
        {R"("\"\'\\\t" "\x41\0\N\T" @"a\"b" @'c:\')')", "STRING(\"'\\\t) STRING(x410NT) "
                                                        "STRING(a\\\"b) STRING(c:\\')) @1"},
        {"\"a\nb\" \"a\\\nb\"", "STRING(ab) STRING(a\\b) @3"},
        // An unterminated string ends the input.
        {"x \"abc\n", "IDENT(x) @2"}};
    for (const Case& c : cases)
        EXPECT_EQ(lex(c.text), c.want) << c.text;
}

// The tree as an S-expression with the line of every node, or
// "error LINE MESSAGE". How operators group shows in evaluation tests.
std::string parse(std::string_view text) {
    const ParseOutcome o = parseScript(text);
    if (o.result != kParseAccepted)
        return "error " + std::to_string(o.errorLine) + " " + o.message;
    return dumpTree(o.root.get());
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
    };
    for (const Case& c : cases)
        EXPECT_EQ(parse(c.text), c.want) << c.text;

    // Syntax errors by their line: string names take only plain and adding
    // assignments; statements need their line ends; a block is no
    // statement; a non-ASCII byte outside a string is no token. The nodes
    // built before an error are released (the sanitizer build sees leaks).
    const std::pair<int, std::vector<const char*>> errors[] = {
        {1,
         {"a$ -= \"x\"\n", "++a$\n", "a$++\n", "a$ *= 2\n", "f(a && b)\n", "f(1,)\n", "-a++\n",
          "if a { x = 1 }\n", "if a\r\n{\r\n}\r\n", "for (i = 0, , i++) {\n}\n", "{\n}\n", "$\n"}},
        {2, {"if a\n{\n}\n", "x = 1 ; comment\ny = [1]\n", "x = 1\n\xE3\x80\x80\ny = 2\n"}},
        {5, {"if a {\nx$ = \"s\"\nloop {\n}\ny = ]\n"}}};
    for (const auto& [line, texts] : errors)
        for (const char* text : texts)
            EXPECT_EQ(parse(text), "error " + std::to_string(line) + " parse error") << text;
}

TEST(Parser, Limits) {
    const ParseOutcome deep = parseScript(std::string(20000, '(') + "1\n");
    EXPECT_EQ(deep.result, kParseStackOverflow);
    EXPECT_EQ(deep.message, "parser stack overflow");
    EXPECT_FALSE(deep.root);
    // (Long chains and deep nesting within the limit: see the evaluation tests.)
    // A text longer than the scanner takes is refused at line 1.
    const std::string text = "x = 1\n\ny = ]\n";
    const ParseOutcome refused = parseScript(text, text.size() - 1);
    EXPECT_EQ(refused.result, kParseSyntaxError);
    EXPECT_EQ(refused.errorLine, 1);
    EXPECT_EQ(refused.message, "script too long");
    EXPECT_FALSE(refused.root);
    EXPECT_EQ(parseScript(text, text.size()).errorLine, 3) << "a text of the limit is scanned";
}

} // namespace
} // namespace tapwell
