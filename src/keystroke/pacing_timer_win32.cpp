#include "keystroke/pacing_timer_win32.h"

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
    wchar_t value[16] = {};
    const DWORD n = GetEnvironmentVariableW(L"TPW_PACING", value, 16);
    return !(n > 0 && n < 16 && _wcsicmp(value, L"window") == 0);
}

PacingTimer::PacingTimer(HWND window, UINT_PTR windowTimerId, bool allowHighResolution)
    : window_(window), windowTimerId_(windowTimerId) {
    if (!allowHighResolution)
        return;
    timer_ = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                    TIMER_ALL_ACCESS);
    if (!timer_)
        return;
    wake_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (!wake_) {
        CloseHandle(timer_);
        timer_ = nullptr;
    }
}

PacingTimer::~PacingTimer() {
    if (thread_.joinable()) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            quit_ = true;
        }
        SetEvent(wake_);
        thread_.join();
    }
    if (!timer_)
        KillTimer(window_, windowTimerId_);
    if (wake_)
        CloseHandle(wake_);
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

void PacingTimer::schedule(std::int64_t dueUs) {
    if (!timer_) {
        const std::int64_t leftMs = (dueUs - nowUs() + 999) / 1000;
        SetTimer(window_, windowTimerId_, static_cast<UINT>(std::max<std::int64_t>(1, leftMs)),
                 nullptr);
        return;
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        armed_ = true;
        dueUs_ = dueUs;
        ++sequence_;
    }
    if (!thread_.joinable())
        thread_ = std::thread(&PacingTimer::run, this);
    SetEvent(wake_);
}

void PacingTimer::cancel() {
    if (!timer_) {
        KillTimer(window_, windowTimerId_);
        return;
    }
    std::lock_guard<std::mutex> lock(mutex_);
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
    for (;;) {
        std::int64_t dueUs = 0;
        WPARAM sequence = 0;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (quit_)
                return;
            if (armed_) {
                dueUs = dueUs_;
                sequence = sequence_;
            }
        }
        if (sequence == 0) {
            WaitForSingleObject(wake_, INFINITE);
            continue;
        }
        const std::int64_t leftUs = dueUs - nowUs();
        if (leftUs > kCloseEnoughUs) {
            LARGE_INTEGER relative;
            relative.QuadPart = -leftUs * 10; // 100 ns units; negative: from now
            if (SetWaitableTimer(timer_, &relative, 0, nullptr, nullptr, FALSE)) {
                HANDLE handles[2] = {wake_, timer_};
                if (WaitForMultipleObjects(2, handles, FALSE, INFINITE) == WAIT_OBJECT_0)
                    CancelWaitableTimer(timer_);
            } else {
                Sleep(static_cast<DWORD>(leftUs / 1000));
            }
            continue; // a new schedule, a cancel, or the due time: look again
        }
        bool post = false;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (armed_ && sequence_ == sequence) {
                armed_ = false;
                post = true;
            }
        }
        if (post)
            PostMessageW(window_, kPacingTickMessage, sequence, 0);
    }
}

} // namespace tapwell
