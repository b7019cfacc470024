// printf-like number formatting into UTF-16 strings, for the fixed formats of
// the About box and the report.
#pragma once

#include <cstdint>
#include <string>

namespace tapwell::about {

// Decimal; `width` pads on the left with `pad` (like "%2d" or "%02u").
void appendUnsigned(std::u16string& out, std::uint32_t value, int width = 0, char16_t pad = u'0');
void appendSigned(std::u16string& out, std::int64_t value, int width = 0, char16_t pad = u' ');
// Lower-case hexadecimal, zero-padded to `width` ("%08x").
void appendHex(std::u16string& out, std::uint32_t value, int width);

} // namespace tapwell::about
