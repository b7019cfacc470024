// The Windows sink: SendInput for virtual keys, Unicode units and physical
// keys (virtual key plus scan code). SendInput, unlike keybd_event, says how
// many events it inserted, so a run learns when Windows refused them.
#pragma once

#include "keystroke/key_event_sink.h"

namespace tapwell {

class Win32KeyEventSink : public KeyEventSink {
  public:
    unsigned sendKey(std::uint8_t vk, bool up) override;
    unsigned sendUnicodePair(char16_t unit) override;
    unsigned sendUnicodeUnit(char16_t unit, bool up) override;
    unsigned sendPhysicalKey(PhysicalKey key, bool up) override;
    void settle(std::uint32_t ms) override;
};

// The process's sink; it keeps no state, so one instance serves both threads.
KeyEventSink& systemKeyEventSink();

} // namespace tapwell
