// The outlet a run or a script sends through. It remembers every key, Unicode
// unit and mouse button that was pressed and not yet released, so that a run
// the user stops leaves nothing held down, and it notices events that the
// platform refused to insert.
#pragma once

#include "keystroke/key_event_sink.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace tapwell {

// What is held down, in the order it was pressed.
class HeldInputs {
  public:
    // Called with the flags that release a mouse button and the button's
    // data (the X button number), as the platform's mouse_event takes them.
    using MouseRelease = std::function<void(std::uint32_t upFlags, std::int32_t data)>;

    void noteKey(std::uint8_t vk, bool up);
    void notePhysicalKey(PhysicalKey key, bool up);
    void noteUnicodeUnit(char16_t unit, bool up);
    // A mouse button is known by the flags that release it and its data.
    void noteMouseButton(std::uint32_t upFlags, std::int32_t data, bool up);

    bool empty() const { return held_.empty(); }
    std::size_t size() const { return held_.size(); }

    // Releases everything, the last pressed first, and forgets it. Mouse
    // buttons are dropped without an event when `mouse` is empty.
    void releaseAll(KeyEventSink& keys, const MouseRelease& mouse);

    // The held keys up, the last pressed first, or down again in the order
    // they were first pressed; they stay remembered either way. Unicode units
    // and mouse buttons are left alone: a unit pressed again would type its
    // character a second time, and only a script holds either.
    void releaseKeys(KeyEventSink& keys) const;
    unsigned pressKeysAgain(KeyEventSink& keys) const;
    // Forgets the keys, keeping the rest.
    void forgetKeys();

  private:
    enum class Kind : std::uint8_t { Key, PhysicalKey, UnicodeUnit, MouseButton };
    struct Held {
        Kind kind;
        std::uint32_t code; // virtual key, UTF-16 unit or the mouse's up flags
        std::int32_t data;  // scan code of a physical key, the mouse's data
        bool operator==(const Held&) const = default;
    };
    void note(Held item, bool up);

    std::vector<Held> held_;
};

class GuardedSink final : public KeyEventSink {
  public:
    explicit GuardedSink(KeyEventSink& out) : out_(out) {}

    unsigned sendKey(std::uint8_t vk, bool up) override;
    unsigned sendUnicodePair(char16_t unit) override;
    unsigned sendUnicodeUnit(char16_t unit, bool up) override;
    unsigned sendPhysicalKey(PhysicalKey key, bool up) override;
    void settle(std::uint32_t ms) override { out_.settle(ms); }

    HeldInputs& held() { return held_; }
    // Operations whose events the platform did not insert at all, since the
    // last takeRefusals().
    unsigned takeRefusals();

    // Releases what is held through the same outlet; the refusals of these
    // releases are not counted (the run is over when they are sent).
    void releaseHeld(const HeldInputs::MouseRelease& mouse = {});

    // While a run waits for its window to come back, the user types in
    // another one: the keys it holds go up meanwhile (refusals not counted,
    // the other window may be one that refuses) and down again, counted,
    // when it goes on. Both do nothing the second time.
    void liftHeldKeys();
    void pressLiftedKeysAgain();

  private:
    unsigned count(unsigned inserted);

    KeyEventSink& out_;
    HeldInputs held_;
    unsigned refusals_ = 0;
    bool keysLifted_ = false;
};

} // namespace tapwell
