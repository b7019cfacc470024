#include "keystroke/pacing_timer_win32.h"

#include "common/windows_glue_win32.h"

#include <algorithm>
#include <cwchar>

// Missing from Debian's mingw-w64 headers; Windows 10 1803 and later.
#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace tapwell {

namespace {

// A wait this close to the due time is not worth another round.
constexpr std::int64_t kCloseEnoughUs = 50;

std::int64_t performanceFrequency() {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f.QuadPart;
}

} // namespace

TimerCalls& timerCalls() {
    static TimerCalls calls;
    return calls;
}

bool highResolutionPacingAllowed() {
    const auto value = environmentVariable(u"TPW_PACING");
    return !(value && equalsIgnoringAsciiCase(*value, u"window"));
}

PacingTimer::PacingTimer(HWND window, UINT_PTR windowTimerId, bool allowHighResolution)
    : window_(window), windowTimerId_(windowTimerId) {
    if (!allowHighResolution)
        return;
    timer_ = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                    TIMER_ALL_ACCESS);
    if (!timer_)
        return;
    quitEvent_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!quitEvent_) {
        CloseHandle(timer_);
        timer_ = nullptr;
    }
}

PacingTimer::~PacingTimer() {
    if (thread_.joinable()) {
        SetEvent(quitEvent_);
        thread_.join();
    }
    if (usesWindowTimer())
        KillTimer(window_, windowTimerId_);
    if (quitEvent_)
        CloseHandle(quitEvent_);
    if (timer_)
        CloseHandle(timer_);
}

std::int64_t PacingTimer::nowUs() {
    static const std::int64_t frequency = performanceFrequency();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    // Split so that the multiplication cannot overflow after long uptimes.
    return now.QuadPart / frequency * 1'000'000 + now.QuadPart % frequency * 1'000'000 / frequency;
}

bool PacingTimer::highResolution() {
    return !usesWindowTimer();
}

bool PacingTimer::usesWindowTimer() {
    if (!timer_)
        return true;
    std::lock_guard<std::mutex> lock(mutex_);
    return windowFallback_;
}

bool PacingTimer::setTimerLocked(std::int64_t dueUs) {
    // Relative, in 100 ns units (negative); a due time that has passed fires
    // at once.
    LARGE_INTEGER relative;
    relative.QuadPart = -std::max<std::int64_t>(1, (dueUs - nowUs()) * 10);
    return timerCalls().setWaitableTimer(timer_, &relative, 0, nullptr, nullptr, FALSE) != 0;
}

bool PacingTimer::scheduleWindowTimer(std::int64_t leftUs) {
    const std::int64_t leftMs = (leftUs + 999) / 1000;
    return timerCalls().setTimer(window_, windowTimerId_,
                                 static_cast<UINT>(std::max<std::int64_t>(1, leftMs)),
                                 nullptr) != 0;
}

bool PacingTimer::schedule(std::int64_t dueUs) {
    const std::int64_t leftUs = dueUs - nowUs();
    if (usesWindowTimer())
        return scheduleWindowTimer(leftUs);
    WPARAM postNow = 0;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ++sequence_;
        if (leftUs <= kCloseEnoughUs) {
            // Due already (the run is catching up): no timer, no thread, and
            // still only this one tick until it has been handled.
            if (armed_)
                CancelWaitableTimer(timer_);
            armed_ = false;
            postNow = sequence_;
        } else if (setTimerLocked(dueUs)) {
            armed_ = true;
            dueUs_ = dueUs;
        } else {
            armed_ = false;
            windowFallback_ = true;
        }
    }
    if (postNow)
        return PostMessageW(window_, kPacingTickMessage, postNow, 0) != 0;
    if (usesWindowTimer())
        return scheduleWindowTimer(leftUs);
    if (!thread_.joinable())
        thread_ = std::thread(&PacingTimer::run, this);
    return true;
}

void PacingTimer::cancel() {
    if (usesWindowTimer()) {
        KillTimer(window_, windowTimerId_);
        if (!timer_)
            return;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    // Every tick cancels before its step; a timer that is not set is left
    // alone, which spares a call into the system a thousand times a second.
    if (armed_)
        CancelWaitableTimer(timer_);
    armed_ = false;
    ++sequence_;
}

bool PacingTimer::accept(WPARAM sequence) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (sequence != sequence_)
        return false;
    // Used up: a copy of the message could not tick twice.
    ++sequence_;
    return true;
}

void PacingTimer::run() {
    HANDLE handles[2] = {quitEvent_, timer_};
    for (;;) {
        const DWORD got = timerCalls().waitForMultipleObjects(2, handles, FALSE, INFINITE);
        if (got == WAIT_OBJECT_0)
            return;
        WPARAM post = 0;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (got != WAIT_OBJECT_0 + 1) {
                // The wait itself failed: the tick it owed is given at once,
                // and the window timer takes over from the next schedule on.
                windowFallback_ = true;
                post = armed_ ? sequence_ : 0;
                armed_ = false;
            } else if (!armed_) {
                // The timer may have fired for a schedule since replaced or
                // cancelled (setting it again resets it, so only just then).
                continue;
            } else if (dueUs_ - nowUs() > kCloseEnoughUs && setTimerLocked(dueUs_)) {
                continue;
            } else {
                armed_ = false;
                post = sequence_;
            }
        }
        if (post)
            PostMessageW(window_, kPacingTickMessage, post, 0);
        if (got != WAIT_OBJECT_0 + 1)
            return;
    }
}

} // namespace tapwell
