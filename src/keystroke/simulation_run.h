// One run from Start to its end: the countdown, then one text unit per timer
// tick (keyboard-simulate and Unicode mode) or watching the script thread
// (script mode). Lives on the GUI thread; the process has one.
#pragma once

#include "common/language.h"
#include "keystroke/destination_readiness.h"
#include "keystroke/guarded_sink.h"
#include "keystroke/key_delivery.h"
#include "keystroke/key_event_sink.h"
#include "keystroke/key_notation.h"
#include "keystroke/run_host.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tapwell {

enum class RunPhase : std::uint8_t { Countdown, Sending, Script };

// How the last run ended, for callers that report it (the trace).
enum class RunEnd : std::uint8_t {
    None,    // no run yet, or one still going
    Refused, // Start with an empty text box
    Normal,
    Error, // ended by a message
    Aborted,
};

class SimulationRun {
  public:
    // The two flags are shared with the script thread.
    SimulationRun(RunHost& host, KeyEventSink& sink, std::atomic<bool>& scriptRunning,
                  std::atomic<bool>& scriptStopRequested);
    SimulationRun(const SimulationRun&) = delete;
    SimulationRun& operator=(const SimulationRun&) = delete;

    // Set once for the process when the text came from the command line:
    // the end of a keyboard-simulate or Unicode run then closes the dialog.
    void setAutoRun(bool on) { autoRun_ = on; }
    bool autoRun() const { return autoRun_; }

    // Where a key presses run gets its target layout: the built-in tables
    // unless the platform knows installed layouts.
    void setKeyboardLayoutResolver(KeyboardLayoutResolver resolve) { resolveLayout_ = resolve; }

    // Where the run checks the window it types into; without one (the trace)
    // nothing is checked and the focus guard has nothing to watch.
    void setInputDestination(InputDestination* destination) { destination_ = destination; }

    // Where the run reads and changes the destination's IME and Caps Lock at
    // the start of its sending and puts them back at its end; without one
    // nothing is looked at.
    void setDestinationInputState(DestinationInputState* state) { inputState_ = state; }

    // The Start button: starts when idle, aborts when running.
    void startOrAbort();
    void startRun();
    // The user's stop (Abort, or Esc in any window): keys and mouse buttons
    // that this run pressed and did not release are released.
    void abortRun();
    // Ticks of any timer but RUN_TIMER_ID are ignored.
    void onRunTimer(std::uintptr_t timerId);
    void stopRun();

    // A run from a hotkey or the tray: no countdown. With `literal` (the
    // clipboard, already through the literal rules), that text is typed as
    // it stands, once: Unicode events, Tab and Enter keys, no notation, no
    // prefix, suffix or Ignore setting. Without it, the text box as Start
    // would type it. Delivery, target layout and pace are the settings'.
    // With `hold` the run begins (settings saved, running look, Esc watched)
    // but sends nothing until releaseQuick: what a start costs is spent
    // while the user still lets go of the hotkey.
    void startQuick(std::optional<std::u16string> literal, bool hold = false);
    void releaseQuick();
    bool holding() const { return holding_; }
    // The Pause key: holds the sending phase between two units, or the
    // script between two statements, and lets it go on. Keys the text holds
    // stay held; a stop releases them as ever.
    void togglePause();
    bool paused() const { return paused_; }

    // One step of the sending phase on the unit at position().
    StepOutcome processCharacter(char16_t unit);

    bool running() const { return running_; }
    RunPhase phase() const { return phase_; }
    // The focus guard is holding the sending back.
    bool pausedForFocus() const { return pausedForFocus_; }
    std::int32_t countdown() const { return countdown_; }
    std::size_t position() const { return position_; }
    std::uint32_t passesDone() const { return passesDone_; }
    // Every finished pass of the sending phase, endless runs included.
    std::uint64_t completedPasses() const { return completedPasses_; }
    const RepeatStack& repeatStack() const { return repeatStack_; }
    const std::u16string& inputText() const { return inputText_; }
    const RunSettings& settings() const { return settings_; }
    RunEnd lastEnd() const { return lastEnd_; }

  private:
    // This run's way out: the delivery chosen at Start, and above it the
    // guard that remembers held keys and refused events.
    struct Outlet {
        Outlet(KeyEventSink& base, const RunSettings& s, KeyboardLayoutResolver resolve)
            : delivery(base, s.iDelivery, s.iTargetLayout, resolve), guarded(delivery.sink()) {}
        KeyDeliveryStage delivery;
        GuardedSink guarded;
    };

    void beginNextPhase();
    void startSending();
    void sendingTick();
    bool destinationReady();
    void stopForRefusedDestination();
    bool prepareDestinationInput();
    void endPass();
    void finish(RunEnd how);
    void setCountdownTitle();
    void setProgressTitle();

    RunHost& host_;
    KeyEventSink& sink_;
    KeyboardLayoutResolver resolveLayout_ = portableKeyboardLayout;
    InputDestination* destination_ = nullptr;
    // This run's outlet, made at Start. Shared, so that a step keeps it even
    // when a pause box's nested loop starts the next run.
    std::shared_ptr<Outlet> outlet_;
    std::atomic<bool>& scriptRunning_;
    std::atomic<bool>& scriptStopRequested_;

    RunSettings settings_;
    Language language_ = Language::English;
    bool autoRun_ = false;
    bool running_ = false;
    RunPhase phase_ = RunPhase::Countdown;
    std::int32_t countdown_ = 0;
    std::size_t position_ = 0;
    std::uint32_t passesDone_ = 0;
    std::uint64_t completedPasses_ = 0;
    RepeatStack repeatStack_;
    std::u16string inputText_;
    std::uint32_t interval_ = 20;
    RunEnd lastEnd_ = RunEnd::None;
    // Bumped whenever a run starts or ends. A step that showed a box without
    // owner compares it afterwards: the nested message loop may have aborted
    // this run or started another one meanwhile.
    std::uint64_t generation_ = 0;
    int titlePercent_ = -1;
    std::u16string progressTitle_;
    // The foreground window last checked for rights; a new one is checked
    // before the next unit goes to it.
    bool frontChecked_ = false;
    WindowId checkedFront_ = 0;
    // The focus guard's destination: the window in front at the first unit.
    bool destinationKnown_ = false;
    WindowId destinationWindow_ = 0;
    bool pausedForFocus_ = false;
    DestinationInputState* inputState_ = nullptr;
    // What this run changed of the destination's input state.
    ReadinessChanges inputChanges_;
    // A quick run's text until its sending phase begins, and whether the
    // run types literally.
    std::optional<std::u16string> literalText_;
    bool literal_ = false;
    bool quickStart_ = false;
    bool holdQuick_ = false;
    bool holding_ = false;
    bool paused_ = false;
};

// Seconds a run waits before it starts sending.

// Wait mode 0: the seconds setting. Wait mode 1: seconds from `now` until the
// start time, which is taken to be tomorrow when it has passed today.
std::int32_t initialCountdown(const RunSettings& settings, RunTimeOfDay now);

// The text a run sends: every line gets the prefix and the suffix, carriage
// returns go, and a text of several lines always ends with one line feed.

std::u16string buildInputText(std::u16string_view boxText, std::u16string_view prefix,
                              std::u16string_view suffix);

} // namespace tapwell
