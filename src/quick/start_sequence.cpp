#include "quick/start_sequence.h"

namespace tapwell {

namespace {

constexpr std::uint8_t kModifierKeys[] = {
    0x10, 0x11, 0x12,       // Shift, Ctrl, Alt
    0xA0, 0xA1, 0xA2, 0xA3, // left and right Shift, Ctrl
    0xA4, 0xA5, 0x5B, 0x5C, // left and right Alt, Win
};

} // namespace

bool isWatchedModifier(std::uint8_t vk) {
    for (std::uint8_t m : kModifierKeys)
        if (m == vk)
            return true;
    return false;
}

bool QuickStartSequence::anyHeld(const std::function<bool(std::uint8_t)>& isDown) const {
    for (std::uint8_t m : kModifierKeys)
        if (isDown(m))
            return true;
    return !hotkey_.none() && isDown(hotkey_.key());
}

StartStep QuickStartSequence::poll(std::uint64_t nowMs,
                                   const std::function<bool(std::uint8_t)>& isDown) {
    if (anyHeld(isDown)) {
        // A key pressed again during the settle time starts the wait anew.
        released_ = false;
        return nowMs - begin_ >= kGiveUpMs ? StartStep::Cancel : StartStep::Wait;
    }
    if (!released_) {
        released_ = true;
        releasedAt_ = nowMs;
    }
    return nowMs - releasedAt_ >= kSettleMs ? StartStep::Start : StartStep::Wait;
}

} // namespace tapwell
