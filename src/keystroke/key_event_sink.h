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
    // A virtual key pressed (up == false) or released.
    virtual void sendKey(std::uint8_t vk, bool up) = 0;
    // One UTF-16 unit as a Unicode key-down and key-up inserted together.
    virtual void sendUnicodePair(char16_t unit) = 0;
    // One UTF-16 unit as a single Unicode event; returns the events inserted.
    virtual unsigned sendUnicodeUnit(char16_t unit, bool up) = 0;
    // A key named by its position as well, for clients that forward scan
    // codes (remote desktops, virtual machines). A sink that has no use for
    // scan codes sends the virtual key alone.
    virtual void sendPhysicalKey(PhysicalKey key, bool up) { sendKey(key.vk, up); }
    // Lets a modifier change reach a remote side before the next key. Timing,
    // not an event: sinks that do not send for real ignore it.
    virtual void settle(std::uint32_t ms) { (void)ms; }
};

// Down then up at once, with nothing in between.
inline void pressAndRelease(KeyEventSink& sink, std::uint8_t vk) {
    sink.sendKey(vk, false);
    sink.sendKey(vk, true);
}

} // namespace tapwell
