// The pacing thread under Wine: ticks arrive as messages, one per schedule,
// and cancelled or replaced ones never reach the run; the window timer
// stands in when the high-resolution timer is forbidden.
#include "keystroke/pacer.h"
#include "keystroke/pacing_timer_win32.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

using namespace tapwell;

namespace {

constexpr UINT_PTR kTimerId = 118518;

struct Tick {
    UINT message;
    WPARAM wParam;
};

// A message-only window whose pacing and timer messages are collected.
class TickWindow {
  public:
    TickWindow() {
        hwnd_ = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                nullptr);
    }
    ~TickWindow() { DestroyWindow(hwnd_); }
    HWND hwnd() const { return hwnd_; }

    // Pumps for up to `ms`, returning early once `count` ticks have come.
    std::vector<Tick> collect(DWORD ms, std::size_t count = SIZE_MAX) {
        std::vector<Tick> ticks;
        const DWORD end = GetTickCount() + ms;
        while (ticks.size() < count) {
            const int left = static_cast<int>(end - GetTickCount());
            if (left <= 0)
                break;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left), QS_ALLINPUT);
            MSG m;
            while (PeekMessageW(&m, hwnd_, 0, 0, PM_REMOVE)) {
                if (m.message == kPacingTickMessage || m.message == WM_TIMER)
                    ticks.push_back({m.message, m.wParam});
                else
                    DispatchMessageW(&m);
            }
        }
        return ticks;
    }

  private:
    HWND hwnd_ = nullptr;
};

} // namespace

TEST(PacingTimer, ATickArrivesOnceAndIsAcceptedOnce) {
    TickWindow w;
    PacingTimer timer(w.hwnd(), kTimerId, true);
    ASSERT_TRUE(timer.highResolution()) << "Wine honours the high-resolution flag";
    timer.schedule(PacingTimer::nowUs() + 2000);
    std::vector<Tick> ticks = w.collect(200);
    ASSERT_EQ(ticks.size(), 1u);
    EXPECT_EQ(ticks[0].message, kPacingTickMessage);
    EXPECT_TRUE(timer.accept(ticks[0].wParam));
    EXPECT_FALSE(timer.accept(ticks[0].wParam)) << "a tick is used up";
    // A due time already past ticks at once.
    timer.schedule(PacingTimer::nowUs() - 5000);
    ticks = w.collect(200);
    ASSERT_EQ(ticks.size(), 1u);
    EXPECT_TRUE(timer.accept(ticks[0].wParam));
}

TEST(PacingTimer, CancelledAndReplacedTicksNeverCount) {
    TickWindow w;
    PacingTimer timer(w.hwnd(), kTimerId, true);
    // Deadlines far enough ahead that a loaded machine cannot let them pass
    // between two calls of the test.
    timer.schedule(PacingTimer::nowUs() + 300'000);
    timer.cancel();
    EXPECT_TRUE(w.collect(600).empty()) << "cancelled before it was due";

    // Posted, then cancelled before the window handled it (as when the run is
    // aborted with a tick in the queue): the run must not see it.
    timer.schedule(PacingTimer::nowUs());
    Sleep(100);
    timer.cancel();
    std::vector<Tick> ticks = w.collect(200);
    ASSERT_EQ(ticks.size(), 1u);
    EXPECT_FALSE(timer.accept(ticks[0].wParam));

    // A new schedule replaces one that has not ticked yet.
    timer.schedule(PacingTimer::nowUs() + 1'000'000);
    timer.schedule(PacingTimer::nowUs() + 1000);
    ticks = w.collect(1300);
    ASSERT_EQ(ticks.size(), 1u);
    EXPECT_TRUE(timer.accept(ticks[0].wParam));
}

TEST(PacingTimer, ForbiddenHighResolutionFallsBackToTheWindowTimer) {
    TickWindow w;
    PacingTimer timer(w.hwnd(), kTimerId, false);
    EXPECT_FALSE(timer.highResolution());
    timer.schedule(PacingTimer::nowUs() + 1000);
    std::vector<Tick> ticks = w.collect(1000, 1);
    ASSERT_EQ(ticks.size(), 1u);
    EXPECT_EQ(ticks[0].message, static_cast<UINT>(WM_TIMER));
    EXPECT_EQ(ticks[0].wParam, kTimerId);
    timer.cancel();
    EXPECT_TRUE(w.collect(100).empty());
}

TEST(PacingTimer, TheEnvironmentSwitchSelectsTheWindowTimer) {
    SetEnvironmentVariableW(L"TPW_PACING", L"window");
    EXPECT_FALSE(highResolutionPacingAllowed());
    SetEnvironmentVariableW(L"TPW_PACING", L"WINDOW");
    EXPECT_FALSE(highResolutionPacingAllowed());
    SetEnvironmentVariableW(L"TPW_PACING", L"windows");
    EXPECT_TRUE(highResolutionPacingAllowed());
    SetEnvironmentVariableW(L"TPW_PACING", nullptr);
    EXPECT_TRUE(highResolutionPacingAllowed());
}

TEST(PacingTimer, AThousandPacedTicksArriveOneAtATime) {
    TickWindow w;
    PacingTimer timer(w.hwnd(), kTimerId, true);
    Pacer pacer;
    const std::int64_t start = PacingTimer::nowUs();
    timer.schedule(pacer.next(start, 1));
    int accepted = 0;
    while (accepted < 1000) {
        std::vector<Tick> ticks = w.collect(2000, 1);
        ASSERT_EQ(ticks.size(), 1u) << "no tick after " << accepted;
        ASSERT_TRUE(timer.accept(ticks[0].wParam));
        ++accepted;
        // Nothing more is queued before the next schedule.
        MSG m;
        ASSERT_FALSE(
            PeekMessageW(&m, w.hwnd(), kPacingTickMessage, kPacingTickMessage, PM_NOREMOVE));
        timer.schedule(pacer.next(PacingTimer::nowUs(), 1));
    }
    timer.cancel();
    // For whoever reads the log; the pace itself is tools/pace.sh's to judge.
    std::printf("1000 ticks at 1 ms took %.1f ms\n",
                static_cast<double>(PacingTimer::nowUs() - start) / 1000.0);
}
