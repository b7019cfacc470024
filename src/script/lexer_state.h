// The scanner's per-run state and the value that comes with a token. The
// scanner itself is generated from script_lexer.l; Scanner wraps it so that
// every run owns a fresh one (and therefore starts in the initial state).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace tapwell {

// Value handed on with a token: the integer of INTEGER, or a newly allocated
// text for IDENT, STRIDENT and STRING whose ownership passes to the caller.
struct TokenValue {
    std::int32_t integer = 0;
    std::string* text = nullptr;
};

// What the generated scanner keeps between tokens.
struct LexState {
    std::int32_t line = 1;
    // The literal being collected while in one of the string states.
    std::unique_ptr<std::string> literal;
};

class Scanner {
  public:
    // Scans a copy of `text`; the line counter starts at 1.
    explicit Scanner(std::string_view text);
    ~Scanner();
    Scanner(const Scanner&) = delete;
    Scanner& operator=(const Scanner&) = delete;

    // The next token code (0 at the end of input) and its value.
    int next(TokenValue& value);
    std::int32_t line() const { return state_.line; }

  private:
    LexState state_;
    void* scanner_ = nullptr;
};

// Value of a literal made of `digits` in `base` (no sign, no prefix),
// saturating at 2147483647 the way a 32-bit strtol does.
std::int32_t saturatedLiteral(std::string_view digits, int base);

} // namespace tapwell
