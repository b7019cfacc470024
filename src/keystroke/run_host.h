// What a keystroke run needs from the dialog that hosts it. The main dialog
// implements it on Windows; tests and tapwell-cli's trace use a virtual clock.
#pragma once

#include "common/language.h"
#include "keystroke/run_settings.h"
#include "keystroke/run_texts.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tapwell {

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

    virtual std::u16string programTitle() = 0;
    virtual Language language() = 0;
};

} // namespace tapwell
