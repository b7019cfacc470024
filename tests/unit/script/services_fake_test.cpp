#include "keystroke/recording_sink.h"
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

TEST(InterruptibleSleep, EndsEarlyWhenAStopIsRequested) {
    Flag flag;
    std::thread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        flag.set = true;
    });
    // An hour: if the request were not seen, the test would hang and time out.
    EXPECT_TRUE(interruptibleSleep(3600000, flag));
    stopper.join();
}

TEST(InterruptibleSleep, ShortWaitsRunToTheirEnd) {
    Flag flag;
    EXPECT_FALSE(interruptibleSleep(0, flag));
    EXPECT_FALSE(interruptibleSleep(5, flag));
    flag.set = true;
    EXPECT_TRUE(interruptibleSleep(0, flag));
}

TEST(FakeServices, PrintsDryRunLines) {
    std::vector<std::string> lines;
    FakeScriptServices fake([&](const std::string& l) { lines.push_back(l); });
    Flag flag;
    fake.sleep(250, flag);
    fake.mouseEvent(0x0800, 0, 0, -120);
    fake.mouseEvent(0x0001, -3, 4, 0);
    fake.setCursorPosition(10, -20);
    fake.messageBeep(0xFFFFFFFFu);
    fake.messageBeep(48);
    const std::vector<std::string> expected = {"sleep 250",         "mouse 0800 0 0 -120",
                                               "mouse 0001 -3 4 0", "setcursor 10 -20",
                                               "beep -1",           "beep 48"};
    EXPECT_EQ(lines, expected);
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
    EXPECT_EQ(boxes.show("Go?", "Question", 36), message_box::IdNo);
    EXPECT_EQ(boxes.show("x", "y", 0), message_box::IdOk);
    EXPECT_EQ(boxes.show("x", "y", 33), message_box::IdOk);
    EXPECT_EQ(boxes.show("x", "y", 35), message_box::IdYes);
    EXPECT_EQ(boxes.show("x", "y", 0x12), message_box::IdAbort);
    EXPECT_EQ(boxes.show("x", "y", 0x05), message_box::IdRetry);
    EXPECT_EQ(boxes.show("x", "y", 0x06), message_box::IdCancel);
    EXPECT_EQ(lines[0], "box 36 \"Question\" \"Go?\"");
    EXPECT_EQ(lines.size(), 7u);
}

TEST(ScriptedMessageBoxes, EscapesTexts) {
    std::vector<std::string> lines;
    ScriptedMessageBoxes boxes([&](const std::string& l) { lines.push_back(l); });
    boxes.show("a\"b\\c\r\nd\te", "日本", 64);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "box 64 \"日本\" \"a\\\"b\\\\c\\r\\nd\te\"");
}

TEST(DryRunKeyEvents, PrintedAsTheyHappen) {
    std::vector<std::string> lines;
    RecordingSink sink;
    printKeyEvents(sink, [&](const std::string& l) { lines.push_back(l); });
    sink.sendKey(0x0D, false);
    sink.sendKey(0x0D, true);
    sink.sendUnicodeUnit(u'\u3042', false);
    sink.sendUnicodeUnit(u'\u3042', true);
    const std::vector<std::string> expected = {"down 0D VK_RETURN", "up 0D VK_RETURN",
                                               "unicode-down 3042", "unicode-up 3042"};
    EXPECT_EQ(lines, expected);
    EXPECT_TRUE(sink.events().empty());
}

} // namespace
} // namespace tapwell
