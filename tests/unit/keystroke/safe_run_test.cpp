// The safety around a run: what an Abort releases, the destination window
// that refuses input, and the focus guard.
#include "fake_run_host.h"
#include "keystroke/guarded_sink.h"

#include <gtest/gtest.h>

#include <map>

using namespace tapwell;
using tapwell::test::kIdle;
using tapwell::test::press;
using tapwell::test::RunRig;
using tapwell::test::step;

namespace {

class FakeDestination : public InputDestination {
  public:
    WindowId front = 1;
    std::map<WindowId, bool> refusing;
    std::vector<WindowId> asked;

    WindowId foregroundWindow() override { return front; }
    bool refusesInput(WindowId window) override {
        asked.push_back(window);
        return refusing[window];
    }
};

const std::string kRefused =
    "The destination window belongs to a program running with higher rights (as administrator), "
    "so Windows does not let tapwell type into it. Start tapwell with the same rights, or choose "
    "another window.";

struct SafeRig : RunRig {
    FakeDestination destination;
    SafeRig() { run.setInputDestination(&destination); }
    // Start, then the first tick, which ends the zero-second countdown.
    void start(std::u16string text) { runText(std::move(text), 1); }
};

} // namespace

// --- What is held, and its release ---------------------------------------------

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
    EXPECT_EQ(sink.takeRefusals(), 0u);
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

TEST(SafeRunAbort, ReleasesTheKeysTheTextHeldLastPressedFirst) {
    SafeRig r;
    r.start(u"[VK_SHIFT)[VK_CONTROL)[VK_MENU)(VK_CONTROL][VK_SHIFT)AB");
    r.ticks(6);
    r.run.abortRun();
    r.run.abortRun(); // a second Abort has nothing to release
    EXPECT_EQ(r.events(), "down 10 VK_SHIFT\ndown 11 VK_CONTROL\ndown 12 VK_MENU\nup 11 "
                          "VK_CONTROL\ndown 10 VK_SHIFT\n" +
                              press("41 A") + "up 12 VK_MENU\nup 10 VK_SHIFT\n");
    EXPECT_EQ(r.run.lastEnd(), RunEnd::Aborted);
    EXPECT_FALSE(r.tick());

    SafeRig paused; // Abort from the pause box's nested loop
    paused.host.duringMessage = [&](const RunMessage& m) {
        if (m.owner == RunMessageOwner::None)
            paused.run.abortRun();
    };
    paused.start(u"[VK_LWIN)!X");
    paused.ticks(2);
    EXPECT_EQ(paused.events(), press("5B VK_LWIN"));

    SafeRig keys; // key presses delivery releases the layout's key
    keys.host.settings.iDelivery = Delivery::KeyPresses;
    keys.host.settings.iTargetLayout = kLayoutUs101;
    keys.start(u"[VK_RSHIFT)q");
    keys.tick();
    keys.run.abortRun();
    EXPECT_EQ(keys.events(), press("A1 VK_RSHIFT sc 36"));
}

TEST(SafeRunAbort, NormalAndErrorEndsKeepWhatTheTextLeftDown) {
    SafeRig normal;
    normal.runText(u"[VK_SHIFT)A");
    normal.run.abortRun(); // the run is over: nothing to abort
    EXPECT_EQ(normal.events(), "down 10 VK_SHIFT\n" + press("41 A"));
    SafeRig error;
    error.host.settings.iErrorStop = true;
    error.runText(u"[VK_SHIFT)aA"); // a lower-case letter is no key
    EXPECT_EQ(error.run.lastEnd(), RunEnd::Error);
    EXPECT_EQ(error.events(), "down 10 VK_SHIFT\n");
}

// --- A destination that refuses input ---------------------------------------

TEST(SafeRunDestination, ARefusingWindowInFrontStopsTheRunBeforeTheFirstUnit) {
    SafeRig r;
    r.destination.refusing[1] = true;
    r.run.setAutoRun(true);
    r.start(u"AB");
    r.take();
    r.tick();
    EXPECT_EQ(r.take(), "kill\nmessage error " + kRefused + "\n" + kIdle + "close\n");
    EXPECT_EQ(r.run.lastEnd(), RunEnd::Error);
}

TEST(SafeRunDestination, EachNewForegroundWindowIsAskedOnceAndARefusingOneStopsTheRun) {
    SafeRig r;
    r.host.settings.iLoopNum = 0;
    r.destination.refusing[3] = true;
    r.start(u"AB");
    r.ticks(3);
    r.destination.front = 2;
    r.ticks(2);
    r.destination.front = 3;
    r.tick();
    EXPECT_EQ(r.destination.asked, (std::vector<WindowId>{1, 2, 3}));
    EXPECT_EQ(r.sink.events().size(), 10u) << "five units before the refusing window";
    EXPECT_EQ(r.run.lastEnd(), RunEnd::Error);

    SafeRig none; // no foreground window: nothing to ask
    none.destination.front = 0;
    none.runText(u"A");
    EXPECT_TRUE(none.destination.asked.empty());
    EXPECT_EQ(none.run.lastEnd(), RunEnd::Normal);
}

TEST(SafeRunDestination, EventsThePlatformDidNotInsertStopTheRunWithTheSameMessage) {
    SafeRig r;
    r.sink.insertsEvents = false;
    r.runText(u"ABC", 2);
    EXPECT_EQ(r.take(), "save\nrunning\narm 1000\ntitle 0 sec... Activate the destination window "
                        "and wait - P\nsend 10\n" +
                            step("0", press("41 A")) + "message error " + kRefused + "\n" + kIdle);
    EXPECT_EQ(r.run.lastEnd(), RunEnd::Error);

    RunRig bare; // without a destination, as the trace runs
    bare.sink.insertsEvents = false;
    bare.runText(u"AB");
    EXPECT_EQ(bare.run.lastEnd(), RunEnd::Error);

    // A skipped space and a wait send nothing to refuse.
    SafeRig idle;
    idle.host.settings.iInputMode = InputMode::Unicode;
    idle.host.settings.iDisableSpace = true;
    idle.start(u" [WAIT:5]x");
    idle.sink.insertsEvents = false;
    idle.ticks(2);
    EXPECT_TRUE(idle.run.running());
    idle.tick();
    EXPECT_FALSE(idle.run.running());
    EXPECT_EQ(idle.run.lastEnd(), RunEnd::Error);
}

// --- The focus guard --------------------------------------------------------

TEST(SafeRunFocusGuard, AnotherWindowInFrontPausesTheSendingUntilTheDestinationIsBack) {
    SafeRig r;
    r.host.settings.iFocusGuard = true;
    r.host.settings.iWaitMSec = 300;
    r.destination.front = 7; // in front at the first unit: the destination
    r.start(u"ABC");
    r.tick();
    r.destination.front = 8;
    r.take();
    r.ticks(2);
    EXPECT_TRUE(r.run.pausedForFocus());
    r.destination.front = 7;
    r.tick();
    EXPECT_FALSE(r.run.pausedForFocus());
    // Nothing goes to the other window, which is looked at sooner than the
    // interval and, not being sent to, never asked about.
    EXPECT_EQ(r.take(), "kill\ntitle Paused: activate the destination window again - P\narm "
                        "100\nkill\narm 100\n" +
                            step("33", press("42 B")) + "send 300\n");
    EXPECT_EQ(r.destination.asked, (std::vector<WindowId>{7}));

    SafeRig off; // off by default: switching windows does not pause
    off.start(u"AB");
    off.tick();
    off.destination.front = 2;
    off.tick();
    EXPECT_EQ(off.sink.events().size(), 4u);
}

TEST(SafeRunFocusGuard, AbortWorksWhilePausedAndTheNextRunTakesItsOwnDestination) {
    SafeRig r;
    r.host.settings.iFocusGuard = true;
    r.host.lang = Language::Japanese;
    r.start(u"AB");
    r.tick();
    r.destination.front = 2;
    r.take();
    r.tick();
    r.run.abortRun();
    EXPECT_EQ(r.take(), "kill\ntitle 一時停止中: 入力先ウィンドウを再びアクティブにしてください - "
                        "P\narm 10\n" +
                            kIdle);
    EXPECT_FALSE(r.run.pausedForFocus());
    r.runText(u"AB"); // window 2 is in front now: the new destination
    EXPECT_EQ(r.sink.events().size(), 6u);
    EXPECT_EQ(r.run.lastEnd(), RunEnd::Normal);
}
