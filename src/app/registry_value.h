// Turning a registry value's type and bytes into a setting's integer.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tapwell {

// The registry's value type codes.
enum class RegistryValueType : std::uint32_t {
    None = 0,
    String = 1,
    ExpandString = 2,
    Binary = 3,
    Dword = 4,
    DwordBigEndian = 5,
    Link = 6,
    MultiString = 7,
    Qword = 11,
};

// The most bytes a read accepts: a number needs a few dozen, and a larger
// value is as unreadable as any other bad one (but could exhaust memory).
inline constexpr std::uint32_t kLargestRegistryValue = 64;

// A text is a number when its first character is "+", "-" or a digit and
// every later one a digit; a lone sign is 0. Numbers that do not fit in 32
// signed bits are refused rather than wrapped.
std::optional<std::int32_t> parseRegistryIntegerText(std::u16string_view text);

// `data` is the value as stored (text types as UTF-16LE bytes, their
// terminating zero optional). Numeric types take their first four bytes,
// missing bytes as 0. Anything unreadable gives `fallback`.
std::int32_t decodeRegistryInteger(std::uint32_t type, std::string_view data,
                                   std::int32_t fallback);

} // namespace tapwell
