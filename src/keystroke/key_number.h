// Number reading inside the notation with the behaviour of the Windows C
// library's strtol, whose long is 32 bits: leading white space, an optional
// sign, digits up to the first unit that is not one, and saturation at the
// signed 32-bit limits. Only ASCII counts as white space or digit.
#pragma once

#include <cstdint>
#include <string_view>

namespace tapwell {

// base is 8, 10 or 16; with 16 an "0x"/"0X" prefix is accepted.
std::int32_t readLong32(std::u16string_view text, int base);

} // namespace tapwell
