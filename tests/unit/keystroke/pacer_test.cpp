// The grid of due times that paces the sending phase, with a virtual clock.
#include "keystroke/pacer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

using namespace tapwell;

TEST(Pacer, UnitsKeepToTheGridOfTheFirstAndCatchUpWithoutAThirdUnitInAnInterval) {
    Pacer p;
    EXPECT_FALSE(p.scheduled());
    EXPECT_EQ(p.next(0, 10), 10'000);
    EXPECT_TRUE(p.scheduled());
    // A late tick or a slow step does not move the grid: lateness never adds up.
    EXPECT_EQ(p.next(10'500, 10), 20'000);
    // Behind, within the limit: the next unit at once (its grid time is past)...
    EXPECT_EQ(p.next(39'000, 10), 30'000);
    // ...but the one after waits an interval after the step before the last.
    EXPECT_EQ(p.next(39'100, 10), 49'000);
    EXPECT_EQ(p.next(49'000, 10), 50'000) << "back on the grid";
    p.reset(); // a step blocked for half a second
    EXPECT_FALSE(p.scheduled());
    EXPECT_EQ(p.next(520'000, 20), 540'000);
    EXPECT_EQ(p.next(540'300, 20), 560'000);
    EXPECT_EQ(p.next(541'000, 7), 548'000) << "another interval: a new schedule";
}

TEST(Pacer, FallingBehindByMoreThanTwentyMillisecondsOrAnIntervalStartsAgainFromNow) {
    const std::pair<std::uint32_t, std::int64_t> limits[] = {
        {1, 20'000}, {20, 20'000}, {50, 50'000}};
    for (const auto& [intervalMs, limitUs] : limits) {
        const std::int64_t i = intervalMs * 1000;
        for (std::int64_t over : {0, 1}) {
            Pacer p;
            p.next(0, intervalMs);
            // The step of unit 1 ends so late that unit 2 is behind by the limit (+1 us):
            // within it, still on the grid, so at once; beyond, a new schedule from now.
            const std::int64_t now = 2 * i + limitUs + over;
            EXPECT_EQ(p.next(now, intervalMs), over ? now + i : 2 * i) << intervalMs;
            EXPECT_EQ(p.next(now + 1, intervalMs), over ? now + 2 * i : std::max(3 * i, now + i))
                << intervalMs;
        }
    }
}
