// Text written into the help pages by the generators.
#pragma once

#include <string>
#include <string_view>

namespace tapwell::help {

// The characters HTML gives a meaning, as entities.
inline std::string escapeHtml(std::string_view s) {
    std::string out;
    for (char c : s) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace tapwell::help
