
#include "common/utf.h"

namespace tapwell {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one well-formed sequence at `i`, or reports the length of the
// maximal ill-formed subpart (at least 1) with ok == false.
struct Decoded {
    char32_t cp;
    std::size_t len;
    bool ok;
};

Decoded decodeOne(std::string_view s, std::size_t i) {
    auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    unsigned char c = b(i);
    if (c < 0x80)
        return {c, 1, true};
    std::size_t need;
    char32_t cp;
    unsigned char lo = 0x80, hi = 0xBF; // bounds of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
        need = 1;
        cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        need = 2;
        cp = c & 0x0F;
        if (c == 0xE0)
            lo = 0xA0;
        if (c == 0xED)
            hi = 0x9F; // no encoded surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
        need = 3;
        cp = c & 0x07;
        if (c == 0xF0)
            lo = 0x90;
        if (c == 0xF4)
            hi = 0x8F;
    } else {
        return {kReplacement, 1, false};
    }
    std::size_t k = 1;
    for (; k <= need; ++k) {
        if (i + k >= s.size())
            return {kReplacement, k, false};
        unsigned char t = b(i + k);
        unsigned char l = k == 1 ? lo : 0x80, h = k == 1 ? hi : 0xBF;
        if (t < l || t > h)
            return {kReplacement, k, false};
        cp = (cp << 6) | (t & 0x3F);
    }
    return {cp, need + 1, true};
}

} // namespace

std::u16string utf8ToUtf16(std::string_view s) {
    std::u16string out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        Decoded d = decodeOne(s, i);
        i += d.len;
        char32_t cp = d.cp;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

std::string utf16ToUtf8(std::u16string_view u) {
    std::string out;
    out.reserve(u.size());
    for (std::size_t i = 0; i < u.size(); ++i) {
        char32_t cp = u[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < u.size() && u[i + 1] >= 0xDC00 &&
            u[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (u[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = kReplacement;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

bool isValidUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        Decoded d = decodeOne(s, i);
        if (!d.ok)
            return false;
        i += d.len;
    }
    return true;
}

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
