// What a run's or a script's outlet remembers as held down, releases at a
// stop, and counts as refused.
#include "fake_run_host.h"
#include "keystroke/guarded_sink.h"

#include <gtest/gtest.h>

using namespace tapwell;

TEST(GuardedSink, ReleasesUnitsKeysAndMouseButtonsStillDownOnceAndCountsRefusals) {
    RecordingSink out;
    GuardedSink sink{out};
    HeldInputs& held = sink.held();
    held.noteMouseButton(0x0004, 0, false); // left
    sink.sendUnicodeUnit(u'\u3042', false);
    sink.sendPhysicalKey({0x10, 0x2A}, false);
    held.noteMouseButton(0x0100, 1, false); // X1
    held.noteMouseButton(0x0100, 2, false); // X2
    held.noteMouseButton(0x0100, 1, true);  // X1 released again
    sink.sendPhysicalKey({0xA5, 0xE038}, false);
    pressAndRelease(sink, 0x41);
    sink.sendUnicodePair(u'x'); // down and up together: nothing held
    EXPECT_EQ(held.size(), 5u);
    out.clear();
    std::string mouse;
    for (int release = 0; release < 2; ++release) // a second release sends nothing
        sink.releaseHeld([&](std::uint32_t flags, std::int32_t data) {
            mouse += std::to_string(flags) + " " + std::to_string(data) + ",";
        });
    EXPECT_EQ(test::describe(out),
              "up A5 VK_RMENU sc E038\nup 10 VK_SHIFT sc 2A\nunicode-up 3042\n");
    EXPECT_EQ(mouse, "256 2,4 0,");
    EXPECT_TRUE(held.empty());

    out.insertsEvents = false;
    sink.sendKey(0x41, false);
    sink.sendUnicodePair(u'a');
    EXPECT_EQ(sink.takeRefusals(), 2u);
    EXPECT_EQ(sink.takeRefusals(), 0u) << "taking them starts the count again";
    sink.releaseHeld();
    EXPECT_EQ(sink.takeRefusals(), 0u) << "releases after the end do not count";
}

TEST(GuardedSink, LiftedKeysGoUpOnceAndDownAgainInTheirOrderButUnitsAndButtonsStay) {
    RecordingSink out;
    GuardedSink sink{out};
    sink.sendKey(0x10, false);
    sink.sendUnicodeUnit(u'\u3042', false);
    sink.held().noteMouseButton(0x0004, 0, false);
    sink.sendPhysicalKey({0xA3, 0xE01D}, false);
    out.clear();
    for (int twice = 0; twice < 2; ++twice)
        sink.liftHeldKeys();
    EXPECT_EQ(test::describe(out), "up A3 VK_RCONTROL sc E01D\nup 10 VK_SHIFT\n");
    EXPECT_EQ(sink.held().size(), 4u) << "still remembered while lifted";
    out.clear();
    out.insertsEvents = false; // the window back in front refuses them
    for (int twice = 0; twice < 2; ++twice)
        sink.pressLiftedKeysAgain();
    EXPECT_EQ(test::describe(out), "down 10 VK_SHIFT\ndown A3 VK_RCONTROL sc E01D\n");
    EXPECT_EQ(sink.takeRefusals(), 2u);

    // Stopped while lifted: the keys are up already; the unit and the button
    // still need their release.
    sink.liftHeldKeys();
    out.clear();
    std::string mouse;
    sink.releaseHeld([&](std::uint32_t flags, std::int32_t) { mouse += std::to_string(flags); });
    EXPECT_EQ(test::describe(out), "unicode-up 3042\n");
    EXPECT_EQ(mouse, "4");
    EXPECT_TRUE(sink.held().empty());
    sink.pressLiftedKeysAgain();
    EXPECT_EQ(test::describe(out), "unicode-up 3042\n") << "nothing left to press again";
}
