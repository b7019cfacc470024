#include "keystroke/pacer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

using namespace tapwell;

namespace {

// A sending phase on a virtual clock: each tick arrives at its due time plus
// some lateness, and its step then takes stepUs before the next due time is
// asked for. Records when every step ended (its keys were sent).
struct PacedRun {
    Pacer pacer;
    std::uint32_t intervalMs = 1;
    std::int64_t stepUs = 200;
    std::int64_t now = 1'000'000;
    std::int64_t due = 0;
    std::vector<std::int64_t> ticks;

    void begin() { due = pacer.next(now, intervalMs); }

    void units(int count, const std::function<std::int64_t(std::size_t)>& lateness) {
        for (int i = 0; i < count; ++i) {
            now = std::max(now, due) + lateness(ticks.size()) + stepUs;
            ticks.push_back(now);
            due = pacer.next(now, intervalMs);
        }
    }

    // The shortest time in which three units were sent, from unit `from` on.
    std::int64_t shortestThree(std::size_t from) const {
        std::int64_t shortest = INT64_MAX;
        for (std::size_t i = from + 2; i < ticks.size(); ++i)
            shortest = std::min(shortest, ticks[i] - ticks[i - 2]);
        return shortest;
    }
};

std::int64_t noDelay(std::size_t) {
    return 0;
}

} // namespace

TEST(Pacer, LateTimersAndStepsDoNotAddUp) {
    PacedRun r;
    r.intervalMs = 5;
    r.stepUs = 700;
    const std::int64_t start = r.now;
    r.begin();
    // Every tick is 0 to 3 ms late; a pace measured from the end of each
    // step would lose on average 2.2 ms a unit, 2.2 s over the run.
    r.units(1000, [](std::size_t k) { return static_cast<std::int64_t>(k * 7919 % 31) * 100; });
    EXPECT_LE(r.ticks.back() - start, 1000 * 5000 + 3000 + 700);
    EXPECT_EQ(r.due, start + 1001 * 5000) << "the next unit keeps to the grid";
}

TEST(Pacer, OnTimeTicksFollowTheGridExactly) {
    PacedRun r;
    r.intervalMs = 1;
    const std::int64_t start = r.now;
    r.begin();
    r.units(50, noDelay);
    for (std::size_t k = 0; k < r.ticks.size(); ++k)
        EXPECT_EQ(r.ticks[k], start + static_cast<std::int64_t>(k + 1) * 1000 + 200) << k;
}

TEST(Pacer, ADelayIsMadeUpWithoutThreeUnitsInOneInterval) {
    PacedRun r;
    r.intervalMs = 10;
    r.stepUs = 100;
    const std::int64_t start = r.now;
    r.begin();
    r.units(5, noDelay);
    r.units(1, [](std::size_t) { return 19'000; }); // behind, but within 20 ms
    r.units(20, noDelay);
    EXPECT_LT(r.ticks[6] - r.ticks[5], 1000) << "the next unit at once";
    EXPECT_GE(r.shortestThree(0), 10'000) << "an interval for any three units";
    // The lost time has been made up: later units are back on the grid.
    EXPECT_EQ(r.ticks.back(), start + 26 * 10'000 + 100);
}

TEST(Pacer, FallingFarBehindStartsAgainFromNowWithoutABurst) {
    PacedRun r;
    r.intervalMs = 1;
    r.begin();
    r.units(10, noDelay);
    r.units(1, [](std::size_t) { return 250'000; }); // the machine was busy
    const std::int64_t stalled = r.ticks.back();
    r.units(10, noDelay);
    EXPECT_EQ(r.ticks[11], stalled + 1000 + 200) << "due one interval after the late step";
    EXPECT_GE(r.shortestThree(10), 2000);
}

TEST(Pacer, TheLagLimitIsTwentyMillisecondsOrOneInterval) {
    struct Case {
        std::uint32_t intervalMs;
        std::int64_t limitUs;
    };
    for (Case c : {Case{1, 20'000}, Case{20, 20'000}, Case{50, 50'000}}) {
        const std::int64_t i = c.intervalMs * 1000;
        for (std::int64_t over : {0, 1}) {
            Pacer p;
            p.next(0, c.intervalMs);
            // The step of unit 1 ends so late that unit 2 is behind by the limit (+1 us).
            const std::int64_t now = 2 * i + c.limitUs + over;
            const std::int64_t due2 = p.next(now, c.intervalMs);
            if (over)
                EXPECT_EQ(due2, now + i) << c.intervalMs << ": a new schedule";
            else
                EXPECT_EQ(due2, 2 * i) << c.intervalMs << ": still on the grid, so at once";
        }
    }
}

TEST(Pacer, ResetAndANewIntervalStartAScheduleFromNow) {
    Pacer p;
    EXPECT_FALSE(p.scheduled());
    EXPECT_EQ(p.next(100, 20), 20'100);
    EXPECT_TRUE(p.scheduled());
    p.reset(); // a step blocked for half a second
    EXPECT_FALSE(p.scheduled());
    EXPECT_EQ(p.next(520'000, 20), 540'000);
    EXPECT_EQ(p.next(540'300, 20), 560'000);
    EXPECT_EQ(p.next(541'000, 7), 548'000) << "another interval: a new schedule";
}
