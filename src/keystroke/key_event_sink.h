// The one outlet for synthetic keyboard events. The run, the notation and the
// script's keyboard built-ins are written against this interface only.
#pragma once

#include <cstdint>

namespace tapwell {

class KeyEventSink {
public:
    virtual ~KeyEventSink() = default;
    // A virtual key pressed (up == false) or released.
    virtual void sendKey(std::uint8_t vk, bool up) = 0;
    // One UTF-16 unit as a Unicode key-down and key-up inserted together.
    virtual void sendUnicodePair(char16_t unit) = 0;
    // One UTF-16 unit as a single Unicode event; returns the events inserted.
    virtual unsigned sendUnicodeUnit(char16_t unit, bool up) = 0;
};

// Down then up at once, with nothing in between.
inline void pressAndRelease(KeyEventSink& sink, std::uint8_t vk) {
    sink.sendKey(vk, false);
    sink.sendKey(vk, true);
}

} // namespace tapwell
