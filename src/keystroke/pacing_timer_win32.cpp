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
    if (!timer_)
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

void PacingTimer::setTimerLocked(std::int64_t dueUs) {
    // Relative, in 100 ns units (negative); a due time that has passed fires
    // at once.
    LARGE_INTEGER relative;
    relative.QuadPart = -std::max<std::int64_t>(1, (dueUs - nowUs()) * 10);
    SetWaitableTimer(timer_, &relative, 0, nullptr, nullptr, FALSE);
}

void PacingTimer::schedule(std::int64_t dueUs) {
    const std::int64_t leftUs = dueUs - nowUs();
    if (!timer_) {
        const std::int64_t leftMs = (leftUs + 999) / 1000;
        SetTimer(window_, windowTimerId_, static_cast<UINT>(std::max<std::int64_t>(1, leftMs)),
                 nullptr);
        return;
    }
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
        } else {
            armed_ = true;
            dueUs_ = dueUs;
            setTimerLocked(dueUs);
        }
    }
    if (postNow) {
        PostMessageW(window_, kPacingTickMessage, postNow, 0);
        return;
    }
    if (!thread_.joinable())
        thread_ = std::thread(&PacingTimer::run, this);
}

void PacingTimer::cancel() {
    if (!timer_) {
        KillTimer(window_, windowTimerId_);
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
    while (WaitForMultipleObjects(2, handles, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
        WPARAM post = 0;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            // The timer may have fired for a schedule since replaced or
            // cancelled (setting it again resets it, so only just then).
            if (!armed_)
                continue;
            if (dueUs_ - nowUs() > kCloseEnoughUs) {
                setTimerLocked(dueUs_);
                continue;
            }
            armed_ = false;
            post = sequence_;
        }
        PostMessageW(window_, kPacingTickMessage, post, 0);
    }
}

} // namespace tapwell
