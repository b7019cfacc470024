// A sink that keeps every event in order, for tests, the command-line tool's
// trace and dry runs.
#pragma once

#include "keystroke/key_event_sink.h"

#include <functional>
#include <string>
#include <vector>

namespace tapwell {

struct KeyEvent {
    enum class Kind { Key, UnicodePair, UnicodeUnit };
    Kind kind;
    std::uint16_t code; // virtual key or UTF-16 unit
    bool up;            // for Key and UnicodeUnit

    bool operator==(const KeyEvent&) const = default;
};

class RecordingSink : public KeyEventSink {
public:
    // When set, every event is also handed on as it happens (for streaming
    // output in the command-line tool).
    std::function<void(const KeyEvent&)> onEvent;
    bool keepEvents = true;

    void sendKey(std::uint8_t vk, bool up) override;
    void sendUnicodePair(char16_t unit) override;
    unsigned sendUnicodeUnit(char16_t unit, bool up) override;

    const std::vector<KeyEvent>& events() const { return events_; }
    void clear() { events_.clear(); }

private:
    void record(const KeyEvent& e);
    std::vector<KeyEvent> events_;
};

// "down 0D VK_RETURN", "up 41 A", "char 3042", "unicode-down 3042", ...
std::string describeKeyEvent(const KeyEvent& e);

} // namespace tapwell
