// Parsing a whole QZ-Script program into its syntax tree.
#pragma once

#include "script/lexer_state.h"
#include "script/syntax_tree.h"

#include <climits>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace tapwell {

// Result codes of a parse.
inline constexpr int kParseAccepted = 0;
inline constexpr int kParseSyntaxError = 1;
inline constexpr int kParseStackOverflow = 2;

struct ParseOutcome {
    int result = kParseAccepted;
    std::unique_ptr<BlockNode, NodeDeleter> root; // set only when accepted
    // After a syntax error: the lexer's line at that moment and the message
    // ("parse error" or "parser stack overflow").
    std::int32_t errorLine = 0;
    std::string message;
};

// The longest text the scanner takes: it counts in int and adds two bytes of
// its own, so anything longer (2 GiB or more) would wrap.
inline constexpr std::size_t kLongestScript = INT_MAX - 2;

// Parses `text` as it stands (the runner appends the final line feed). A text
// longer than `longest` is refused unscanned as a syntax error at line 1,
// "script too long"; only tests pass a smaller `longest`.
ParseOutcome parseScript(std::string_view text, std::size_t longest = kLongestScript);

// What the generated parser sees of its caller.
class ParseSession {
  public:
    explicit ParseSession(std::string_view text) : scanner_(text) {}
    int lex(TokenValue& value) { return scanner_.next(value); }
    std::int32_t line() const { return scanner_.line(); }
    void accept(BlockNode* root) { root_.reset(root); }
    void syntaxError(const char* bisonMessage);
    ParseOutcome finish(int result);

  private:
    Scanner scanner_;
    std::unique_ptr<BlockNode, NodeDeleter> root_;
    std::int32_t errorLine_ = 0;
    std::string message_;
};

// Name of a token code for diagnostics and tests ("IDENT", "'+'", ...).
const char* tokenName(int code);

} // namespace tapwell
