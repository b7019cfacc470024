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
    std::uint32_t intervalMs;
    std::int64_t stepUs;
    Pacer pacer;
    std::int64_t start = 1'000'000, now = start;
    std::int64_t due = pacer.next(now, intervalMs);
    std::vector<std::int64_t> ticks;

    void units(int count, std::function<std::int64_t(std::size_t)> lateness = {}) {
        for (int i = 0; i < count; ++i) {
            now = std::max(now, due) + (lateness ? lateness(ticks.size()) : 0) + stepUs;
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

} // namespace

TEST(Pacer, OnTimeTicksFollowTheGridAndLateOnesDoNotAddUp) {
    PacedRun exact{1, 200};
    exact.units(50);
    for (std::size_t k = 0; k < exact.ticks.size(); ++k)
        EXPECT_EQ(exact.ticks[k], exact.start + std::int64_t(k + 1) * 1000 + 200) << k;

    // Every tick is 0 to 3 ms late; a pace measured from the end of each
    // step would lose on average 2.2 ms a unit, 2.2 s over the run.
    PacedRun late{5, 700};
    late.units(1000, [](std::size_t k) { return std::int64_t(k * 7919 % 31) * 100; });
    EXPECT_LE(late.ticks.back() - late.start, 1000 * 5000 + 3000 + 700);
    EXPECT_EQ(late.due, late.start + 1001 * 5000) << "the next unit keeps to the grid";
}

TEST(Pacer, ADelayIsMadeUpWithoutABurstAndAStallStartsAgainFromNow) {
    PacedRun r{10, 100};
    r.units(5);
    r.units(1, [](std::size_t) { return 19'000; }); // behind, but within 20 ms
    r.units(20);
    EXPECT_LT(r.ticks[6] - r.ticks[5], 1000) << "the next unit at once";
    EXPECT_GE(r.shortestThree(0), 10'000) << "an interval for any three units";
    EXPECT_EQ(r.ticks.back(), r.start + 26 * 10'000 + 100) << "back on the grid";

    PacedRun stalled{1, 200};
    stalled.units(10);
    stalled.units(1, [](std::size_t) { return 250'000; }); // the machine was busy
    stalled.units(10);
    EXPECT_EQ(stalled.ticks[11], stalled.ticks[10] + 1000 + 200) << "one interval after";
    EXPECT_GE(stalled.shortestThree(10), 2000);
}

TEST(Pacer, TheLagLimitIsTwentyMillisecondsOrOneIntervalAndAResetStartsAfresh) {
    const std::pair<std::uint32_t, std::int64_t> limits[] = {
        {1, 20'000}, {20, 20'000}, {50, 50'000}};
    for (const auto& [intervalMs, limitUs] : limits) {
        const std::int64_t i = intervalMs * 1000;
        for (std::int64_t over : {0, 1}) {
            Pacer p;
            p.next(0, intervalMs);
            // The step of unit 1 ends so late that unit 2 is behind by the limit (+1 us):
            // within it, still on the grid, so at once; beyond, a new schedule.
            const std::int64_t now = 2 * i + limitUs + over;
            EXPECT_EQ(p.next(now, intervalMs), over ? now + i : 2 * i) << intervalMs;
        }
    }
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
