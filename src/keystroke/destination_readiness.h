// The destination's own input state, made ready before a run that sends
// characters as key presses and put back after it: an East Asian IME that is
// open turns letters sent as keys into kana or hangul waiting for conversion,
// and Caps Lock inverts the case of every letter sent as a key.
#pragma once

#include "keystroke/run_host.h"

#include <cstdint>
#include <optional>

namespace tapwell {

// What the run may learn and change of the destination's input state. The
// destination is the window with the keyboard focus in the foreground
// window's thread. Windows implements it with the IMM and the key state;
// tests and the trace fake it.
class DestinationInputState {
  public:
    virtual ~DestinationInputState() = default;
    // The destination's focus window, 0 when there is none.
    virtual WindowId focusWindow() = 0;
    // The primary language of the keyboard layout of that window's thread
    // (the low 10 bits of its language id: 0x11 Japanese, ...).
    virtual std::uint16_t layoutLanguage(WindowId focus) = 0;
    // The IME's open status; nothing when the window does not answer.
    virtual std::optional<bool> imeOpen(WindowId focus) = 0;
    virtual void setImeOpen(WindowId focus, bool open) = 0;
    // One press and release of VK_IME_OFF, for an IME that ignores the
    // request to close.
    virtual void pressImeOff() = 0;
    virtual bool capsLockOn() = 0;
    // One press and release of VK_CAPITAL.
    virtual void pressCapsLock() = 0;
};

inline constexpr std::uint16_t kLanguageChinese = 0x04;
inline constexpr std::uint16_t kLanguageJapanese = 0x11;
inline constexpr std::uint16_t kLanguageKorean = 0x12;

// The languages whose layouts come with an IME that composes letters.
bool composesWithIme(std::uint16_t primaryLanguage);

// Which of the two states a run with these settings looks at. Script mode
// never: the script decides. A Unicode run sent as written types its
// characters as written, but still sends Space, Tab and Enter as keys.
struct ReadinessNeeds {
    bool ime = false;
    bool capsLock = false;
    bool any() const { return ime || capsLock; }
};
ReadinessNeeds readinessNeeds(const RunSettings& settings);

// What a run's start changed, for its end to put back.
struct ReadinessChanges {
    bool imeClosed = false;
    WindowId imeWindow = 0;
    bool capsLockTurnedOff = false;
};

struct ReadinessResult {
    // False: the IME stayed open; nothing was changed and the run must not
    // send.
    bool ready = true;
    ReadinessChanges changes;
};

// Closes an open IME of a Japanese, Chinese or Korean layout (asking, then
// pressing VK_IME_OFF) and turns Caps Lock off, as the settings ask. An IME
// whose status cannot be read is left alone.
ReadinessResult prepareDestination(DestinationInputState& state, const RunSettings& settings);

// Caps Lock on again, then the IME open again if the destination still has
// the focus; however the run ended.
void restoreDestination(DestinationInputState& state, const ReadinessChanges& changes);

} // namespace tapwell
