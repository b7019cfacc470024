// Which physical key, with which modifiers, types a character on a keyboard
// layout, and which key carries a virtual key. Key presses delivery asks this;
// the built-in tables answer it portably, installed layouts on Windows.
#pragma once

#include "keystroke/key_event_sink.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace tapwell {

// A layout installed on the machine, as the platform lists it.
struct InstalledLayout {
    std::uint32_t id;    // what iTargetLayout keeps
    std::u16string name; // the language's name in the user's language; may be empty
};

// How a character is typed: its key, the modifiers held around it, and
// whether the key is a dead key (which types the character when followed by
// a space).
struct CharKey {
    PhysicalKey key;
    bool shift = false;
    bool altGr = false;
    bool dead = false;

    bool operator==(const CharKey&) const = default;
};

class KeyboardLayout {
  public:
    virtual ~KeyboardLayout() = default;
    // The key that carries `vk`, scan 0 when the layout has none.
    virtual PhysicalKey keyForVirtualKey(std::uint8_t vk) const = 0;
    // The one key that types `c`, or nothing when no key of the layout does.
    virtual std::optional<CharKey> keyForChar(char16_t c) const = 0;
};

// Bits of LayoutKey::deadLevels.
inline constexpr std::uint8_t kDeadPlain = 1;
inline constexpr std::uint8_t kDeadShift = 2;
inline constexpr std::uint8_t kDeadAltGr = 4;
inline constexpr std::uint8_t kDeadShiftAltGr = 8;

// One row of a layout table: a key and what it types at each level (0 for
// nothing). A virtual key may have several rows; the first gives its key.
struct LayoutKey {
    std::uint8_t vk = 0;
    std::uint16_t scan = 0;
    char16_t plain = 0;
    char16_t shift = 0;
    char16_t altGr = 0;
    char16_t shiftAltGr = 0;
    std::uint8_t deadLevels = 0;
};

// A layout given as a table. For a character typed by several keys or levels,
// the first row, and in it the lowest level, wins.
class TableKeyboardLayout final : public KeyboardLayout {
  public:
    explicit TableKeyboardLayout(const std::vector<LayoutKey>& rows);

    PhysicalKey keyForVirtualKey(std::uint8_t vk) const override;
    std::optional<CharKey> keyForChar(char16_t c) const override;

  private:
    std::array<PhysicalKey, 256> byVk_{};
    std::unordered_map<char16_t, CharKey> byChar_;
};

// Target layout ids as the settings keep them. Any other value is the handle
// of a layout installed on Windows, whose high word is never 0, so it never
// equals the two built-in ids.
inline constexpr std::uint32_t kLayoutLocal = 0;
inline constexpr std::uint32_t kLayoutUs101 = 1;
inline constexpr std::uint32_t kLayoutJapanese = 2;

// The built-in tables: the US 101-key and the Japanese 106/109-key keyboard.
const std::vector<LayoutKey>& usLayoutTable();
const std::vector<LayoutKey>& japaneseLayoutTable();

// Gives a run the layout for a target layout id; never null.
using KeyboardLayoutResolver = std::unique_ptr<KeyboardLayout> (*)(std::uint32_t layoutId);

// The resolver without a platform: the US table for kLayoutUs101, the
// Japanese one (the keyboard the keyboard-simulate map is made for) for
// every other id.
std::unique_ptr<KeyboardLayout> portableKeyboardLayout(std::uint32_t layoutId);

// Whether a virtual key's key carries the extended-key flag on a standard
// keyboard (arrows, the editing block, right Ctrl and Alt, Windows keys, ...).
bool isExtendedVirtualKey(std::uint8_t vk);

} // namespace tapwell
