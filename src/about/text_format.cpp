#include "about/text_format.h"

namespace tapwell::about {

namespace {

void appendDigits(std::u16string& out, std::uint64_t value, unsigned base, int width, char16_t pad,
                  bool negative) {
    char16_t digits[24];
    int n = 0;
    do {
        const auto d = static_cast<unsigned>(value % base);
        digits[n++] = static_cast<char16_t>(d < 10 ? u'0' + d : u'a' + (d - 10));
        value /= base;
    } while (value != 0);
    const int used = n + (negative ? 1 : 0);
    // With zero padding the sign goes before the zeros, as printf does.
    if (negative && pad == u'0')
        out += u'-';
    for (int i = used; i < width; ++i)
        out += pad;
    if (negative && pad != u'0')
        out += u'-';
    while (n > 0)
        out += digits[--n];
}

} // namespace

void appendUnsigned(std::u16string& out, std::uint32_t value, int width, char16_t pad) {
    appendDigits(out, value, 10, width, pad, false);
}

void appendSigned(std::u16string& out, std::int64_t value, int width, char16_t pad) {
    const bool negative = value < 0;
    const std::uint64_t magnitude = negative ? std::uint64_t{0} - static_cast<std::uint64_t>(value)
                                             : static_cast<std::uint64_t>(value);
    appendDigits(out, magnitude, 10, width, pad, negative);
}

void appendHex(std::u16string& out, std::uint32_t value, int width) {
    appendDigits(out, value, 16, width, u'0', false);
}

} // namespace tapwell::about
