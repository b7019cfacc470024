#include "keystroke/input_text.h"

#include <algorithm>

namespace tapwell {

std::u16string buildInputText(std::u16string_view text, std::u16string_view prefix,
                              std::u16string_view suffix) {
    std::u16string out;
    std::size_t lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), u'\n'));
    out.reserve(text.size() + (lines + 1) * (prefix.size() + suffix.size() + 1));
    out.append(prefix);
    bool sawLineFeed = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c == u'\n') {
            sawLineFeed = true;
            if (i + 1 < text.size()) {
                out.append(suffix);
                out.push_back(u'\n');
                out.append(prefix);
            }
        } else if (c != u'\r') {
            out.push_back(c);
        }
    }
    out.append(suffix);
    if (sawLineFeed)
        out.push_back(u'\n');
    return out;
}

} // namespace tapwell
