#include "files/text_file_decoding.h"

#include "common/utf.h"

#include <array>
#include <optional>

namespace tapwell {

namespace {

bool isFullWidthJapanese(char16_t c) {
    return (c >= 0x3000 && c <= 0x30FF) || // punctuation, hiragana, katakana
           (c >= 0x4E00 && c <= 0x9FFF) || // unified ideographs
           (c >= 0xF900 && c <= 0xFAFF) || // compatibility ideographs
           (c >= 0xFF01 && c <= 0xFF60) || // full-width ASCII forms
           (c >= 0xFFE0 && c <= 0xFFE6);   // full-width signs
}

bool isControl(char16_t c) {
    if (c == u'\t' || c == u'\r' || c == u'\n')
        return false;
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

std::u16string cutAtZero(std::u16string text) {
    auto zero = text.find(u'\0');
    if (zero != std::u16string::npos)
        text.resize(zero);
    return text;
}

// UTF-16 after a mark; a trailing odd byte cannot form a unit and is dropped.
std::u16string decodeUtf16(std::string_view b, bool littleEndian) {
    std::u16string out;
    out.reserve(b.size() / 2);
    for (std::size_t i = 0; i + 1 < b.size(); i += 2) {
        auto first = static_cast<unsigned char>(b[i]);
        auto second = static_cast<unsigned char>(b[i + 1]);
        out.push_back(littleEndian ? static_cast<char16_t>(first | (second << 8))
                                   : static_cast<char16_t>((first << 8) | second));
    }
    return out;
}

} // namespace

long japaneseTextPlausibility(std::u16string_view text) {
    long score = 0;
    for (char16_t c : text) {
        if (isFullWidthJapanese(c))
            score += 2;
        else if (c >= 0xFF61 && c <= 0xFF9F) // half-width katakana
            score -= 1;
        else if (isControl(c) || c == 0xFFFD)
            score -= 3;
        else if (c >= 0xE000 && c <= 0xF8FF) // user-defined characters
            score -= 2;
    }
    return score;
}

std::u16string decodeUndetectedText(CodePageService& service, std::string_view bytes) {
    if (isValidUtf8(bytes))
        return utf8ToUtf16(bytes);
    std::array<std::uint32_t, 3> candidates{kCodePageShiftJis, kCodePageEucJp,
                                            service.ansiCodePage()};
    std::optional<std::u16string> best;
    long bestScore = 0;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        bool seen = false;
        for (std::size_t j = 0; j < i; ++j)
            seen = seen || candidates[j] == candidates[i];
        if (seen)
            continue;
        auto text = service.decodeStrict(candidates[i], bytes);
        if (!text)
            continue;
        long score = japaneseTextPlausibility(*text);
        if (!best || score > bestScore) {
            best = std::move(text);
            bestScore = score;
        }
    }
    return best ? std::move(*best) : utf8ToUtf16(bytes);
}

FileResult decodeTextFileBytes(CodePageService& service, std::string_view bytes,
                               std::u16string& out) {
    switch (detectByteOrderMark(bytes)) {
    case TextEncoding::Utf16Le:
        out = cutAtZero(decodeUtf16(bytes.substr(2), true));
        return FileResult::Ok;
    case TextEncoding::Utf16Be:
        out = cutAtZero(decodeUtf16(bytes.substr(2), false));
        return FileResult::Ok;
    case TextEncoding::Utf8Bom:
        out = cutAtZero(utf8ToUtf16(bytes.substr(3)));
        return FileResult::Ok;
    case TextEncoding::Utf8:
        break;
    }
    if (bytes.empty()) {
        out.clear();
        return FileResult::Ok;
    }
    if (auto codePage = service.detectCodePage(bytes)) {
        auto text = service.convert(*codePage, bytes);
        if (!text)
            return FileResult::ConversionFailed;
        out = cutAtZero(std::move(*text));
        return FileResult::Ok;
    }
    out = cutAtZero(decodeUndetectedText(service, bytes));
    return FileResult::Ok;
}

} // namespace tapwell
