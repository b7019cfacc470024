#include "common/bom_text.h"

#include "common/utf.h"

namespace tapwell {

TextEncoding detectByteOrderMark(std::string_view b) {
    if (b.size() >= 3 && b.substr(0, 3) == "\xEF\xBB\xBF")
        return TextEncoding::Utf8Bom;
    if (b.size() >= 2 && b.substr(0, 2) == "\xFF\xFE")
        return TextEncoding::Utf16Le;
    if (b.size() >= 2 && b.substr(0, 2) == "\xFE\xFF")
        return TextEncoding::Utf16Be;
    return TextEncoding::Utf8;
}

std::u16string decodeBomText(std::string_view b) {
    switch (detectByteOrderMark(b)) {
    case TextEncoding::Utf8Bom:
        return utf8ToUtf16(b.substr(3));
    case TextEncoding::Utf8:
        return utf8ToUtf16(b);
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be: {
        bool le = detectByteOrderMark(b) == TextEncoding::Utf16Le;
        std::u16string out;
        // A trailing odd byte cannot form a unit and is dropped.
        for (std::size_t i = 2; i + 1 < b.size(); i += 2) {
            auto lo = static_cast<unsigned char>(b[le ? i : i + 1]);
            auto hi = static_cast<unsigned char>(b[le ? i + 1 : i]);
            out.push_back(static_cast<char16_t>(lo | (hi << 8)));
        }
        return out;
    }
    }
    return {};
}

} // namespace tapwell
