// A global hotkey as the settings keep it, its name, and the checks that
// refuse a combination before it is registered.
#pragma once

#include "common/language.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tapwell {

// The virtual key in the low byte and the modifiers above it, as one
// setting; 0 is no hotkey. Shift, Ctrl and Alt have the bits the system's
// hotkey control gives them (shifted by 8); Win has one of its own.
struct Hotkey {
    std::uint32_t value = 0;

    static constexpr std::uint32_t kShift = 0x100;
    static constexpr std::uint32_t kCtrl = 0x200;
    static constexpr std::uint32_t kAlt = 0x400;
    static constexpr std::uint32_t kWin = 0x1000;
    static constexpr std::uint32_t kModifiers = kShift | kCtrl | kAlt | kWin;

    static Hotkey of(std::uint8_t vk, std::uint32_t modifiers) {
        return {vk == 0 ? 0 : (vk | (modifiers & kModifiers))};
    }
    // Anything but a key and known modifiers reads as no hotkey.
    static Hotkey fromSetting(std::int32_t stored);

    bool none() const { return key() == 0; }
    std::uint8_t key() const { return static_cast<std::uint8_t>(value & 0xFF); }
    bool shift() const { return (value & kShift) != 0; }
    bool ctrl() const { return (value & kCtrl) != 0; }
    bool alt() const { return (value & kAlt) != 0; }
    bool win() const { return (value & kWin) != 0; }

    bool operator==(const Hotkey&) const = default;
};

// "Ctrl+Alt+V", "Shift+F11", "Ctrl+Num 5".
std::u16string hotkeyName(Hotkey hotkey);
// The key's own name: "V", "F11", "Space".
std::u16string virtualKeyName(std::uint8_t vk);

// One installed layout as the AltGr check sees it: its name, and the
// character that a key types with AltGr (and Shift), 0 for none.
class AltGrLayout {
  public:
    virtual ~AltGrLayout() = default;
    virtual std::u16string name() const = 0;
    virtual char16_t altGrCharacter(std::uint8_t vk, bool shift) const = 0;
};

// Why a combination is refused.
struct HotkeyConflict {
    std::u16string layout;
    char16_t character = 0;
};

// Windows turns Ctrl+Alt into AltGr: a Ctrl+Alt hotkey (with or without
// Shift, but without Win) takes away the character that its key types with
// AltGr on any installed layout. The first such layout, if any.
std::optional<HotkeyConflict> altGrConflict(Hotkey hotkey,
                                            std::span<const AltGrLayout* const> layouts);

// The first candidate that passes the AltGr check and `available` (the
// registration test), none when every one fails. `preferred` is tried first.
std::optional<Hotkey> suggestHotkey(Hotkey preferred, std::span<const AltGrLayout* const> layouts,
                                    const std::function<bool(Hotkey)>& available);

// The proposal for the clipboard's hotkey.
inline constexpr Hotkey kProposedClipboardHotkey{'V' | Hotkey::kCtrl | Hotkey::kAlt};

// The message that refuses `hotkey`: taken by another program (no
// conflict given) or an AltGr conflict, with a suggestion when there is one.
std::u16string hotkeyRefusal(Hotkey hotkey, const std::optional<HotkeyConflict>& conflict,
                             const std::optional<Hotkey>& suggestion, Language language);

} // namespace tapwell
