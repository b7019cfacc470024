// The interruptible wait and the stand-ins the dry run uses for the clock and
// message boxes (the dry run's printed lines are checked by the golden tests).
#include "script/builtin_messages.h"
#include "script/services.h"
#include "script/services_fake.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace tapwell {
namespace {

struct Flag : StopQuery {
    std::atomic<bool> set{false};
    bool stopRequested() const override { return set.load(); }
};

TEST(InterruptibleSleep, EndsEarlyOnlyWhenAStopIsRequested) {
    Flag flag;
    EXPECT_FALSE(interruptibleSleep(0, flag));
    EXPECT_FALSE(interruptibleSleep(5, flag));
    std::thread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        flag.set = true;
    });
    // An hour: if the request were not seen, the test would hang and time out.
    EXPECT_TRUE(interruptibleSleep(3600000, flag));
    stopper.join();
    EXPECT_TRUE(interruptibleSleep(0, flag));
}

TEST(FakeServices, ClockCrossesMonthsYearsAndWeekdays) {
    FakeScriptServices fake;
    EXPECT_EQ(fake.localTime(), (LocalTime{2024, 1, 1, 1, 9, 0, 0, 0}));
    fake.setLocalTime({1999, 12, 0, 31, 23, 59, 59, 999});
    EXPECT_EQ(fake.localTime().dayOfWeek, 5); // a Friday
    fake.advance(1);
    EXPECT_EQ(fake.localTime(), (LocalTime{2000, 1, 6, 1, 0, 0, 0, 0}));
    fake.advance(59ull * 86400000); // 2000 is a leap year
    EXPECT_EQ(fake.localTime(), (LocalTime{2000, 2, 2, 29, 0, 0, 0, 0}));
    fake.setLocalTime({2100, 2, 0, 28, 12, 0, 0, 0}); // 2100 is not
    fake.advance(86400000);
    EXPECT_EQ(fake.localTime(), (LocalTime{2100, 3, 1, 1, 12, 0, 0, 0}));
}

TEST(ScriptedMessageBoxes, AnswersInOrderThenWithTheFirstButton) {
    std::vector<std::string> lines;
    ScriptedMessageBoxes boxes([&](const std::string& l) { lines.push_back(l); });
    boxes.addAnswer(*ScriptedMessageBoxes::parseAnswer("no"));
    boxes.addAnswer(*ScriptedMessageBoxes::parseAnswer("yes")); // not offered by an OK box
    EXPECT_EQ(boxes.show("a\"b\\c\r\nd\te", "日本", 36), message_box::IdNo);
    const std::pair<std::uint32_t, int> firstButtons[] = {
        {0, message_box::IdOk},       {33, message_box::IdOk},      {35, message_box::IdYes},
        {0x12, message_box::IdAbort}, {0x05, message_box::IdRetry}, {0x06, message_box::IdCancel}};
    for (const auto& [flags, button] : firstButtons)
        EXPECT_EQ(boxes.show("x", "y", flags), button) << flags;
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "box 36 \"日本\" \"a\\\"b\\\\c\\r\\nd\te\"");
}

} // namespace
} // namespace tapwell
