#include "script/script_value.h"

#include <charconv>
#include <limits>

namespace tapwell {

namespace {

bool isCSpace(unsigned char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

} // namespace

std::int32_t ToInteger(std::string_view text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && isCSpace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulate the magnitude in 64 bits and stop growing once it is past
    // the range; the remaining digits are still part of the number.
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < '0' || c > '9')
            break;
        if (magnitude <= limit)
            magnitude = magnitude * 10 + (c - '0');
    }
    if (negative)
        return magnitude >= limit ? std::numeric_limits<std::int32_t>::min()
                                  : static_cast<std::int32_t>(-magnitude);
    return magnitude >= limit ? std::numeric_limits<std::int32_t>::max()
                              : static_cast<std::int32_t>(magnitude);
}

void appendText(std::string& out, std::int32_t v) {
    char buf[16];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}

void appendText(std::string& out, const ScriptValue& v) {
    if (v.type == ScriptValue::String)
        out += v.string;
    else
        appendText(out, v.integer);
}

std::string ToText(std::int32_t v) {
    std::string s;
    appendText(s, v);
    return s;
}

std::string ToText(const ScriptValue& v) {
    return v.type == ScriptValue::String ? v.string : ToText(v.integer);
}

std::string& makeText(ScriptValue& v) {
    if (v.type != ScriptValue::String) {
        v.string.clear();
        appendText(v.string, v.integer);
        v.type = ScriptValue::String;
        v.integer = 0;
    }
    return v.string;
}

} // namespace tapwell
