#include "keystroke/recording_sink.h"

#include "keystroke/key_tables.h"

#include <cstdio>

namespace tapwell {

void RecordingSink::record(const KeyEvent& e) {
    if (keepEvents)
        events_.push_back(e);
    if (onEvent)
        onEvent(e);
}

void RecordingSink::sendKey(std::uint8_t vk, bool up) { record({KeyEvent::Kind::Key, vk, up}); }

void RecordingSink::sendUnicodePair(char16_t unit) {
    record({KeyEvent::Kind::UnicodePair, static_cast<std::uint16_t>(unit), false});
}

unsigned RecordingSink::sendUnicodeUnit(char16_t unit, bool up) {
    record({KeyEvent::Kind::UnicodeUnit, static_cast<std::uint16_t>(unit), up});
    return 1;
}

std::string describeKeyEvent(const KeyEvent& e) {
    char buf[64];
    switch (e.kind) {
    case KeyEvent::Kind::Key: {
        const char* name = keyNameForCode(static_cast<std::uint8_t>(e.code));
        std::snprintf(buf, sizeof buf, "%s %02X %s", e.up ? "up" : "down", e.code,
                      name ? name : "-");
        break;
    }
    case KeyEvent::Kind::UnicodePair:
        std::snprintf(buf, sizeof buf, "char %04X", e.code);
        break;
    case KeyEvent::Kind::UnicodeUnit:
        std::snprintf(buf, sizeof buf, "unicode-%s %04X", e.up ? "up" : "down", e.code);
        break;
    }
    return buf;
}

} // namespace tapwell
