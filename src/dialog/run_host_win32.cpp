
#include "dialog/run_host_win32.h"

#include "dialog/main_dialog_win32.h"
#include "dialog/script_thread_win32.h"
#include "keystroke/keystroke_win32.h"
#include "keystroke/run_stop_win32.h"
#include "resource.h"
#include "script/script_runner.h"
#include "script/services_win32.h"
#include "settings/process_state.h"
#include "settings/settings_stores_win32.h"
#include "theme/theme_win32.h"

namespace tapwell {

RunSettings runSettingsFrom(const Settings& s) {
    RunSettings r;
    r.iInputMode = s.iInputMode;
    r.iWaitMode = s.iWaitMode;
    r.iWaitSec = s.iWaitSec;
    r.iTimeHour = s.iTimeHour;
    r.iTimeMin = s.iTimeMin;
    r.iTimeSec = s.iTimeSec;
    r.iWaitMSec = s.iWaitMSec;
    r.iLoopNum = s.iLoopNum;
    r.iErrorStop = s.iErrorStop != 0;
    r.iDisableTab = s.iDisableTab != 0;
    r.iDisableSpace = s.iDisableSpace != 0;
    r.iDisableEnter = s.iDisableEnter != 0;
    r.iDelivery = s.iDelivery;
    r.iTargetLayout = s.iTargetLayout;
    r.iFocusGuard = s.iFocusGuard != 0;
    r.iImeMode = static_cast<ImeMode>(s.iImeMode < 3 ? s.iImeMode : 0);
    r.iCapsLockMode = s.iCapsLockMode == 1 ? CapsLockMode::Leave : CapsLockMode::TurnOffAndRestore;
    return r;
}

bool DialogRunHost::acceptPacingTick(WPARAM sequence) {
    return pacing_.accept(sequence);
}

void DialogRunHost::armRunTimer(std::uint32_t periodMs) {
    pacer_.reset();
    pacing_.cancel();
    windowTimer_ = true;
    if (!timerCalls().setTimer(dialog_, RUN_TIMER_ID, periodMs, nullptr))
        reportTimerFailure();
}

// Without its timer the run would wait for a tick that never comes, with
// the controls locked; the dialog ends it with a message instead.
void DialogRunHost::reportTimerFailure() {
    const DWORD error = GetLastError();
    PostMessageW(dialog_, kRunTimerFailedMessage, error, 0);
}

void DialogRunHost::armSendTimer(std::uint32_t intervalMs) {
    // The countdown's timer is still set when the sending phase begins.
    if (windowTimer_)
        KillTimer(dialog_, RUN_TIMER_ID);
    windowTimer_ = false;
    const std::int64_t now = PacingTimer::nowUs();
    if (!pacing_.schedule(pacer_.next(now, intervalMs)))
        reportTimerFailure();
}

void DialogRunHost::killRunTimer() {
    // Killed at every tick of the sending phase, where only pacing_ is set.
    if (windowTimer_)
        KillTimer(dialog_, RUN_TIMER_ID);
    windowTimer_ = false;
    pacing_.cancel();
}

void DialogRunHost::setTitle(std::u16string_view title) {
    std::u16string copy(title);
    // The run sets its title on every tick, a thousand times a second at the
    // finest interval; reading our own window's text is cheap, a new caption
    // is not (under Wine it goes to the X server).
    if (GetWindowTextLengthW(dialog_) == static_cast<int>(copy.size()) &&
        windowText(dialog_) == copy)
        return;
    SetWindowTextW(dialog_, wide(copy));
}

void DialogRunHost::showMessage(const RunMessage& message) {
    pacer_.reset(); // the next unit is due one interval after the box has closed
    UINT flags = MB_OK;
    switch (message.icon) {
    case RunIcon::Error:
        flags |= MB_ICONERROR;
        break;
    case RunIcon::Exclamation:
        flags |= MB_ICONEXCLAMATION;
        break;
    case RunIcon::Information:
        flags |= MB_ICONINFORMATION;
        break;
    case RunIcon::Question:
        flags |= MB_ICONQUESTION;
        break;
    }
    if (message.owner == RunMessageOwner::None)
        showDialogMessage(nullptr, message.text, flags | MB_SYSTEMMODAL);
    else
        showDialogMessage(dialog_, message.text, flags);
}

void DialogRunHost::setRunUi(RunUi look) {
    const bool running = look == RunUi::Running;
    ++looksShown_; // a wait in progress belongs to the run before
    if (running) {
        beginRunStopWatch(dialog_, appState().settings.iEscAbort != 0);
        if (!runStopEventReady())
            reportTimerFailure();
    } else
        endRunStopWatch();
    applyRunLook(dialog_, menu_, running);
}

void DialogRunHost::closeDialog() {
    EndDialog(dialog_, 0);
}

// The dialog keeps answering during the wait: Abort (or the user's Esc) ends
// the run and with it the wait, at once. The run's step checks afterwards
// whether its run is still the one going on.
void DialogRunHost::sleep(std::uint32_t ms) {
    struct Since {
        const DialogRunHost* host;
        std::uint64_t looks;
    } since{this, looksShown_};
    waitWithMessages(
        ms,
        [](void* c) {
            const auto* s = static_cast<const Since*>(c);
            return s->host->looksShown_ != s->looks;
        },
        &since);
    pacer_.reset(); // the next unit is due one interval after the wait
}

RunTimeOfDay DialogRunHost::localTime() {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    return {t.wHour, t.wMinute, t.wSecond};
}

std::u16string DialogRunHost::readTextBox() {
    std::u16string text = controlText16(dialog_, IDC_TEXT);
    appState().InputText = text;
    return text;
}

std::u16string DialogRunHost::readPrefixBox() {
    return controlText16(dialog_, IDC_PREFIX);
}

std::u16string DialogRunHost::readSuffixBox() {
    return controlText16(dialog_, IDC_SUFFIX);
}

bool DialogRunHost::textBoxEmpty() {
    return GetWindowTextLengthW(GetDlgItem(dialog_, IDC_TEXT)) == 0;
}

RunSettings DialogRunHost::saveSettings() {
    SaveSettings(dialog_);
    started_ = runSettingsFrom(appState().settings);
    return started_;
}

bool DialogRunHost::startScript(std::u16string text) {
    return startScriptThread(dialog_, std::move(text), started_.iDelivery, started_.iTargetLayout);
}

void DialogRunHost::pauseScript(bool paused) {
    pauseScriptThread(paused);
}

std::u16string DialogRunHost::programTitle() {
    return appState().programTitle;
}

Language DialogRunHost::language() {
    return appState().language == Language::English ? Language::English : Language::Japanese;
}

} // namespace tapwell
