// The keystroke subsystem on Windows: the key sink, installed keyboard
// layouts and the foreground window's rights.
//
// The sink: SendInput for virtual keys, Unicode units and physical
// keys (virtual key plus scan code). SendInput, unlike keybd_event, says how
// many events it inserted, so a run learns when Windows refused them.
#pragma once

#include "keystroke/destination_readiness.h"
#include "keystroke/key_event_sink.h"
#include "keystroke/keyboard_layout.h"
#include "keystroke/run_host.h"

#include <cstdint>
#include <string>
#include <vector>

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

// Keyboard layouts as Windows knows them: the local one and those installed,
// asked through their handles; no layout is ever activated to probe it.

// The resolver for a run or a script on Windows: the built-in tables for
// their ids, an installed layout for its id, and the local layout (the
// calling thread's) for 0 and for an id that is no longer installed.
std::unique_ptr<KeyboardLayout> systemKeyboardLayout(std::uint32_t layoutId);

// The layouts of GetKeyboardLayoutList, in its order.
std::vector<InstalledLayout> installedKeyboardLayouts();

// The foreground window and its program's rights, as Windows tells them.

class Win32InputDestination final : public InputDestination {
  public:
    WindowId foregroundWindow() override;
    bool refusesInput(WindowId window) override;
};

// The process's destination; it keeps no state.
InputDestination& systemInputDestination();

// The destination's IME (through its default IME window, with a timeout) and
// Caps Lock (this thread's view of the key state; pressed with SendInput).
class Win32DestinationInputState final : public DestinationInputState {
  public:
    WindowId focusWindow() override;
    std::uint16_t layoutLanguage(WindowId focus) override;
    std::optional<bool> imeOpen(WindowId focus) override;
    void setImeOpen(WindowId focus, bool open) override;
    void pressImeOff() override;
    bool capsLockOn() override;
    void pressCapsLock() override;
};

DestinationInputState& systemDestinationInputState();

} // namespace tapwell
