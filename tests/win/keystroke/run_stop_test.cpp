// The run's stop without a user at the keyboard: the session-wide broadcast
// that another run's Esc sends, the wait that keeps messages flowing, and the
// console's events. The Esc itself needs a real key press (end-to-end tests).
#include "keystroke/run_stop_win32.h"
#include "support/win_driver.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace tapwell {
namespace {

// A window that counts the kEscStopMessage it gets.
struct Notified {
    static inline int count = 0;
    static LRESULT CALLBACK proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == kEscStopMessage)
            ++count;
        return DefWindowProcW(w, msg, wp, lp);
    }
    HWND window = [] {
        WNDCLASSW c{};
        c.lpfnWndProc = proc;
        c.lpszClassName = L"run stop test";
        RegisterClassW(&c);
        return CreateWindowExW(0, L"run stop test", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               nullptr, nullptr);
    }();
    Notified() { count = 0; }
    ~Notified() { DestroyWindow(window); }
};

} // namespace

// Another run's Esc reaches this one as the broadcast: it stops as for its
// own Esc, and only while it watches.
TEST(RunStop, TheBroadcastOfAnotherRunsEscStopsEveryWatchingRun) {
    Notified n;
    ASSERT_NE(runStopBroadcastMessage(), 0u);
    beginRunStopWatch(n.window, true);
    EXPECT_FALSE(runStopRequested());
    PostMessageW(HWND_BROADCAST, runStopBroadcastMessage(), 0, 0);
    EXPECT_TRUE(e2e::pumpUntil([] { return runStopRequested(); }, 2000));
    EXPECT_TRUE(e2e::pumpUntil([] { return Notified::count == 1; }, 1000));
    endRunStopWatch();

    // A run that does not watch for Esc (switched off) is not stopped.
    beginRunStopWatch(n.window, false);
    PostMessageW(HWND_BROADCAST, runStopBroadcastMessage(), 0, 0);
    EXPECT_FALSE(e2e::pumpUntil([] { return runStopRequested(); }, 500));
    EXPECT_EQ(Notified::count, 1);
    endRunStopWatch();
}

// The wait answers messages: a timer's tick runs during it, and the wait
// ends as soon as its run has ended, or at a stop.
TEST(RunStop, AWaitKeepsMessagesFlowingAndEndsWithItsRun) {
    beginRunStopWatch(nullptr, false);
    static bool ended = false;
    ended = false;
    const UINT_PTR timer =
        SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) { ended = true; });
    ULONGLONG start = GetTickCount64();
    waitWithMessages(
        10000, [](void*) { return ended; }, nullptr);
    KillTimer(nullptr, timer);
    EXPECT_TRUE(ended);
    EXPECT_LT(GetTickCount64() - start, 3000u);

    std::thread stopper([] {
        Sleep(100);
        requestRunStop();
    });
    start = GetTickCount64();
    waitWithMessages(10000, nullptr, nullptr);
    stopper.join();
    EXPECT_LT(GetTickCount64() - start, 3000u);
    endRunStopWatch();
}

// Ctrl+C stops the run and the program goes on to release what it holds;
// closing the console holds the process until that release is done.
TEST(RunStop, ConsoleEventsStopTheRunAndACloseWaitsForTheRelease) {
    beginRunStopWatch(nullptr, false);
    EXPECT_TRUE(consoleStopHandler(CTRL_C_EVENT));
    EXPECT_TRUE(runStopRequested());
    EXPECT_FALSE(consoleStopHandler(0x7F)) << "other events are the system's";

    beginRunStopWatch(nullptr, false);
    std::atomic<bool> returned{false};
    std::thread closing([&] { returned = consoleStopHandler(CTRL_CLOSE_EVENT); });
    EXPECT_TRUE(e2e::pumpUntil([] { return runStopRequested(); }, 1000));
    Sleep(300);
    EXPECT_FALSE(returned) << "the process would end before the release";
    markRunFinished();
    closing.join();
    EXPECT_TRUE(returned);
    endRunStopWatch();
}

} // namespace tapwell
