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
    std::size_t i = 0;
    while (i < text.size()) {
        // Copy the run of ordinary units up to the next line break at once.
        std::size_t stop = text.find_first_of(u"\r\n", i);
        if (stop == std::u16string_view::npos)
            stop = text.size();
        out.append(text.substr(i, stop - i));
        if (stop == text.size())
            break;
        if (text[stop] == u'\n') {
            sawLineFeed = true;
            if (stop + 1 < text.size()) {
                out.append(suffix);
                out.push_back(u'\n');
                out.append(prefix);
            }
        }
        i = stop + 1;
    }
    out.append(suffix);
    if (sawLineFeed)
        out.push_back(u'\n');
    return out;
}

} // namespace tapwell
