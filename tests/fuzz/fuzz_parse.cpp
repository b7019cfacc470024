// The lexer and parser on any bytes: accepted, a syntax error with a line, or
// a stack overflow; never a crash, a leak or a tree without a root.
#include "script/script_parser.h"

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    tapwell::ParseOutcome out = tapwell::parseScript(text);
    switch (out.result) {
    case tapwell::kParseAccepted:
        if (!out.root)
            std::abort();
        break;
    case tapwell::kParseSyntaxError:
    case tapwell::kParseStackOverflow:
        if (out.root || out.message.empty() || out.errorLine < 1)
            std::abort();
        break;
    default:
        std::abort();
    }
    return 0;
}
