// The pacing thread under Wine: ticks arrive as messages, one per schedule;
// cancelled or replaced ones never reach the run.
#include "keystroke/pacer.h"
#include "keystroke/pacing_timer_win32.h"

#include <gtest/gtest.h>

using namespace tapwell;

constexpr UINT_PTR kTimerId = 118518;

// A message-only window; collect() returns what was posted to it (nothing
// but ticks) within `ms` or once there are `count`.
struct TickWindow {
    HWND hwnd =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ~TickWindow() { DestroyWindow(hwnd); }
    std::vector<MSG> collect(DWORD ms, std::size_t count = SIZE_MAX) {
        std::vector<MSG> ticks;
        for (DWORD end = GetTickCount() + ms; ticks.size() < count;) {
            const int left = int(end - GetTickCount());
            if (left <= 0)
                break;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, DWORD(left), QS_ALLINPUT);
            for (MSG m; PeekMessageW(&m, hwnd, 0, 0, PM_REMOVE);)
                ticks.push_back(m);
        }
        return ticks;
    }
};

TEST(PacingTimer, EachScheduleGivesOneTickAcceptedOnceUnlessCancelledOrReplaced) {
    TickWindow w;
    PacingTimer timer(w.hwnd, kTimerId, true);
    ASSERT_TRUE(timer.highResolution()) << "Wine honours the high-resolution flag";
    // A due time ahead, one already past that ticks at once, and one
    // replacing another that has not ticked yet.
    const std::pair<std::int64_t, bool> schedules[] = {{1000, false}, {-5000, false}, {1000, true}};
    for (auto [due, replacing] : schedules) {
        if (replacing) {
            EXPECT_TRUE(timer.schedule(PacingTimer::nowUs() + 1'000'000));
        }
        ASSERT_TRUE(timer.schedule(PacingTimer::nowUs() + due));
        std::vector<MSG> ticks = w.collect(replacing ? 1300 : 200);
        ASSERT_EQ(ticks.size(), 1u) << due << replacing;
        EXPECT_EQ(ticks[0].message, kPacingTickMessage);
        EXPECT_TRUE(timer.accept(ticks[0].wParam));
        EXPECT_FALSE(timer.accept(ticks[0].wParam)) << "a tick is used up";
    }
    // Far enough ahead that a loaded machine cannot let it pass meanwhile.
    EXPECT_TRUE(timer.schedule(PacingTimer::nowUs() + 300'000));
    timer.cancel();
    EXPECT_TRUE(w.collect(600).empty()) << "cancelled before it was due";
    // Posted, then cancelled before the window handled it (a run aborted
    // with a tick in the queue): the run must not see it.
    EXPECT_TRUE(timer.schedule(PacingTimer::nowUs()));
    Sleep(100);
    timer.cancel();
    std::vector<MSG> ticks = w.collect(200);
    ASSERT_EQ(ticks.size(), 1u);
    EXPECT_FALSE(timer.accept(ticks[0].wParam));

    // A thousand paced ticks: never a second one queued before the next schedule.
    Pacer pacer;
    EXPECT_TRUE(timer.schedule(pacer.next(PacingTimer::nowUs(), 1)));
    for (int accepted = 0; accepted < 1000; ++accepted) {
        ticks = w.collect(2000, 1);
        ASSERT_EQ(ticks.size(), 1u) << "no tick after " << accepted;
        ASSERT_TRUE(timer.accept(ticks[0].wParam));
        MSG m;
        ASSERT_FALSE(PeekMessageW(&m, w.hwnd, kPacingTickMessage, kPacingTickMessage, PM_NOREMOVE));
        EXPECT_TRUE(timer.schedule(pacer.next(PacingTimer::nowUs(), 1)));
    }
}

namespace {

UINT_PTR WINAPI refuseWindowTimer(HWND, UINT_PTR, UINT, TIMERPROC) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
}
BOOL WINAPI refuseWaitableTimer(HANDLE, const LARGE_INTEGER*, LONG, PTIMERAPCROUTINE, LPVOID,
                                BOOL) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
}
DWORD WINAPI failWait(DWORD, const HANDLE*, BOOL, DWORD) {
    SetLastError(ERROR_INVALID_HANDLE);
    return WAIT_FAILED;
}

// Puts the system's calls back whatever the test did.
struct RestoredTimerCalls {
    ~RestoredTimerCalls() { timerCalls() = TimerCalls{}; }
};

} // namespace

// The window timer stands in when high resolution is forbidden or refused, or
// when a wait on it fails (the tick owed by the failed wait still arrives,
// once), instead of leaving the run waiting for a tick that never comes. When
// the window timer is refused too, the caller hears of it.
TEST(PacingTimer, TheWindowTimerStandsInWhenHighResolutionIsForbiddenOrFails) {
    const std::pair<const wchar_t*, bool> switches[] = {
        {L"window", false}, {L"WINDOW", false}, {L"windows", true}, {nullptr, true}};
    for (auto [value, allowed] : switches) {
        SetEnvironmentVariableW(L"TPW_PACING", value);
        EXPECT_EQ(highResolutionPacingAllowed(), allowed) << (value ? value : L"unset");
    }
    RestoredTimerCalls restore;
    TickWindow w;
    // Exactly one tick of the window timer for a schedule 2 ms ahead.
    const auto windowTick = [&w](PacingTimer& timer) {
        const bool scheduled = timer.schedule(PacingTimer::nowUs() + 2000);
        std::vector<MSG> ticks = w.collect(1000, 1);
        return scheduled && ticks.size() == 1 && ticks[0].message == WM_TIMER &&
               ticks[0].wParam == kTimerId;
    };
    {
        PacingTimer forbidden(w.hwnd, kTimerId, false);
        EXPECT_FALSE(forbidden.highResolution());
        EXPECT_TRUE(windowTick(forbidden));
        forbidden.cancel();
        EXPECT_TRUE(w.collect(100).empty());

        PacingTimer timer(w.hwnd, kTimerId, true);
        ASSERT_TRUE(timer.highResolution());
        timerCalls().setWaitableTimer = refuseWaitableTimer;
        EXPECT_TRUE(windowTick(timer));
        EXPECT_FALSE(timer.highResolution());
        timer.cancel();
        timerCalls().setTimer = refuseWindowTimer;
        EXPECT_FALSE(timer.schedule(PacingTimer::nowUs() + 2000));
    }
    timerCalls() = TimerCalls{};
    EXPECT_TRUE(w.collect(100).empty());

    PacingTimer timer(w.hwnd, kTimerId, true);
    timerCalls().waitForMultipleObjects = failWait;
    EXPECT_TRUE(timer.schedule(PacingTimer::nowUs() + 300'000));
    std::vector<MSG> ticks = w.collect(1000, 1);
    ASSERT_EQ(ticks.size(), 1u) << "the failed wait's tick never came";
    EXPECT_EQ(ticks[0].message, kPacingTickMessage);
    EXPECT_TRUE(timer.accept(ticks[0].wParam));
    EXPECT_FALSE(timer.highResolution());
    EXPECT_TRUE(windowTick(timer));
    timer.cancel();
}
