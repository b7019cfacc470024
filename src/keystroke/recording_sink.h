// A sink that keeps every event in order, for tests, the command-line tool's
// trace and dry runs.
#pragma once

#include "keystroke/key_event_sink.h"

#include <functional>
#include <string>
#include <vector>

namespace tapwell {

struct KeyEvent {
    // PhysicalKey: a key with its scan code (key presses delivery). Settle:
    // a pause of `code` ms, recorded only when asked for.
    enum class Kind { Key, UnicodePair, UnicodeUnit, PhysicalKey, Settle };
    Kind kind;
    std::uint16_t code;     // virtual key, UTF-16 unit or milliseconds
    bool up;                // for Key, UnicodeUnit and PhysicalKey
    std::uint16_t scan = 0; // for PhysicalKey: 0xE0xx for an extended key

    bool operator==(const KeyEvent&) const = default;
};

class RecordingSink : public KeyEventSink {
  public:
    // When set, every event is also handed on as it happens (for streaming
    // output in the command-line tool).
    std::function<void(const KeyEvent&)> onEvent;
    bool keepEvents = true;
    // Settle pauses are timing: a trace shows none, a test may want them.
    bool keepSettles = false;
    // Cleared: events are still recorded, but every operation answers that
    // nothing was inserted, as for a window that refuses input.
    bool insertsEvents = true;

    unsigned sendKey(std::uint8_t vk, bool up) override;
    unsigned sendUnicodePair(char16_t unit) override;
    unsigned sendUnicodeUnit(char16_t unit, bool up) override;
    unsigned sendPhysicalKey(PhysicalKey key, bool up) override;
    void settle(std::uint32_t ms) override;

    const std::vector<KeyEvent>& events() const { return events_; }
    void clear() { events_.clear(); }

  private:
    void record(const KeyEvent& e);
    unsigned inserted(unsigned events) const { return insertsEvents ? events : 0; }
    std::vector<KeyEvent> events_;
};

// "down 0D VK_RETURN", "up 41 A", "char 3042", "unicode-down 3042",
// "down 10 VK_SHIFT sc 2A", "down A5 VK_RMENU sc E038", "settle 5", ...
std::string describeKeyEvent(const KeyEvent& e);

} // namespace tapwell
