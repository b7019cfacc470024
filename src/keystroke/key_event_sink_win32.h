// The Windows sink: keybd_event for virtual keys, SendInput for Unicode units.
#pragma once

#include "keystroke/key_event_sink.h"

namespace tapwell {

class Win32KeyEventSink : public KeyEventSink {
public:
    void sendKey(std::uint8_t vk, bool up) override;
    void sendUnicodePair(char16_t unit) override;
    unsigned sendUnicodeUnit(char16_t unit, bool up) override;
};

// The process's sink; it keeps no state, so one instance serves both threads.
KeyEventSink& systemKeyEventSink();

} // namespace tapwell
