// The small helpers that several subsystems need, each written once: ASCII
// case folding, digit values and the row of a tooltip table. The Windows-side helpers are
// in windows_glue_win32.h.
#pragma once

#include <cstddef>
#include <string_view>

namespace tapwell {

// The classic locale's toupper and tolower: only a-z and A-Z change, so a
// byte of a UTF-8 sequence or a character beyond ASCII stays as it is.
template <typename Char> constexpr Char asciiUpper(Char c) {
    return c >= Char('a') && c <= Char('z') ? static_cast<Char>(c - ('a' - 'A')) : c;
}

template <typename Char> constexpr Char asciiLower(Char c) {
    return c >= Char('A') && c <= Char('Z') ? static_cast<Char>(c + ('a' - 'A')) : c;
}

constexpr bool equalsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (asciiUpper(a[i]) != asciiUpper(b[i]))
            return false;
    return true;
}

constexpr bool startsWithIgnoringAsciiCase(std::u16string_view s, std::u16string_view prefix) {
    return s.size() >= prefix.size() && equalsIgnoringAsciiCase(s.substr(0, prefix.size()), prefix);
}

// A digit's value as strtol reads digits of any base up to 36: 0-9, then the
// letters in either case; kNoDigit for anything else.
inline constexpr int kNoDigit = 36;
constexpr int asciiDigitValue(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'z')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'Z')
        return c - u'A' + 10;
    return kNoDigit;
}

// One tool of a dialog's tooltip window: the control it describes and the
// text in one language.
struct TooltipEntry {
    int controlId;
    std::u16string_view text;
};

} // namespace tapwell
