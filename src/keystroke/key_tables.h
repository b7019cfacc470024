// Key names known to the notation, the Special Key Input menus and the
// script language's predefined constants.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace tapwell {

struct KeyNameEntry {
    const char* name;            // ASCII; nullptr only in the terminating entry
    std::uint8_t code;           // virtual-key code
    const char16_t* description; // shown in the Japanese menus
};

struct ScriptConstant {
    const char* name; // nullptr only in the terminating entry
    std::int32_t value;
};

inline constexpr std::size_t kKeyNameCount = 196;
inline constexpr std::size_t kScriptConstantCount = 198;

// kKeyNameCount entries followed by the terminating {nullptr, 0, nullptr}.
extern const KeyNameEntry KeyNameTable[kKeyNameCount + 1];
// kScriptConstantCount entries sorted by name (ASCII order), then {nullptr, 0}.
extern const ScriptConstant ScriptConstantTable[kScriptConstantCount + 1];

std::span<const KeyNameEntry> keyNames();
std::span<const ScriptConstant> scriptConstants();

// Code of the first entry named exactly (case-sensitively) `name`, or 0.
// A name holding any non-ASCII unit matches nothing: full-width look-alikes
// must not fold onto ASCII names.
std::uint8_t lookupKeyCode(std::u16string_view name);

// Index of the first entry with `code`, or -1.
int findKeyIndexByCode(std::uint8_t code);

// The first name for a code, or nullptr.
const char* keyNameForCode(std::uint8_t code);

// Keyboard-simulate mode: which key of a Japanese (JIS) keyboard a text unit
// names. The key is pressed with no modifier, so what arrives depends on the
// keyboard's state, as if a person struck it.

// The virtual key for text[position], or 0 when the unit names none. A
// doubled "[" is one press of the bracket key: position then moves to the
// second bracket.
std::uint8_t mapKeyboardChar(std::u16string_view text, std::size_t& position);

} // namespace tapwell
