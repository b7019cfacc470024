// How a quick run starts once its hotkey fired (or its menu item was
// chosen): no character may go out while the user still holds a modifier,
// or the text turns into shortcuts. The sequence waits until every modifier
// and the hotkey's own key are up, lets the system settle, and then starts;
// keys still held after a while cancel it. Driven by a clock and the key
// states, so that it is tested without a keyboard.
#pragma once

#include "quick/hotkey.h"

#include <cstdint>
#include <functional>

namespace tapwell {

// An unassigned virtual key. Pressed while Alt or Win is down, it makes their
// release open no menu bar and no Start menu.
inline constexpr std::uint8_t kMaskKey = 0xE8;

enum class StartStep : std::uint8_t {
    Wait,   // poll again in kStartPollMs
    Start,  // bring the destination to the front and start the run
    Cancel, // keys were held too long: tell the user, type nothing
};

class QuickStartSequence {
  public:
    static constexpr std::uint32_t kPollMs = 10;
    static constexpr std::uint32_t kSettleMs = 150;
    static constexpr std::uint32_t kGiveUpMs = 10000;

    // `hotkey` is none for a start from the icon's menu.
    QuickStartSequence(Hotkey hotkey, std::uint64_t nowMs) : hotkey_(hotkey), begin_(nowMs) {}

    // Whether the mask key is to be pressed and released at once, while the
    // hotkey's modifiers are still down.
    bool needsMaskKey() const { return hotkey_.alt() || hotkey_.win(); }

    // `isDown` tells whether a virtual key is held now.
    StartStep poll(std::uint64_t nowMs, const std::function<bool(std::uint8_t)>& isDown);
    // Every key was up at the last poll: the settle time runs.
    bool released() const { return released_; }

  private:
    bool anyHeld(const std::function<bool(std::uint8_t)>& isDown) const;

    Hotkey hotkey_;
    std::uint64_t begin_;
    bool released_ = false;
    std::uint64_t releasedAt_ = 0;
};

// The keys whose state the sequence reads: both Shifts, Ctrls, Alts and Wins,
// their side-less codes, and any hotkey key.
bool isWatchedModifier(std::uint8_t vk);

} // namespace tapwell
