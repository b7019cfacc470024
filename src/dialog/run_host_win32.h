// The main dialog as the host of a keystroke run: its timer, title, controls
// and message boxes; it starts the script thread.
#pragma once

#include "common/language.h"
#include "keystroke/pacer.h"
#include "keystroke/pacing_timer_win32.h"
#include "keystroke/run_host.h"
#include "settings/settings.h"

#include <string>
#include <windows.h>

namespace tapwell {

// Posted to the main dialog when a timer of the run could not be set; wParam
// is the system's error code. The dialog ends the run with a message.
inline constexpr UINT kRunTimerFailedMessage = WM_APP + 0x11A;

class DialogRunHost : public RunHost {
  public:
    DialogRunHost(HWND dialog, HMENU menu)
        : dialog_(dialog), menu_(menu),
          pacing_(dialog, RUN_TIMER_ID, highResolutionPacingAllowed()) {}

    // For a kPacingTickMessage: true when it is a tick for the run.
    bool acceptPacingTick(WPARAM sequence);

    void armRunTimer(std::uint32_t periodMs) override;
    void armSendTimer(std::uint32_t intervalMs) override;
    void killRunTimer() override;
    void setTitle(std::u16string_view title) override;
    void showMessage(const RunMessage& message) override;
    void setRunUi(RunUi look) override;
    void closeDialog() override;
    void sleep(std::uint32_t ms) override;
    RunTimeOfDay localTime() override;
    std::u16string readTextBox() override;
    std::u16string readPrefixBox() override;
    std::u16string readSuffixBox() override;
    bool textBoxEmpty() override;
    RunSettings saveSettings() override;
    bool startScript(std::u16string text) override;
    void pauseScript(bool paused) override;
    std::u16string programTitle() override;
    Language language() override;

  private:
    void reportTimerFailure();

    HWND dialog_;
    HMENU menu_;
    bool windowTimer_ = false; // armRunTimer's
    Pacer pacer_;
    PacingTimer pacing_;
    // What the run read at its Start; a script started at the end of the
    // countdown delivers as that Start chose.
    RunSettings started_;
    // Counts the switches between idle and running, so that a wait can tell
    // when its run has ended under it.
    std::uint64_t looksShown_ = 0;
};

// The part of the settings record that a run uses.
RunSettings runSettingsFrom(const Settings& settings);

} // namespace tapwell
