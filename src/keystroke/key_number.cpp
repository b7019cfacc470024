#include "keystroke/key_number.h"

#include <cstdint>

namespace tapwell {

namespace {

int digitValue(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'z')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'Z')
        return c - u'A' + 10;
    return 99;
}

bool isBlank(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

} // namespace

std::int32_t readLong32(std::u16string_view s, int base) {
    std::size_t i = 0;
    while (i < s.size() && isBlank(s[i]))
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
        negative = s[i] == u'-';
        ++i;
    }
    // "0x" counts as a prefix only when a hex digit follows; otherwise the
    // reading is the lone 0.
    if (base == 16 && i + 2 < s.size() && s[i] == u'0' && (s[i + 1] == u'x' || s[i + 1] == u'X') &&
        digitValue(s[i + 2]) < 16)
        i += 2;
    const std::uint64_t limit = negative ? 2147483648ull : 2147483647ull;
    std::uint64_t value = 0;
    bool overflow = false;
    for (; i < s.size(); ++i) {
        int d = digitValue(s[i]);
        if (d >= base)
            break;
        if (!overflow) {
            value = value * static_cast<unsigned>(base) + static_cast<unsigned>(d);
            if (value > limit)
                overflow = true;
        }
    }
    if (overflow)
        return negative ? INT32_MIN : INT32_MAX;
    std::int64_t signedValue = static_cast<std::int64_t>(value);
    return static_cast<std::int32_t>(negative ? -signedValue : signedValue);
}

} // namespace tapwell
