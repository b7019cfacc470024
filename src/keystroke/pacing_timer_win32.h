// Ticks for the sending phase at due times finer than a window timer can
// keep (which never ticks sooner than 10 ms, on Windows every 15.6 ms in
// practice). The caller sets a high-resolution waitable timer; a small thread
// waits on it and posts kPacingTickMessage to the window when the due time
// has come: one tick at a time, as the next is only scheduled once the last
// has been handled.
// Where the system refuses such a timer (before Windows 10 1803), or the
// caller forbids it, the window timer with the given identifier stands in,
// armed for the time left until the due time.
#pragma once

#include <windows.h>

#include <cstdint>
#include <mutex>
#include <thread>

namespace tapwell {

// wParam: the sequence number of the tick, for PacingTimer::accept.
inline constexpr UINT kPacingTickMessage = WM_APP + 0x118;

// The system calls that arm a run's timers and wait on them. Tests replace
// them to make them fail; the program never does.
struct TimerCalls {
    UINT_PTR(WINAPI* setTimer)(HWND, UINT_PTR, UINT, TIMERPROC) = ::SetTimer;
    BOOL(WINAPI* setWaitableTimer)
    (HANDLE, const LARGE_INTEGER*, LONG, PTIMERAPCROUTINE, LPVOID, BOOL) = ::SetWaitableTimer;
    DWORD(WINAPI* waitForMultipleObjects)
    (DWORD, const HANDLE*, BOOL, DWORD) = ::WaitForMultipleObjects;
};
TimerCalls& timerCalls();

// False when the environment variable TPW_PACING is "window": the tests'
// and the benchmark's switch to the window timer.
bool highResolutionPacingAllowed();

class PacingTimer {
  public:
    PacingTimer(HWND window, UINT_PTR windowTimerId, bool allowHighResolution);
    PacingTimer(const PacingTimer&) = delete;
    PacingTimer& operator=(const PacingTimer&) = delete;
    ~PacingTimer();

    // False also once a failure has brought in the window timer.
    bool highResolution();

    // Microseconds of the clock that due times are given in (monotonic).
    static std::int64_t nowUs();

    // One tick at dueUs (at once if that has passed), replacing any tick
    // that has not been delivered yet. False when no timer could be armed at
    // all (the window timer refused too): no tick will come.
    [[nodiscard]] bool schedule(std::int64_t dueUs);
    // No tick until the next schedule; a tick already posted is refused by
    // accept.
    void cancel();
    // For a kPacingTickMessage: true if it is the tick of the current
    // schedule, which is then used up.
    bool accept(WPARAM sequence);

  private:
    void run();
    // With mutex_ held. False when the system refused.
    bool setTimerLocked(std::int64_t dueUs);
    bool scheduleWindowTimer(std::int64_t leftUs);
    bool usesWindowTimer();

    HWND window_;
    UINT_PTR windowTimerId_;
    HANDLE timer_ = nullptr;
    HANDLE quitEvent_ = nullptr;
    std::thread thread_;
    std::mutex mutex_;
    // Guarded by mutex_.
    bool armed_ = false;
    // The high-resolution timer or its wait failed: the window timer for
    // the rest of this timer's life.
    bool windowFallback_ = false;
    std::int64_t dueUs_ = 0;
    WPARAM sequence_ = 0;
};

} // namespace tapwell
