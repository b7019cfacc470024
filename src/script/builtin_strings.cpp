// String and conversion built-ins. Every length and position is in bytes.
#include "script/builtin_call.h"

#include "common/leaf_helpers.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace tapwell {

namespace {

template <char (*F)(char)> void mapBytes(std::string& s) {
    for (char& c : s)
        c = F(c);
}

std::int32_t position(std::size_t pos) {
    return pos == std::string::npos ? -1 : static_cast<std::int32_t>(pos);
}

// Fill byte of PADLEFT$/PADRIGHT$: first byte of the third argument, or a space.
char fillByte(BuiltinCall& c) {
    if (c.count() < 3)
        return ' ';
    const std::string& f = c.read(2);
    return f.empty() ? ' ' : f[0];
}

// Set of bytes of TRIMLEFT$/TRIMRIGHT$: the second argument, or a space.
std::array<bool, 256> trimSet(BuiltinCall& c) {
    std::array<bool, 256> set{};
    std::string_view chars = c.count() >= 2 ? std::string_view(c.read(1)) : std::string_view();
    if (chars.empty())
        chars = " ";
    for (char ch : chars)
        set[static_cast<unsigned char>(ch)] = true;
    return set;
}

} // namespace

void builtinStrlen(BuiltinCall& c) {
    c.result.setInteger(static_cast<std::int32_t>(c.read(0).size()));
}

void builtinToInt(BuiltinCall& c) {
    c.result.setInteger(c.integer(0));
}

void builtinToStr(BuiltinCall& c) {
    std::string& out = c.resultText();
    appendText(out, c.value(0));
}

void builtinStrStr(BuiltinCall& c) {
    c.result.setInteger(position(c.read(0).find(c.read(1))));
}

void builtinStrStrI(BuiltinCall& c) {
    std::string& text = c.text(0);
    std::string& part = c.text(1);
    mapBytes<asciiUpper<char>>(text);
    mapBytes<asciiUpper<char>>(part);
    c.result.setInteger(position(text.find(part)));
}

void builtinToStr2(BuiltinCall& c) {
    std::uint32_t n = static_cast<std::uint32_t>(c.integer(0));
    char digits[32];
    char* p = digits + sizeof digits;
    do {
        *--p = (n & 1) ? '1' : '0';
        n >>= 1;
    } while (n != 0);
    c.resultText().assign(p, digits + sizeof digits);
}

void builtinToStr16(BuiltinCall& c) {
    char buf[4];
    const int n = std::snprintf(buf, sizeof buf, "%X", static_cast<unsigned>(c.integer(0)) & 0xFFu);
    c.resultText().assign(buf, static_cast<std::size_t>(n));
}

namespace {

void pad(BuiltinCall& c, bool left) {
    const std::int32_t width = c.integer(1);
    const char fill = fillByte(c);
    const std::string& s = c.read(0);
    std::string& out = c.resultText();
    // Signed comparison: a negative width never pads.
    const std::size_t extra = static_cast<std::int64_t>(s.size()) <= width
                                  ? static_cast<std::size_t>(width) - s.size()
                                  : 0;
    out.reserve(s.size() + extra);
    if (left)
        out.append(extra, fill);
    out += s;
    if (!left)
        out.append(extra, fill);
}

} // namespace

void builtinPadLeft(BuiltinCall& c) {
    pad(c, true);
}
void builtinPadRight(BuiltinCall& c) {
    pad(c, false);
}

void builtinTrimLeft(BuiltinCall& c) {
    const auto set = trimSet(c);
    const std::string& s = c.read(0);
    const auto it = std::find_if(s.begin(), s.end(),
                                 [&](char ch) { return !set[static_cast<unsigned char>(ch)]; });
    // A text made only of trimmed bytes stays as it is.
    c.resultText().assign(it == s.end() ? s.begin() : it, s.end());
}

void builtinTrimRight(BuiltinCall& c) {
    const auto set = trimSet(c);
    const std::string& s = c.read(0);
    const auto it = std::find_if(s.rbegin(), s.rend(),
                                 [&](char ch) { return !set[static_cast<unsigned char>(ch)]; });
    c.resultText().assign(s.begin(), it == s.rend() ? s.end() : it.base());
}

void builtinStrUpr(BuiltinCall& c) {
    std::string& out = c.resultText();
    out = c.text(0);
    mapBytes<asciiUpper<char>>(out);
}

void builtinStrLwr(BuiltinCall& c) {
    std::string& out = c.resultText();
    out = c.text(0);
    mapBytes<asciiLower<char>>(out);
}

void builtinLeft(BuiltinCall& c) {
    const std::int32_t n = c.integer(1);
    const std::string& s = c.read(0);
    // A negative count keeps the whole text.
    const std::size_t length =
        n >= 0 && static_cast<std::size_t>(n) < s.size() ? static_cast<std::size_t>(n) : s.size();
    c.resultText().assign(s, 0, length);
}

void builtinRight(BuiltinCall& c) {
    const std::int32_t n = c.integer(1);
    const std::string& s = c.read(0);
    // A negative count keeps the whole text.
    const std::size_t from = n >= 0 && static_cast<std::size_t>(n) < s.size()
                                 ? s.size() - static_cast<std::size_t>(n)
                                 : 0;
    c.resultText().assign(s, from, std::string::npos);
}

void builtinMid(BuiltinCall& c) {
    // start - 1 wraps like the 32-bit arithmetic of the language (the lowest
    // start becomes a position past every text).
    std::int32_t p = static_cast<std::int32_t>(static_cast<std::uint32_t>(c.integer(1)) - 1u);
    if (p < 0)
        p = 0;
    const std::int32_t n = c.integer(2);
    const std::string& s = c.read(0);
    std::string& out = c.resultText();
    if (static_cast<std::size_t>(p) < s.size())
        out.assign(s, static_cast<std::size_t>(p),
                   n >= 0 ? static_cast<std::size_t>(n) : std::string::npos);
}

void builtinGetAsciiCode(BuiltinCall& c) {
    const std::int32_t i = c.integer(1);
    const std::string& s = c.read(0);
    if (i >= 0 && static_cast<std::size_t>(i) < s.size())
        c.result.setInteger(static_cast<signed char>(s[static_cast<std::size_t>(i)]));
    else
        c.result.setInteger(-1);
}

void builtinAsciiCode(BuiltinCall& c) {
    const char byte = static_cast<char>(static_cast<std::uint32_t>(c.integer(0)) & 0xFFu);
    if (byte == 0)
        c.result.setEmptyString();
    else
        c.resultText().assign(1, byte);
}

void builtinReplace(BuiltinCall& c) {
    const std::string& s = c.read(0);
    const std::string& old = c.read(1);
    const std::string_view repl = c.count() >= 3 ? std::string_view(c.read(2)) : std::string_view();
    std::string& out = c.resultText();
    // An empty pattern would match everywhere at once: the text is returned
    // as it is.
    std::size_t hit = old.empty() ? std::string::npos : s.find(old);
    std::size_t from = 0;
    while (hit != std::string::npos) {
        out.append(s, from, hit - from);
        out += repl;
        from = hit + old.size();
        hit = s.find(old, from);
    }
    out.append(s, from, std::string::npos);
}

} // namespace tapwell
