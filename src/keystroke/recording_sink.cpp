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

unsigned RecordingSink::sendKey(std::uint8_t vk, bool up) {
    record({KeyEvent::Kind::Key, vk, up});
    return inserted(1);
}

unsigned RecordingSink::sendUnicodePair(char16_t unit) {
    record({KeyEvent::Kind::UnicodePair, static_cast<std::uint16_t>(unit), false});
    return inserted(2);
}

unsigned RecordingSink::sendUnicodeUnit(char16_t unit, bool up) {
    record({KeyEvent::Kind::UnicodeUnit, static_cast<std::uint16_t>(unit), up});
    return inserted(1);
}

unsigned RecordingSink::sendPhysicalKey(PhysicalKey key, bool up) {
    record({KeyEvent::Kind::PhysicalKey, key.vk, up, key.scan});
    return inserted(1);
}

void RecordingSink::settle(std::uint32_t ms) {
    if (keepSettles)
        record({KeyEvent::Kind::Settle, static_cast<std::uint16_t>(ms), false});
}

std::string describeKeyEvent(const KeyEvent& e) {
    char buf[64];
    switch (e.kind) {
    case KeyEvent::Kind::Key:
    case KeyEvent::Kind::PhysicalKey: {
        const char* name = keyNameForCode(static_cast<std::uint8_t>(e.code));
        int n = std::snprintf(buf, sizeof buf, "%s %02X %s", e.up ? "up" : "down", e.code,
                              name ? name : "-");
        if (e.kind == KeyEvent::Kind::PhysicalKey)
            std::snprintf(buf + n, sizeof buf - static_cast<std::size_t>(n),
                          e.scan > 0xFF ? " sc %04X" : " sc %02X", e.scan);
        break;
    }
    case KeyEvent::Kind::Settle:
        std::snprintf(buf, sizeof buf, "settle %u", static_cast<unsigned>(e.code));
        break;
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
