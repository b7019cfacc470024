
#include "keystroke/simulation_run.h"

#include "keystroke/key_tables.h"

#include <algorithm>
#include <utility>

namespace tapwell {

namespace {

constexpr std::uint32_t kSecondTick = 1000;
// How often a run held back by the focus guard looks for its window again.
constexpr std::uint32_t kFocusPollMs = 100;
constexpr std::uint8_t kVkTab = 0x09;
constexpr std::uint8_t kVkReturn = 0x0D;
constexpr std::uint8_t kVkSpace = 0x20;

} // namespace

SimulationRun::SimulationRun(RunHost& host, KeyEventSink& sink, std::atomic<bool>& scriptRunning,
                             std::atomic<bool>& scriptStopRequested)
    : host_(host), sink_(sink), scriptRunning_(scriptRunning),
      scriptStopRequested_(scriptStopRequested) {}

void SimulationRun::startOrAbort() {
    if (running_)
        abortRun();
    else
        startRun();
}

void SimulationRun::startRun() {
    if (running_)
        return;
    settings_ = host_.saveSettings();
    language_ = host_.language();
    literal_ = literalText_.has_value();
    if (literal_) {
        settings_.iInputMode = InputMode::Unicode;
        settings_.iLoopNum = 1;
        settings_.iDisableTab = settings_.iDisableSpace = settings_.iDisableEnter = false;
    } else if (host_.textBoxEmpty()) {
        lastEnd_ = RunEnd::Refused;
        showRunError(host_, std::u16string(runText(RunText::EmptyText, language_)));
        return;
    }
    outlet_ = std::make_shared<Outlet>(sink_, settings_, resolveLayout_);
    // The store never keeps an interval below 1; a host that skipped the
    // store's rules must not get a timer that fires continuously.
    interval_ = settings_.iWaitMSec >= 1 ? static_cast<std::uint32_t>(settings_.iWaitMSec) : 20;
    host_.setRunUi(RunUi::Running);
    RunTimeOfDay now;
    if (settings_.iWaitMode == WaitMode::TimeOfDay)
        now = host_.localTime();
    countdown_ = initialCountdown(settings_, now);
    running_ = true;
    phase_ = RunPhase::Countdown;
    lastEnd_ = RunEnd::None;
    ++generation_;
    if (quickStart_) {
        countdown_ = 0;
        holding_ = holdQuick_;
        if (!holding_)
            beginNextPhase();
        return;
    }
    host_.armRunTimer(kSecondTick);
    setCountdownTitle();
}

void SimulationRun::startQuick(std::optional<std::u16string> literal, bool hold) {
    if (running_)
        return;
    literalText_ = std::move(literal);
    quickStart_ = true;
    holdQuick_ = hold;
    startRun();
    quickStart_ = holdQuick_ = false;
    if (!holding_)
        literalText_.reset();
}

void SimulationRun::releaseQuick() {
    if (!running_ || !holding_)
        return;
    holding_ = false;
    beginNextPhase();
}

void SimulationRun::togglePause() {
    if (!running_ || phase_ == RunPhase::Countdown)
        return;
    paused_ = !paused_;
    if (phase_ == RunPhase::Script) {
        host_.pauseScript(paused_);
        host_.setTitle(paused_
                           ? formatRunText(RunText::PausedTitle, language_, {host_.programTitle()})
                           : std::u16string(runText(RunText::ScriptTitle, language_)));
        return;
    }
    if (paused_) {
        host_.killRunTimer();
        host_.setTitle(formatRunText(RunText::PausedTitle, language_, {host_.programTitle()}));
        return;
    }
    titlePercent_ = -1;
    host_.armSendTimer(interval_);
}

void SimulationRun::abortRun() {
    if (!running_)
        return;
    if (settings_.iInputMode == InputMode::Script && scriptRunning_.load())
        scriptStopRequested_.store(true);
    lastEnd_ = RunEnd::Aborted;
    stopRun();
    // A modifier left down would turn the user's own typing into capitals or
    // shortcuts. A script releases its own keys on its thread as it stops.
    if (outlet_)
        outlet_->guarded.releaseHeld();
}

void SimulationRun::stopRun() {
    host_.killRunTimer();
    host_.setRunUi(RunUi::Idle);
    host_.setTitle(host_.programTitle());
    running_ = false;
    holding_ = false;
    literalText_.reset();
    pausedForFocus_ = false;
    // A paused script goes on to its next statement, where it sees the stop.
    if (std::exchange(paused_, false) && phase_ == RunPhase::Script)
        host_.pauseScript(false);
    ++generation_;
    if (inputState_)
        restoreDestination(*inputState_, std::exchange(inputChanges_, {}));
}

void SimulationRun::finish(RunEnd how) {
    lastEnd_ = how;
    stopRun();
    if (autoRun_)
        host_.closeDialog();
}

void SimulationRun::onRunTimer(std::uintptr_t timerId) {
    if (timerId != RUN_TIMER_ID || !running_)
        return;
    switch (phase_) {
    case RunPhase::Countdown:
        if (countdown_ > 0 && --countdown_ > 0) {
            setCountdownTitle();
            return;
        }
        beginNextPhase();
        return;
    case RunPhase::Sending:
        sendingTick();
        return;
    case RunPhase::Script:
        if (!scriptRunning_.load()) {
            // A script run never closes the dialog: the command line has no
            // script mode.
            lastEnd_ = RunEnd::Normal;
            stopRun();
        }
        return;
    }
}

void SimulationRun::beginNextPhase() {
    if (literal_) {
        inputText_ = std::move(*literalText_);
        literalText_.reset();
        startSending();
        return;
    }
    inputText_ = host_.readTextBox();
    std::u16string prefix = host_.readPrefixBox();
    std::u16string suffix = host_.readSuffixBox();
    if (settings_.iInputMode == InputMode::Script) {
        host_.setTitle(runText(RunText::ScriptTitle, language_));
        // An aborted script that is still winding down keeps this run in
        // its script phase until it has gone; no second thread is started.
        if (!inputText_.empty() && !scriptRunning_.load()) {
            // Set here rather than by the thread, so that no tick can find the
            // flag still false while the thread is starting; a stale stop
            // request must not end the new script at its first statement.
            scriptStopRequested_.store(false);
            scriptRunning_.store(true);
            if (!host_.startScript(inputText_))
                scriptRunning_.store(false);
        }
        phase_ = RunPhase::Script;
        return;
    }
    inputText_ = buildInputText(inputText_, prefix, suffix);
    startSending();
}

void SimulationRun::startSending() {
    position_ = 0;
    passesDone_ = 0;
    completedPasses_ = 0;
    repeatStack_ = RepeatStack();
    frontChecked_ = false;
    destinationKnown_ = false;
    pausedForFocus_ = false;
    phase_ = RunPhase::Sending;
    titlePercent_ = -1;
    if (inputText_.empty()) {
        // Nothing to send (a box of carriage returns only): a normal end.
        finish(RunEnd::Normal);
        return;
    }
    if (!prepareDestinationInput())
        return;
    host_.armSendTimer(interval_);
}

// Once, before the first unit: the destination has been activated by now.
bool SimulationRun::prepareDestinationInput() {
    if (!inputState_ || !readinessNeeds(settings_).any())
        return true;
    host_.setTitle(formatRunText(RunText::ReadinessTitle, language_, {host_.programTitle()}));
    const ReadinessResult result = prepareDestination(*inputState_, settings_);
    inputChanges_ = result.changes;
    if (result.ready)
        return true;
    const std::uint64_t generation = generation_;
    showRunError(host_, std::u16string(runText(RunText::ImeStillOpen, language_)));
    if (generation == generation_)
        finish(RunEnd::Error);
    return false;
}

void SimulationRun::sendingTick() {
    host_.killRunTimer();
    // A tick armed by a step that was running when Pause came.
    if (paused_)
        return;
    if (!destinationReady())
        return;
    setProgressTitle();
    const std::shared_ptr<Outlet> outlet = outlet_;
    const std::uint64_t generation = generation_;
    StepOutcome outcome = processCharacter(inputText_[position_]);
    // A pause box lets the dialog abort this run, or even start the next
    // one, before the step returns: then nothing more is done here.
    if (generation != generation_)
        return;
    if (outcome == StepOutcome::ErrorStop) {
        finish(RunEnd::Error);
        return;
    }
    if (outlet && outlet->guarded.takeRefusals() != 0) {
        stopForRefusedDestination();
        return;
    }
    ++position_;
    if (position_ < inputText_.size()) {
        host_.armSendTimer(interval_);
        return;
    }
    endPass();
}

// Before each unit. With the focus guard, nothing is sent while another
// window is in front. A foreground window not seen before is asked once
// whether it takes this program's input at all.
bool SimulationRun::destinationReady() {
    if (!destination_)
        return true;
    const WindowId front = destination_->foregroundWindow();
    if (settings_.iFocusGuard) {
        if (!destinationKnown_) {
            destinationKnown_ = true;
            destinationWindow_ = front;
        }
        if (front != destinationWindow_) {
            if (!pausedForFocus_) {
                pausedForFocus_ = true;
                host_.setTitle(
                    formatRunText(RunText::FocusPausedTitle, language_, {host_.programTitle()}));
                // A Shift or Ctrl the text holds would change what the user
                // types in the other window.
                if (outlet_)
                    outlet_->guarded.liftHeldKeys();
            }
            host_.armRunTimer(std::min(interval_, kFocusPollMs));
            return false;
        }
        if (pausedForFocus_ && outlet_)
            outlet_->guarded.pressLiftedKeysAgain();
        pausedForFocus_ = false;
    }
    if (!frontChecked_ || front != checkedFront_) {
        frontChecked_ = true;
        checkedFront_ = front;
        if (front != 0 && destination_->refusesInput(front)) {
            stopForRefusedDestination();
            return false;
        }
    }
    return true;
}

void SimulationRun::stopForRefusedDestination() {
    const std::uint64_t generation = generation_;
    showRunError(host_, std::u16string(runText(RunText::RefusedDestination, language_)));
    if (generation == generation_)
        finish(RunEnd::Error);
}

void SimulationRun::endPass() {
    ++completedPasses_;
    if (!repeatStack_.empty()) {
        const std::uint64_t generation = generation_;
        showRunError(host_, std::u16string(runText(RunText::OpeningBraceExcess, language_)),
                     RunIcon::Exclamation);
        if (generation == generation_)
            finish(RunEnd::Error);
        return;
    }
    position_ = 0;
    if (settings_.iLoopNum != 0) {
        ++passesDone_;
        if (passesDone_ >= static_cast<std::uint32_t>(settings_.iLoopNum)) {
            finish(RunEnd::Normal);
            return;
        }
    }
    host_.armSendTimer(interval_);
}

StepOutcome SimulationRun::processCharacter(char16_t unit) {
    const std::shared_ptr<Outlet> outlet = outlet_;
    KeyEventSink& sink = outlet ? static_cast<KeyEventSink&>(outlet->guarded) : sink_;
    switch (unit) {
    case u'\t':
        if (!settings_.iDisableTab)
            pressAndRelease(sink, kVkTab);
        return StepOutcome::Continue;
    case u' ':
        if (!settings_.iDisableSpace)
            pressAndRelease(sink, kVkSpace);
        return StepOutcome::Continue;
    case u'\n':
        if (!settings_.iDisableEnter)
            pressAndRelease(sink, kVkReturn);
        return StepOutcome::Continue;
    case u'\r':
        return StepOutcome::Continue;
    default:
        break;
    }
    const bool unicodeMode = settings_.iInputMode == InputMode::Unicode;
    if (!unicodeMode) {
        if (std::uint8_t vk = mapKeyboardChar(inputText_, position_)) {
            pressAndRelease(sink, vk);
            return StepOutcome::Continue;
        }
    }
    if (literal_) {
        sink.sendUnicodePair(unit);
        return StepOutcome::Continue;
    }
    NotationContext ctx{inputText_, position_, repeatStack_,        sink,
                        host_,      language_, settings_.iErrorStop};
    switch (unit) {
    case u'!':
        return pauseForUser(ctx);
    case u'[':
    case u'(':
        return parseKeyNotation(ctx);
    case u'{':
        return beginRepeatBlock(ctx);
    case u'}':
        return endRepeatBlock(ctx);
    default:
        break;
    }
    if (unicodeMode) {
        sink.sendUnicodePair(unit);
        return StepOutcome::Continue;
    }
    if (!settings_.iErrorStop)
        return StepOutcome::Continue;
    showRunError(host_, formatRunText(RunText::InvalidCharacter, language_,
                                      {std::u16string_view(&unit, 1)}));
    return StepOutcome::ErrorStop;
}

void SimulationRun::setCountdownTitle() {
    std::u16string title = host_.programTitle();
    host_.setTitle(
        formatRunText(RunText::CountdownTitle, language_, {decimalText(countdown_), title}));
}

void SimulationRun::setProgressTitle() {
    // 64-bit: in 32 bits, position * 100 wraps for texts of 43 million units.
    int percent = static_cast<int>(static_cast<std::uint64_t>(position_) * 100 / inputText_.size());
    if (percent != titlePercent_) {
        titlePercent_ = percent;
        progressTitle_ = formatRunText(RunText::ProgressTitle, language_, {decimalText(percent)});
    }
    host_.setTitle(progressTitle_);
}

std::int32_t initialCountdown(const RunSettings& s, RunTimeOfDay now) {
    if (s.iWaitMode == WaitMode::Seconds)
        return s.iWaitSec;
    // 64-bit so that out-of-range fields from a hand-edited store cannot
    // overflow; the store's load rules keep them in range anyway.
    std::int64_t seconds =
        ((static_cast<std::int64_t>(s.iTimeHour) - now.hour) * 60 + (s.iTimeMin - now.minute)) *
            60 +
        (s.iTimeSec - now.second);
    if (seconds < 0)
        seconds += 86400;
    return static_cast<std::int32_t>(seconds);
}

std::u16string buildInputText(std::u16string_view text, std::u16string_view prefix,
                              std::u16string_view suffix) {
    std::u16string out;
    std::size_t lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), u'\n'));
    out.reserve(text.size() + (lines + 1) * (prefix.size() + suffix.size() + 1));
    out.append(prefix);
    bool sawLineFeed = false;
    std::size_t i = 0;
    while (i < text.size()) {
        // Copy the run of ordinary units up to the next line break at once.
        std::size_t stop = text.find_first_of(u"\r\n", i);
        if (stop == std::u16string_view::npos)
            stop = text.size();
        out.append(text.substr(i, stop - i));
        if (stop == text.size())
            break;
        if (text[stop] == u'\n') {
            sawLineFeed = true;
            if (stop + 1 < text.size()) {
                out.append(suffix);
                out.push_back(u'\n');
                out.append(prefix);
            }
        }
        i = stop + 1;
    }
    out.append(suffix);
    if (sawLineFeed)
        out.push_back(u'\n');
    return out;
}

} // namespace tapwell
