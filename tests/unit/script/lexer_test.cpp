#include "script/lexer_state.h"
#include "script/script_parser.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace tapwell {
namespace {

// The token stream as readable words: IDENT(x), INTEGER(31), STRING("a"),
// '(' ..., with the text of every string-valued token.
std::vector<std::string> lex(std::string_view text, std::int32_t* finalLine = nullptr) {
    Scanner scanner(text);
    std::vector<std::string> out;
    for (;;) {
        TokenValue v;
        const int code = scanner.next(v);
        if (code == 0)
            break;
        std::string word = tokenName(code);
        std::unique_ptr<std::string> owned(v.text);
        if (word == "INTEGER" || owned) {
            word += '(';
            word += owned ? *owned : std::to_string(v.integer);
            word += ')';
        }
        out.push_back(word);
    }
    if (finalLine)
        *finalLine = scanner.line();
    return out;
}

using Tokens = std::vector<std::string>;

TEST(Lexer, NumbersInEveryBaseAndTheirSaturation) {
    EXPECT_EQ(lex("x=1"), (Tokens{"IDENT(x)", "ASSIGN", "INTEGER(1)"}));
    EXPECT_EQ(lex("X = 0x1F"), (Tokens{"IDENT(X)", "ASSIGN", "INTEGER(31)"}));
    EXPECT_EQ(lex("0B101"), (Tokens{"INTEGER(5)"}));
    EXPECT_EQ(lex("0b012"), (Tokens{"INTEGER(1)", "INTEGER(2)"}));
    EXPECT_EQ(lex("0x"), (Tokens{"INTEGER(0)", "IDENT(x)"}));
    EXPECT_EQ(lex("09"), (Tokens{"INTEGER(9)"}));
    EXPECT_EQ(lex("99999999999"), (Tokens{"INTEGER(2147483647)"}));
    EXPECT_EQ(lex("2147483648 2147483647"), (Tokens{"INTEGER(2147483647)", "INTEGER(2147483647)"}));
    EXPECT_EQ(lex("0xFFFFFFFF 0XabC"), (Tokens{"INTEGER(2147483647)", "INTEGER(2748)"}));
    EXPECT_EQ(lex("-1"), (Tokens{"'-'", "INTEGER(1)"}));
}

TEST(Lexer, KeywordsAreWholeWordsInAnyCase) {
    EXPECT_EQ(lex("TRUE True true false"),
              (Tokens{"INTEGER(1)", "INTEGER(1)", "INTEGER(1)", "INTEGER(0)"}));
    EXPECT_EQ(lex("true$ iffy if$ IF While LOOP For Break CONTINUE exit Cb"),
              (Tokens{"STRIDENT(true$)", "IDENT(iffy)", "STRIDENT(if$)", "IF", "WHILE", "LOOP",
                      "FOR", "BREAK", "CONTINUE", "EXIT", "CB"}));
    EXPECT_EQ(lex("a$$ a$b _x9"),
              (Tokens{"STRIDENT(a$)", "'$'", "STRIDENT(a$)", "IDENT(b)", "IDENT(_x9)"}));
}

TEST(Lexer, OperatorsTakeTheLongestMatch) {
    EXPECT_EQ(lex("=== !== == != = <<= >>= << >> <= >= && || ++ --"),
              (Tokens{"SEQ", "SNE", "EQ", "NE", "ASSIGN", "SHL_ASSIGN", "SHR_ASSIGN", "SHL", "SHR",
                      "LE", "GE", "ANDAND", "OROR", "INC", "DEC"}));
    EXPECT_EQ(lex("+= -= *= /= %= |= ^= &="),
              (Tokens{"ADD_ASSIGN", "SUB_ASSIGN", "MUL_ASSIGN", "DIV_ASSIGN", "MOD_ASSIGN",
                      "OR_ASSIGN", "XOR_ASSIGN", "AND_ASSIGN"}));
    EXPECT_EQ(lex("a+++b"), (Tokens{"IDENT(a)", "INC", "'+'", "IDENT(b)"}));
    EXPECT_EQ(lex("====="), (Tokens{"SEQ", "EQ"}));
}

TEST(Lexer, CommentsSwallowTheirLineAndGiveOneEndOfLine) {
    std::int32_t line = 0;
    EXPECT_EQ(lex("a ; note\nb", &line), (Tokens{"IDENT(a)", "EOL", "IDENT(b)"}));
    EXPECT_EQ(line, 2);
    EXPECT_EQ(lex("# c\n"), (Tokens{"EOL"}));
    EXPECT_EQ(lex("x // y = 1\n"), (Tokens{"IDENT(x)", "EOL"}));
    EXPECT_EQ(lex("x // unterminated"), (Tokens{"IDENT(x)", "EOL"}));
}

TEST(Lexer, LineEndsAndTheLineCounter) {
    std::int32_t line = 0;
    EXPECT_EQ(lex("a\r\nb\n", &line), (Tokens{"IDENT(a)", "EOL", "EOL", "IDENT(b)", "EOL"}));
    EXPECT_EQ(line, 3);
    // Blanks and line ends before else vanish, but still count.
    EXPECT_EQ(lex("}\n\n  else {", &line), (Tokens{"'}'", "ELSE", "'{'"}));
    EXPECT_EQ(line, 3);
    EXPECT_EQ(lex("}\r\nELSE"), (Tokens{"'}'", "ELSE"}));
    // Also before a longer word that starts with the letters.
    EXPECT_EQ(lex("a\nelsewhere"), (Tokens{"IDENT(a)", "IDENT(elsewhere)"}));
}

TEST(Lexer, OpeningParenthesisJoinsTheNextLine) {
    std::int32_t line = 0;
    EXPECT_EQ(lex("foo(  \t\n1)", &line), (Tokens{"IDENT(foo)", "'('", "INTEGER(1)", "')'"}));
    EXPECT_EQ(line, 2);
    EXPECT_EQ(lex("foo(\r\n1)"), (Tokens{"IDENT(foo)", "'('", "EOL", "EOL", "INTEGER(1)", "')'"}));
}

TEST(Lexer, EscapesInOrdinaryStrings) {
    EXPECT_EQ(lex(R"("a\tb")"), (Tokens{"STRING(a\tb)"}));
    EXPECT_EQ(lex(R"('\n\r\v\a\b\f')"), (Tokens{"STRING(\n\r\v\a\b\f)"}));
    EXPECT_EQ(lex(R"("\"\'\\")"), (Tokens{"STRING(\"'\\)"}));
    // Unknown escapes keep the byte alone; escapes are case-sensitive.
    EXPECT_EQ(lex(R"("\x41\0\N\T")"), (Tokens{"STRING(x410NT)"}));
    EXPECT_EQ(lex(R"('say "hi"' "it's")"), (Tokens{"STRING(say \"hi\")", "STRING(it's)"}));
}

TEST(Lexer, VerbatimStringsKeepBackslashes) {
    EXPECT_EQ(lex(R"(@"a\tb")"), (Tokens{"STRING(a\\tb)"}));
    EXPECT_EQ(lex(R"(@"a\"b")"), (Tokens{"STRING(a\\\"b)"}));
    EXPECT_EQ(lex(R"(@'c:\dir\')' x)"), (Tokens{"STRING(c:\\dir\\'))", "IDENT(x)"}));
}

TEST(Lexer, LineFeedsInsideStringsAreDroppedButCounted) {
    std::int32_t line = 0;
    EXPECT_EQ(lex("\"a\nb\"", &line), (Tokens{"STRING(ab)"}));
    EXPECT_EQ(line, 2);
    // A backslash before a line feed stays, the line feed goes.
    EXPECT_EQ(lex("\"a\\\nb\""), (Tokens{"STRING(a\\b)"}));
}

TEST(Lexer, UnterminatedStringEndsTheInput) {
    EXPECT_EQ(lex("x \"abc\n"), (Tokens{"IDENT(x)"}));
    // A fresh scanner starts in the initial state whatever the last one did.
    EXPECT_EQ(lex("y"), (Tokens{"IDENT(y)"}));
}

TEST(Lexer, NonAsciiBytes) {
    // Inside a string literal they stay byte for byte.
    EXPECT_EQ(lex("\"\xE6\x97\xA5\xE6\x9C\xAC\""), (Tokens{"STRING(\xE6\x97\xA5\xE6\x9C\xAC)"}));
    // Outside, each byte comes back as a code the grammar does not know.
    Scanner scanner("\xE3\x80\x80");
    TokenValue v;
    EXPECT_EQ(scanner.next(v), 0xE3);
}

TEST(Lexer, SaturatedLiteralMatchesA32BitStrtol) {
    EXPECT_EQ(saturatedLiteral("7fffffff", 16), 2147483647);
    EXPECT_EQ(saturatedLiteral("80000000", 16), 2147483647);
    EXPECT_EQ(saturatedLiteral("1111", 2), 15);
    EXPECT_EQ(saturatedLiteral("00000000000000000000000012", 10), 12);
}

} // namespace
} // namespace tapwell
