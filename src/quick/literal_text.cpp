#include "quick/literal_text.h"

#include <algorithm>

namespace tapwell {

std::u16string literalText(std::u16string_view clipboard) {
    std::u16string out;
    out.reserve(clipboard.size());
    for (std::size_t i = 0; i < clipboard.size(); ++i) {
        const char16_t c = clipboard[i];
        if (c == u'\r') {
            if (i + 1 < clipboard.size() && clipboard[i + 1] == u'\n')
                ++i;
            out.push_back(u'\n');
        } else {
            out.push_back(c);
        }
    }
    if (!out.empty() && out.back() == u'\n')
        out.pop_back();
    return out;
}

std::size_t characterCount(std::u16string_view text) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool high = text[i] >= 0xD800 && text[i] <= 0xDBFF;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
            ++i;
        ++n;
    }
    return n;
}

std::size_t lineCount(std::u16string_view text) {
    if (text.empty())
        return 0;
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), u'\n')) + 1;
}

} // namespace tapwell
