// How a run's or a script's events are delivered. As written, the engine's
// events go to the sink unchanged. As key presses, for clients that forward
// physical keys (remote desktops, virtual machines), every key names its
// physical key on the target layout, and each Unicode character is typed as
// the key that types it there.
#pragma once

#include "keystroke/key_event_sink.h"
#include "keystroke/keyboard_layout.h"
#include "keystroke/run_host.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace tapwell {

// After a modifier goes down and before it goes up, so that a remote side
// has it before the key it modifies.
inline constexpr std::uint32_t kModifierSettleMs = 5;

inline constexpr PhysicalKey kShiftKey{0x10, 0x2A};   // VK_SHIFT
inline constexpr PhysicalKey kAltGrKey{0xA5, 0xE038}; // VK_RMENU

// The key presses stage in front of a sink. It keeps track of the modifier
// keys that the text (or a script) holds down, since Windows keeps one down
// state per key: a Shift of its own pressed and released around a character
// would let the text's Shift up.
class KeyPressSink final : public KeyEventSink {
  public:
    KeyPressSink(KeyEventSink& out, std::unique_ptr<const KeyboardLayout> layout);

    // The virtual key with its key's scan code.
    unsigned sendKey(std::uint8_t vk, bool up) override;
    // The character's key with the modifiers it needs, a dead key followed by
    // a space, or, when no key types it, the Unicode events. The character
    // arrives as written whatever the text holds: a held Shift comes up for a
    // character that needs none and goes down again after it, and a held
    // Shift or AltGr is not pressed a second time. While Ctrl, Alt or Win is
    // held a letter is its bare key, a shortcut as in keyboard-simulate mode.
    unsigned sendUnicodePair(char16_t unit) override;
    // Passed on as it is: a script asks for exactly this event.
    unsigned sendUnicodeUnit(char16_t unit, bool up) override;
    unsigned sendPhysicalKey(PhysicalKey key, bool up) override;
    void settle(std::uint32_t ms) override;

  private:
    unsigned press(PhysicalKey key);
    unsigned typeWithModifiers(const CharKey& ck);
    void noteModifier(PhysicalKey key, bool up);
    bool holdsShortcutModifier() const;

    KeyEventSink& out_;
    std::unique_ptr<const KeyboardLayout> layout_;
    // The modifier keys held down from above, in the order they went down.
    std::vector<PhysicalKey> heldModifiers_;
};

// What a run or a script sends through, chosen once at its start from the
// delivery settings: `base` itself as written, or a KeyPressSink on the
// layout that `resolve` gives for the target layout id.
class KeyDeliveryStage {
  public:
    KeyDeliveryStage(KeyEventSink& base, Delivery delivery, std::uint32_t targetLayout,
                     KeyboardLayoutResolver resolve);
    KeyDeliveryStage(const KeyDeliveryStage&) = delete;
    KeyDeliveryStage& operator=(const KeyDeliveryStage&) = delete;

    KeyEventSink& sink() { return keyPresses_ ? *keyPresses_ : base_; }

  private:
    KeyEventSink& base_;
    std::optional<KeyPressSink> keyPresses_;
};

} // namespace tapwell
