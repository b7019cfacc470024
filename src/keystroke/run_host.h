// What a keystroke run needs from the platform: the part of the settings it
// reads, where its events go, and the dialog that hosts it. The main dialog
// implements them on Windows; tests and tapwell-cli's trace use fakes with a
// virtual clock.
#pragma once

#include "common/language.h"
#include "keystroke/run_texts.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tapwell {

// The part of the settings record that a run reads. The dialog fills it from
// the saved settings, so the engine does not depend on the settings store.

enum class InputMode : std::uint8_t { Keyboard = 0, Unicode = 1, Script = 2 };
enum class WaitMode : std::uint8_t { Seconds = 0, TimeOfDay = 1 };
// As written: keys and Unicode events as the text gives them. Key presses:
// physical keys of the target layout (remote desktops, virtual machines).
enum class Delivery : std::uint8_t { Written = 0, KeyPresses = 1 };
// The destination's IME before a run that sends letters as keys (or before
// every run), and Caps Lock before one that does (destination_readiness.h).
enum class ImeMode : std::uint8_t { TurnOffForRun = 0, Leave = 1, TurnOffEveryRun = 2 };
enum class CapsLockMode : std::uint8_t { TurnOffAndRestore = 0, Leave = 1 };

struct RunSettings {
    InputMode iInputMode = InputMode::Keyboard;
    WaitMode iWaitMode = WaitMode::Seconds;
    std::int32_t iWaitSec = 5;
    std::int32_t iTimeHour = 0;
    std::int32_t iTimeMin = 0;
    std::int32_t iTimeSec = 0;
    std::int32_t iWaitMSec = 20;
    // Compared as unsigned: the edit box shows it unsigned, so -1 reads as
    // 4294967295 passes. 0 means endless.
    std::int32_t iLoopNum = 1;
    bool iErrorStop = false;
    bool iDisableTab = false;
    bool iDisableSpace = false;
    bool iDisableEnter = false;
    Delivery iDelivery = Delivery::Written;
    // 0 the local layout, else a built-in table or an installed layout
    // (kLayoutLocal and its neighbours in keyboard_layout.h).
    std::uint32_t iTargetLayout = 0;
    // Sending waits while a window other than the destination (the one in
    // front at the first unit) is in the foreground.
    bool iFocusGuard = false;
    ImeMode iImeMode = ImeMode::TurnOffForRun;
    CapsLockMode iCapsLockMode = CapsLockMode::TurnOffAndRestore;
};

// Where a run's events go: the window in the foreground, and whether Windows
// will let this program's synthetic input reach it. Windows discards input
// sent to a program that runs with higher rights without saying so, and the
// answer here is a best guess, so the run asks through this seam and tests
// fake it.

// A window as an opaque number; 0 is no window.
using WindowId = std::uintptr_t;

class InputDestination {
  public:
    virtual ~InputDestination() = default;
    // The window in the foreground now, 0 when there is none.
    virtual WindowId foregroundWindow() = 0;
    // True when `window` belongs to a program that runs with higher rights
    // than this one, so that Windows discards what is sent to it. False when
    // that cannot be told.
    virtual bool refusesInput(WindowId window) = 0;
};

// The one window timer that paces a run; ticks of other timers are not ours.
inline constexpr std::uintptr_t RUN_TIMER_ID = 118518;

enum class RunIcon : std::uint8_t { Error, Exclamation, Information, Question };

// Dialog: modal to the main dialog. None: no owner and system-modal, so the
// dialog stays usable (and can abort the run) while the box is open.
enum class RunMessageOwner : std::uint8_t { Dialog, None };

struct RunMessage {
    std::u16string text;
    RunIcon icon = RunIcon::Error;
    RunMessageOwner owner = RunMessageOwner::Dialog;
};

enum class RunUi : std::uint8_t { Idle, Running };

struct RunTimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;
};

class RunHost {
  public:
    virtual ~RunHost() = default;

    // (Re)starts the run timer with this period; killing an idle timer is fine.
    virtual void armRunTimer(std::uint32_t periodMs) = 0;
    // The tick for the next unit of the sending phase, one interval on. A host
    // may keep these ticks on a grid of due times rather than a period that
    // starts anew after every step (the Windows host does); it delivers them
    // as ticks of RUN_TIMER_ID, and killRunTimer cancels them too.
    virtual void armSendTimer(std::uint32_t intervalMs) { armRunTimer(intervalMs); }
    virtual void killRunTimer() = 0;

    virtual void setTitle(std::u16string_view title) = 0;
    // Returns when the box has been closed; the caption is the program title.
    // A box without owner runs a nested message loop, so the run may be
    // re-entered (Abort, even a new Start) before this returns.
    virtual void showMessage(const RunMessage& message) = 0;
    // Start/Abort caption, menus and controls.
    virtual void setRunUi(RunUi look) = 0;
    // Ends the dialog and with it the program; nothing of the run is used after.
    virtual void closeDialog() = 0;

    // Blocks the GUI thread.
    virtual void sleep(std::uint32_t ms) = 0;
    virtual RunTimeOfDay localTime() = 0;

    virtual std::u16string readTextBox() = 0;
    virtual std::u16string readPrefixBox() = 0;
    virtual std::u16string readSuffixBox() = 0;
    virtual bool textBoxEmpty() = 0;

    // Stores the dialog's settings and returns what the run is to use. A
    // failure to store is the host's to report; the run goes on regardless.
    virtual RunSettings saveSettings() = 0;

    // Starts the script thread on its own copy of the text, so that a later
    // run may rebuild its working text while an aborted script still reads.
    // The run has already set scriptRunning. False when no thread started.
    virtual bool startScript(std::u16string text) = 0;
    // The Pause key in the script phase: the script thread waits before its
    // next statement until this comes again with false (a stop included).
    virtual void pauseScript(bool paused) { (void)paused; }

    virtual std::u16string programTitle() = 0;
    virtual Language language() = 0;
};

} // namespace tapwell
