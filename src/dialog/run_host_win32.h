// The main dialog as the host of a keystroke run: its timer, title, controls
// and message boxes, and the script thread.
#pragma once

#include "common/language.h"
#include "keystroke/pacer.h"
#include "keystroke/pacing_timer_win32.h"
#include "keystroke/run_host.h"
#include "settings/settings.h"

#include <string>
#include <windows.h>

namespace tapwell {

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
    std::u16string programTitle() override;
    Language language() override;

  private:
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

// The script thread as the main dialog starts it: its own copy of the text,
// a large stack, and the dialog's host callbacks (boxes owned by the dialog).

// `delivery` and `targetLayout` choose how its key events are delivered.
// False when no thread could be started.
bool startScriptThread(HWND owner, std::u16string text, Delivery delivery,
                       std::uint32_t targetLayout);
// The running script thread, 0 when there is none.
DWORD scriptThreadId();

} // namespace tapwell
