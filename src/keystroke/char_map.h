// Keyboard-simulate mode: which key of a Japanese (JIS) keyboard a text unit
// names. The key is pressed with no modifier, so what arrives depends on the
// keyboard's state, as if a person struck it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tapwell {

// The virtual key for text[position], or 0 when the unit names none. A
// doubled "[" is one press of the bracket key: position then moves to the
// second bracket.
std::uint8_t mapKeyboardChar(std::u16string_view text, std::size_t& position);

} // namespace tapwell
