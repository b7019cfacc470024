// The one outlet for synthetic keyboard events. The run, the notation and the
// script's keyboard built-ins are written against this interface only.
#pragma once

#include <cstdint>

namespace tapwell {

// A key of the physical keyboard: its virtual key and its set-1 scan code,
// written 0xE0xx for a key that carries the extended-key flag; scan 0 when
// the layout has no key for the virtual key.
struct PhysicalKey {
    std::uint8_t vk = 0;
    std::uint16_t scan = 0;

    bool extended() const { return (scan & 0xFF00) == 0xE000; }
    bool operator==(const PhysicalKey&) const = default;
};

class KeyEventSink {
  public:
    virtual ~KeyEventSink() = default;
    // Every operation returns the number of events the platform inserted
    // into the input stream: 0 means they went nowhere (the platform refused
    // them), which a run treats as a reason to stop.

    // A virtual key pressed (up == false) or released.
    virtual unsigned sendKey(std::uint8_t vk, bool up) = 0;
    // One UTF-16 unit as a Unicode key-down and key-up inserted together.
    virtual unsigned sendUnicodePair(char16_t unit) = 0;
    // One UTF-16 unit as a single Unicode event.
    virtual unsigned sendUnicodeUnit(char16_t unit, bool up) = 0;
    // A key named by its position as well, for clients that forward scan
    // codes (remote desktops, virtual machines). A sink that has no use for
    // scan codes sends the virtual key alone.
    virtual unsigned sendPhysicalKey(PhysicalKey key, bool up) { return sendKey(key.vk, up); }
    // Lets a modifier change reach a remote side before the next key. Timing,
    // not an event: sinks that do not send for real ignore it.
    virtual void settle(std::uint32_t ms) { (void)ms; }
};

// Down then up at once, with nothing in between.
inline unsigned pressAndRelease(KeyEventSink& sink, std::uint8_t vk) {
    const unsigned down = sink.sendKey(vk, false);
    return down + sink.sendKey(vk, true);
}

} // namespace tapwell
