// A run from Start to its end: countdown, sending, loops, abort, auto-run,
// scripts and delivery, and the safety around it: what an Abort releases, a
// destination window that refuses input, and the focus guard.
#include "fake_run_host.h"

#include <gtest/gtest.h>

using namespace tapwell;
using tapwell::test::kIdle;
using tapwell::test::press;
using tapwell::test::RunRig;
using tapwell::test::step;

namespace {

const std::string kWait = " sec... Activate the destination window and wait - P\n";
const std::string kStart = "save\nrunning\narm 1000\ntitle 0" + kWait; // no wait
const std::string A = press("41 A"), B = press("42 B");
const std::string kRefused =
    "The destination window belongs to a program running with higher rights (as administrator), "
    "so Windows does not let tapwell type into it. Start tapwell with the same rights, or choose "
    "another window.";

} // namespace

TEST(RunLog, EveryRunFromStartToItsEnd) {
    enum { kAuto = 1, kStop = 2, kJa = 4, kRefusing = 8, kNoInsert = 16, kScript = 32 };
    const std::string kWaitJa = "save\nrunning\narm 1000\ntitle 残り 0秒... "
                                "入力先ウィンドウをアクティブにしてお待ちください - P\n";
    const struct {
        std::u16string text;
        int flags;
        std::string log;
        std::int32_t waitSec = 0, waitMs = 10, loops = 1;
    } cases[] = {
        // The countdown in the title, then a unit a tick, each under its progress.
        {u"AB", 0,
         "save\nrunning\narm 1000\ntitle 2" + kWait + "title 1" + kWait + "send 30\n" +
             step("0", A) + "send 30\n" + step("50", B) + kIdle,
         2, 30},
        {u"AB", 0, kStart + "send 20\n" + step("0", A) + "send 20\n" + step("50", B) + kIdle, 0,
         0}, // an interval below 1 ms is 20 ms
        {u"A", kJa, kWaitJa + "send 10\nkill\ntitle 入力中(0%)...\n" + A + kIdle},
        {u"", 0, "save\nmessage error It's empty!\n"}, // saved, then refused
        // Blocking steps run with the timer stopped and delay the next unit.
        {u"![WAIT:500]A", 0,
         kStart + "send 10\n" +
             step("0", "message information (free) Push [OK] button to continue.\n") + "send 10\n" +
             step("8", "sleep 500\n") + "send 10\n" + step("91", A) + kIdle},
        {u"AB", 0,
         kStart + "send 10\n" + step("0", A) + "send 10\n" + step("50", B) + "send 10\n" +
             step("0", A) + "send 10\n" + step("50", B) + kIdle,
         0, 10, 2},
        // An auto-run closes at its end, after any message; a text of
        // carriage returns only is no error.
        {u"\r\r", kAuto, kStart + kIdle + "close\n"},
        {u"Ab", kAuto | kStop,
         kStart + "send 10\n" + step("0", A) + "send 10\n" +
             step("50", "message error Invalid character - 'b'\n") + kIdle + "close\n"},
        // An unclosed block is found at the end of the pass.
        {u"{2:A", kAuto,
         kStart + "send 10\n" + step("0", "") + "send 10\n" +
             step("75", A + "message exclamation { are too many.\n") + kIdle + "close\n"},
        // A window that refuses input stops the run before a unit goes to it,
        // and so do events the platform did not insert.
        {u"AB", kAuto | kRefusing,
         kStart + "send 10\nkill\nmessage error " + kRefused + "\n" + kIdle + "close\n"},
        {u"ABC", kNoInsert,
         kStart + "send 10\n" + step("0", A) + "message error " + kRefused + "\n" + kIdle},
        // A script starts after the countdown, with the box as it is; the
        // phase ends when its thread did not start.
        {u"x = 1\r\n", kScript | kJa,
         kWaitJa + "title スクリプト実行中...\nscript x = 1\r\n\n" + kIdle},
    };
    for (const auto& c : cases) {
        RunRig r;
        RunSettings& s = r.host.settings;
        s.iWaitSec = c.waitSec;
        s.iWaitMSec = c.waitMs;
        s.iLoopNum = c.loops;
        s.iErrorStop = c.flags & kStop;
        s.iInputMode = c.flags & kScript ? InputMode::Script : InputMode::Keyboard;
        r.host.scriptStarts = false;
        r.host.lang = c.flags & kJa ? Language::Japanese : Language::English;
        r.run.setAutoRun(c.flags & kAuto);
        r.destination.refusing[1] = c.flags & kRefusing;
        r.sink.insertsEvents = !(c.flags & kNoInsert);
        r.runText(c.text);
        EXPECT_EQ(r.take(), c.log) << std::string(c.text.begin(), c.text.end());
    }
}

TEST(RunCountdown, TimeOfDayCountsToTheStartTimeOverMidnightButNotWithTheClockOrOtherTimers) {
    const struct {
        RunTimeOfDay now, start;
        std::int32_t expected;
    } cases[] = {
        {{9, 0, 0}, {8, 0, 0}, 82800}, // already past today: tomorrow
        {{8, 0, 0}, {9, 0, 0}, 3600},        {{23, 59, 59}, {0, 0, 1}, 2},
        {{0, 0, 1}, {23, 59, 59}, 86398},    {{10, 20, 30}, {10, 20, 30}, 0},
        {{10, 20, 31}, {10, 20, 30}, 86399},
    };
    RunSettings s;
    s.iWaitMode = WaitMode::TimeOfDay;
    for (const auto& c : cases) {
        s.iTimeHour = c.start.hour;
        s.iTimeMin = c.start.minute;
        s.iTimeSec = c.start.second;
        EXPECT_EQ(initialCountdown(s, c.now), c.expected) << c.now.hour << ":" << c.now.minute;
    }
    RunRig r;
    r.run.startOrAbort();
    EXPECT_EQ(r.run.lastEnd(), RunEnd::Refused) << "an empty box has no countdown";
    r.host.now = {8, 0, 0};
    r.host.settings = s; // 10:20:30
    r.runText(u"A", 0);
    EXPECT_EQ(r.run.countdown(), 8430);
    r.host.now = {8, 1, 0};             // the clock jumps; the countdown does not follow it
    r.run.onRunTimer(RUN_TIMER_ID + 1); // nor do other timers drive it
    r.tick();
    EXPECT_EQ(r.run.countdown(), 8429);
}

TEST(RunSending, ZeroLoopsRunUntilAbortAndNegativeIsALargeCount) {
    RunRig endless;
    endless.host.settings.iLoopNum = 0;
    endless.runText(u"A", 1 + 250);
    EXPECT_EQ(endless.sink.events().size(), 500u);
    EXPECT_EQ(endless.run.completedPasses(), 250u);
    endless.run.abortRun();
    EXPECT_FALSE(endless.run.running() || endless.tick());

    RunRig negative;
    negative.host.settings.iLoopNum = -1; // the repeat box shows 4294967295
    negative.runText(u"A", 1 + 50);
    EXPECT_TRUE(negative.run.running());
    EXPECT_EQ(negative.run.passesDone(), 50u);
}

TEST(InputText, LinesAreWrappedCarriageReturnsDroppedAndEachStartBuildsItAgain) {
    // Only the box's carriage returns are dropped, not the prefix's or suffix's.
    const struct {
        const char16_t *box, *prefix, *suffix, *expected;
    } cases[] = {{u"AB", u"X", u"Y", u"XABY"},
                 {u"", u"X", u"Y", u"XY"},
                 {u"A\n\nB", u"<", u">", u"<A>\n<>\n<B>\n"},
                 {u"\n", u"P", u"S", u"PS\n"},
                 {u"\r\n\r", u"", u"", u"\n\n"},
                 {u"A", u"\r", u"\n", u"\rA\n"}};
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(buildInputText(cases[i].box, cases[i].prefix, cases[i].suffix), cases[i].expected)
            << "row " << i;
    // A run builds it from the boxes again at each start.
    RunRig r;
    r.host.prefix = u"X";
    r.runText(u"A");
    r.host.prefix = u"";
    r.host.suffix = u"1";
    r.runText(u"B");
    EXPECT_EQ(r.events(), press("58 X") + A + B + press("31 1"));
}

// --- Abort -------------------------------------------------------------------

TEST(RunAbort, DuringTheCountdownOrAPauseBoxNothingMoreIsSentAndAnAutoRunStaysOpen) {
    RunRig r;
    r.run.setAutoRun(true);
    r.host.settings.iWaitSec = 3;
    r.runText(u"A", 1);
    r.take();
    r.run.abortRun();
    r.run.onRunTimer(RUN_TIMER_ID); // a stray tick after the abort does nothing
    EXPECT_EQ(r.take(), kIdle);
    EXPECT_EQ(r.run.lastEnd(), RunEnd::Aborted);

    RunRig paused;
    paused.host.duringMessage = [&](const RunMessage&) {
        paused.run.startOrAbort(); // the dialog stays usable: Abort
    };
    paused.runText(u"[VK_LWIN)!B", 2);
    paused.take();
    paused.tick(); // the held key is released from the box's nested loop
    EXPECT_EQ(paused.take(),
              step("81", "message information (free) Push [OK] button to continue.\n") + kIdle +
                  "up 5B VK_LWIN\n");
}

TEST(RunAbort, ARunStartedDuringAPauseBoxIsNotDisturbedByTheOldStep) {
    RunRig r;
    r.run.setAutoRun(true);
    int pauses = 0;
    r.host.duringMessage = [&](const RunMessage& m) {
        if (m.owner != RunMessageOwner::None || pauses++ > 0)
            return;
        r.run.abortRun();
        r.runText(u"XYZ", 2); // the countdown, then X
    };
    r.runText(u"A!B");
    // The old step returned into a run that is no longer its own: it must
    // neither send B nor move the new run's position nor end it.
    EXPECT_EQ(r.events(), A + press("58 X") + press("59 Y") + press("5A Z"));
    EXPECT_EQ(r.run.lastEnd(), RunEnd::Normal);
    EXPECT_EQ(r.host.closed, 1); // only the new run's end closes
}

TEST(RunAbort, ReleasesTheKeysTheTextHeldLastPressedFirst) {
    RunRig r;
    r.runText(u"[VK_SHIFT)[VK_CONTROL)[VK_MENU)(VK_CONTROL][VK_SHIFT)AB", 7);
    r.run.abortRun();
    r.run.abortRun(); // a second Abort has nothing to release
    EXPECT_EQ(r.events(), "down 10 VK_SHIFT\ndown 11 VK_CONTROL\ndown 12 VK_MENU\nup 11 "
                          "VK_CONTROL\ndown 10 VK_SHIFT\n" +
                              A + "up 12 VK_MENU\nup 10 VK_SHIFT\n");

    RunRig keys; // key presses delivery releases the layout's key
    keys.host.settings.iDelivery = Delivery::KeyPresses;
    keys.host.settings.iTargetLayout = kLayoutUs101;
    keys.runText(u"[VK_RSHIFT)q", 2);
    keys.run.abortRun();
    EXPECT_EQ(keys.events(), press("A1 VK_RSHIFT sc 36"));

    // A run that has ended keeps what the text left down.
    RunRig error;
    error.host.settings.iErrorStop = true;
    error.runText(u"[VK_SHIFT)aA"); // a lower-case letter is no key
    error.run.abortRun();           // the run is over: nothing to abort
    EXPECT_EQ(error.events(), "down 10 VK_SHIFT\n");
}

// --- Script mode -------------------------------------------------------------

TEST(RunScript, ThePhasePollsTheThreadAndAnAbortAsksOnlyItsOwnScriptToStop) {
    RunRig r;
    r.run.setAutoRun(true); // never closes in script mode
    r.host.settings.iInputMode = InputMode::Script;
    r.scriptStopRequested = true; // stale request from an earlier script
    r.runText(u"loop", 3);
    EXPECT_TRUE(r.scriptRunning && !r.scriptStopRequested);
    EXPECT_EQ(r.run.phase(), RunPhase::Script);
    r.run.abortRun();
    EXPECT_TRUE(r.scriptStopRequested.load());
    // The old script has not polled yet; Start again: no second thread, and
    // its stop request stays.
    r.take();
    r.runText(u"loop", 2);
    EXPECT_EQ(r.take(), kStart + "title Running Script...\n");
    EXPECT_TRUE(r.scriptStopRequested && r.run.running());
    r.scriptRunning = false; // the thread has ended
    r.tick();
    EXPECT_EQ(r.take(), kIdle);

    RunRig countdown;
    countdown.host.settings.iInputMode = InputMode::Script;
    countdown.host.settings.iWaitSec = 5;
    countdown.runText(u"x", 0);
    countdown.run.abortRun();
    RunRig keys;
    keys.scriptRunning = true; // a script from an earlier run still winding down
    keys.runText(u"AB", 1);
    keys.run.abortRun();
    EXPECT_FALSE(countdown.scriptStopRequested || keys.scriptStopRequested);
}

// --- Delivery ----------------------------------------------------------------

TEST(RunDelivery, EachRunTakesItsDeliveryFromTheSavedSettings) {
    RunRig r;
    static std::uint32_t resolvedLayout = 0;
    r.run.setKeyboardLayoutResolver([](std::uint32_t id) {
        resolvedLayout = id;
        return portableKeyboardLayout(kLayoutUs101);
    });
    r.host.settings.iInputMode = InputMode::Unicode;
    r.host.settings.iDelivery = Delivery::KeyPresses;
    r.host.settings.iTargetLayout = 0x04090409;
    r.runText(u"@[VK_RCONTROL]");
    EXPECT_EQ(resolvedLayout, 0x04090409u);
    EXPECT_EQ(r.events(), "down 10 VK_SHIFT sc 2A\n" + press("32 2 sc 03") +
                              "up 10 VK_SHIFT sc 2A\n" + press("A3 VK_RCONTROL sc E01D"));
    // The next run, as written again, sends exactly what it always did.
    r.sink.clear();
    r.host.settings.iDelivery = Delivery::Written;
    r.runText(u"@[VK_RCONTROL]");
    EXPECT_EQ(r.events(), "char 0040\n" + press("A3 VK_RCONTROL"));
}

// --- The destination window ----------------------------------------------------

TEST(RunDestination, EachNewForegroundWindowIsAskedOnceAndARefusingOneStopsTheRun) {
    RunRig r;
    r.host.settings.iLoopNum = 0;
    r.destination.refusing[3] = true;
    r.runText(u"AB", 4);
    r.destination.front = 2;
    r.ticks(2);
    r.destination.front = 3;
    r.tick();
    EXPECT_EQ(r.destination.asked, (std::vector<WindowId>{1, 2, 3}));
    EXPECT_EQ(r.sink.events().size(), 10u) << "five units before the refusing window";
    EXPECT_EQ(r.run.lastEnd(), RunEnd::Error);

    RunRig none; // no foreground window: nothing to ask
    none.destination.front = 0;
    none.runText(u"A");
    EXPECT_TRUE(none.destination.asked.empty());
    EXPECT_EQ(none.run.lastEnd(), RunEnd::Normal);

    RunRig idle; // a skipped space and a wait send nothing to refuse
    idle.host.settings.iInputMode = InputMode::Unicode;
    idle.host.settings.iDisableSpace = true;
    idle.sink.insertsEvents = false;
    idle.runText(u" [WAIT:5]x", 3);
    EXPECT_TRUE(idle.run.running());
    idle.tick();
    EXPECT_EQ(idle.run.lastEnd(), RunEnd::Error);
}

TEST(RunDestination, TheFocusGuardPausesWhileAnotherWindowIsInFront) {
    RunRig r;
    r.host.settings.iFocusGuard = true;
    r.host.settings.iWaitMSec = 300;
    r.destination.front = 7; // in front at the first unit: the destination
    r.runText(u"ABC", 2);
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
                            step("33", B) + "send 300\n");
    EXPECT_EQ(r.destination.asked, (std::vector<WindowId>{7}));

    // Abort works while paused, and the next run takes its own destination.
    RunRig ja;
    ja.host.settings.iFocusGuard = true;
    ja.host.lang = Language::Japanese;
    ja.runText(u"AB", 2);
    ja.destination.front = 2;
    ja.take();
    ja.tick();
    ja.run.abortRun();
    EXPECT_EQ(ja.take(), "kill\ntitle 一時停止中: 入力先ウィンドウを再びアクティブにしてください - "
                         "P\narm 10\n" +
                             kIdle);
    EXPECT_FALSE(ja.run.pausedForFocus());
    ja.runText(u"AB");
    EXPECT_EQ(ja.run.lastEnd(), RunEnd::Normal);
}

TEST(RunDestination, TheFocusGuardLetsTheHeldKeysUpWhilePausedAndPressesThemAgainInOrder) {
    RunRig r;
    r.host.settings.iFocusGuard = true;
    r.runText(u"[VK_SHIFT)[VK_CONTROL)(VK_SHIFT][VK_MENU)[VK_SHIFT)AB", 6);
    r.destination.front = 2;
    r.take();
    r.ticks(3); // the user types in another window meanwhile
    EXPECT_EQ(r.take(), "kill\ntitle Paused: activate the destination window again - P\n"
                        "up 10 VK_SHIFT\nup 12 VK_MENU\nup 11 VK_CONTROL\narm 10\n"
                        "kill\narm 10\nkill\narm 10\n");
    r.destination.front = 1;
    r.tick();
    EXPECT_EQ(r.take(), "kill\ndown 11 VK_CONTROL\ndown 12 VK_MENU\ndown 10 VK_SHIFT\ntitle "
                        "Keyboard Simulating(96%)...\n" +
                            A + "send 10\n");

    // An Abort while paused has nothing more to let up.
    RunRig abort;
    abort.host.settings.iFocusGuard = true;
    abort.runText(u"[VK_SHIFT)AB", 2);
    abort.destination.front = 2;
    abort.tick();
    abort.run.abortRun();
    EXPECT_EQ(abort.events(), "down 10 VK_SHIFT\nup 10 VK_SHIFT\n");

    // By key presses, the lifted Shift is the text's again when the window is back.
    RunRig keys;
    keys.host.settings.iFocusGuard = true;
    keys.host.settings.iInputMode = InputMode::Unicode;
    keys.host.settings.iDelivery = Delivery::KeyPresses;
    keys.host.settings.iTargetLayout = kLayoutUs101;
    keys.runText(u"[VK_SHIFT)aB", 2);
    keys.destination.front = 2;
    keys.tick();
    keys.destination.front = 1;
    keys.ticks(3);
    const std::string shift = "10 VK_SHIFT sc 2A";
    EXPECT_EQ(keys.events(), "down " + shift + "\nup " + shift + "\ndown " + shift + "\nup " +
                                 shift + "\n" + press("41 A sc 1E") + "down " + shift + "\n" +
                                 press("42 B sc 30"));
}
