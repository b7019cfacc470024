#include "fake_run_host.h"

#include <gtest/gtest.h>

using namespace tapwell;
using tapwell::test::kIdle;
using tapwell::test::press;
using tapwell::test::RunRig;
using tapwell::test::step;

namespace {
const std::string kWait = " sec... Activate the destination window and wait - P\n";
const std::string A = press("41 A"), B = press("42 B");
} // namespace

TEST(RunCountdown, SecondsCountDownInTheTitleThenEachUnitWaitsItsInterval) {
    RunRig r;
    r.host.settings.iWaitSec = 2;
    r.host.settings.iWaitMSec = 30;
    r.runText(u"AB", 2);
    EXPECT_EQ(r.take(),
              "save\nrunning\narm 1000\ntitle 2" + kWait + "title 1" + kWait + "send 30\n");
    EXPECT_EQ(r.run.phase(), RunPhase::Sending);
    r.ticks(2);
    EXPECT_EQ(r.take(), step("0", A) + "send 30\n" + step("50", B) + kIdle);
    EXPECT_EQ(r.run.lastEnd(), RunEnd::Normal);

    // No wait: the sending phase starts at the first tick. An interval below 1 is 20 ms.
    RunRig zero;
    zero.host.settings.iWaitMSec = 0;
    zero.runText(u"AB", 1);
    EXPECT_EQ(zero.take(), "save\nrunning\narm 1000\ntitle 0" + kWait + "send 20\n");

    RunRig ja;
    ja.host.lang = Language::Japanese;
    ja.host.settings.iWaitSec = 1;
    ja.runText(u"A");
    EXPECT_EQ(ja.take(), "save\nrunning\narm 1000\ntitle 残り 1秒... "
                         "入力先ウィンドウをアクティブにしてお待ちください - P\nsend 10\nkill\n"
                         "title 入力中(0%)...\n" +
                             A + kIdle);
}

TEST(RunCountdown, TimeOfDayCountsToTheStartTimeAndOverMidnightButNotWithTheClock) {
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
    r.host.clockStart = {8, 0, 0};
    r.host.settings = s; // 10:20:30
    r.runText(u"A", 0);
    EXPECT_EQ(r.run.countdown(), 8430);
    r.host.nowMs += 60000; // the clock jumps; the countdown does not follow it
    r.tick();
    EXPECT_EQ(r.run.countdown(), 8429);
}

TEST(RunStart, EmptyBoxIsRefusedAfterTheSaveAndOnlyTheRunTimerDrivesARun) {
    RunRig r;
    r.run.startRun();
    EXPECT_EQ(r.take(), "save\nmessage error It's empty!\n");
    EXPECT_EQ(r.run.lastEnd(), RunEnd::Refused);
    EXPECT_FALSE(r.run.running());
    r.host.lang = Language::Japanese;
    r.run.startRun();
    EXPECT_EQ(r.take(), "save\nmessage error 入力欄が空です。\n");

    r.host.box = u"A";
    r.run.startOrAbort();
    EXPECT_TRUE(r.run.running());
    r.run.onRunTimer(RUN_TIMER_ID + 1);
    r.run.onRunTimer(1);
    EXPECT_EQ(r.run.phase(), RunPhase::Countdown);
    r.run.onRunTimer(0x1CEF6);
    EXPECT_EQ(r.run.phase(), RunPhase::Sending);
    r.take();
    r.run.startOrAbort(); // Start again is Abort
    EXPECT_EQ(r.take(), kIdle);
}

// --- Sending phase -----------------------------------------------------------

TEST(RunSending, BlockingStepsRunWithTheTimerStoppedAndDelayTheNextUnit) {
    RunRig r;
    r.runText(u"![WAIT:500]A", 1);
    r.take();
    r.ticks(2); // the pause, the wait
    EXPECT_EQ(r.take(), "kill\ntitle Keyboard Simulating(0%)...\nmessage information (free) "
                        "Push [OK] button to continue.\nsend 10\nkill\ntitle Keyboard "
                        "Simulating(8%)...\nsleep 500\nsend 10\n");
    r.tick();
    EXPECT_EQ(r.events(), A);
    r.host.lang = Language::Japanese;
    r.runText(u"!");
    EXPECT_EQ(r.host.messages.back().text, u"OKボタンを押してください。");
}

TEST(RunSending, LoopsCountPassesZeroRunsUntilAbortAndNegativeIsALargeCount) {
    RunRig r;
    r.host.settings.iLoopNum = 2;
    r.runText(u"AB", 1);
    r.take();
    r.ticks(5);
    EXPECT_EQ(r.take(), step("0", A) + "send 10\n" + step("50", B) + "send 10\n" + step("0", A) +
                            "send 10\n" + step("50", B) + kIdle);
    EXPECT_EQ(r.run.passesDone(), 2u);
    EXPECT_EQ(r.run.lastEnd(), RunEnd::Normal);

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

TEST(RunSending, EachStartBuildsTheTextFromTheBoxesAgain) {
    RunRig r;
    r.host.prefix = u"X";
    r.runText(u"A");
    r.host.prefix = u"";
    r.host.suffix = u"1";
    r.runText(u"B");
    EXPECT_EQ(r.events(), press("58 X") + A + B + press("31 1"));
    EXPECT_EQ(r.run.inputText(), u"B1");

    RunRig empty; // a built text of length zero ends at once, without a message
    empty.run.setAutoRun(true);
    empty.runText(u"\r\r", 1);
    EXPECT_EQ(empty.take(), "save\nrunning\narm 1000\ntitle 0" + kWait + kIdle + "close\n");
    EXPECT_EQ(empty.run.lastEnd(), RunEnd::Normal);
}

TEST(BuildInputText, LinesAreWrappedCarriageReturnsDroppedAndSeveralLinesEndWithALineFeed) {
    const struct {
        const char16_t *box, *prefix, *suffix, *expected;
    } cases[] = {
        {u"AB", u"X", u"Y", u"XABY"},
        {u"", u"X", u"Y", u"XY"},
        {u"A\r\nB", u"P", u"S", u"PAS\nPBS\n"},
        {u"A\nB\n", u"P", u"S", u"PAS\nPBS\n"},
        {u"A\n\nB", u"<", u">", u"<A>\n<>\n<B>\n"},
        {u"\n", u"P", u"S", u"PS\n"},
        {u"A\rB", u"", u"", u"AB"},
        {u"\r\n\r", u"", u"", u"\n\n"},
        {u"A", u"\r", u"\n", u"\rA\n"}, // only the box's units are filtered
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(buildInputText(cases[i].box, cases[i].prefix, cases[i].suffix), cases[i].expected)
            << "row " << i;
}

// --- Abort and the end of auto-runs -------------------------------------------

TEST(RunAbort, DuringTheCountdownOrAPauseBoxNothingMoreIsSent) {
    RunRig r;
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
    paused.runText(u"A!B", 2);
    paused.take();
    paused.tick();
    EXPECT_EQ(paused.take(), step("33", "message information (free) Push [OK] button to "
                                        "continue.\n") +
                                 kIdle);
    EXPECT_EQ(paused.run.lastEnd(), RunEnd::Aborted);
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

TEST(RunAutoRun, AbortDoesNotCloseButErrorsCloseAfterTheirMessage) {
    RunRig r;
    r.run.setAutoRun(true);
    r.runText(u"AB", 2);
    r.run.abortRun();
    r.host.settings.iErrorStop = true;
    r.runText(u"Ab", 2);
    r.take();
    r.tick();
    EXPECT_EQ(r.take(), step("50", "message error Invalid character - 'b'\n") + kIdle + "close\n");
    EXPECT_EQ(r.host.closed, 1);
    EXPECT_EQ(r.run.lastEnd(), RunEnd::Error);

    RunRig unclosed; // reported at the end of the pass
    unclosed.run.setAutoRun(true);
    unclosed.runText(u"{2:A", 2);
    unclosed.take();
    unclosed.tick();
    EXPECT_EQ(unclosed.take(), // the block's start was one step
              step("75", A + "message exclamation { are too many.\n") + kIdle + "close\n");

    RunRig manual;
    manual.host.settings.iErrorStop = true;
    manual.runText(u"a");
    manual.runText(u"A");
    EXPECT_EQ(manual.host.closed, 0);
}

// --- Script mode -------------------------------------------------------------

TEST(RunScript, CountdownThenThreadThenPollUntilItEnds) {
    RunRig r;
    r.run.setAutoRun(true); // never closes in script mode
    r.host.settings.iInputMode = InputMode::Script;
    r.host.settings.iWaitSec = 1;
    r.scriptStopRequested = true; // stale request from an earlier script
    r.runText(u"x = 1\r\n", 3);
    EXPECT_EQ(r.take(), "save\nrunning\narm 1000\ntitle 1" + kWait +
                            "title Running Script...\nscript x = 1\r\n\n");
    EXPECT_TRUE(r.scriptRunning.load());
    EXPECT_FALSE(r.scriptStopRequested.load());
    EXPECT_EQ(r.run.phase(), RunPhase::Script);
    EXPECT_EQ(r.host.timerPeriod, 1000u);
    r.scriptRunning = false; // the thread has ended
    r.tick();
    EXPECT_EQ(r.take(), kIdle);

    RunRig ja;
    ja.host.lang = Language::Japanese;
    ja.host.settings.iInputMode = InputMode::Script;
    ja.host.scriptStarts = false;
    ja.runText(u"a", 1);
    EXPECT_EQ(ja.host.title, u"スクリプト実行中...");
    EXPECT_FALSE(ja.scriptRunning.load()) << "a thread that failed to start";
    ja.tick();
    EXPECT_FALSE(ja.run.running());
}

TEST(RunScript, AbortRequestsStopAndANewRunWaitsForTheOldScript) {
    RunRig r;
    r.host.settings.iInputMode = InputMode::Script;
    r.runText(u"loop", 1);
    r.run.abortRun();
    EXPECT_TRUE(r.scriptStopRequested.load());
    EXPECT_FALSE(r.run.running());
    // The old script has not polled yet; Start again.
    r.take();
    r.runText(u"loop", 2);
    EXPECT_EQ(r.take(), "save\nrunning\narm 1000\ntitle 0" + kWait + "title Running Script...\n");
    EXPECT_TRUE(r.scriptStopRequested.load()); // not cleared for the old one
    EXPECT_TRUE(r.run.running());
    r.scriptRunning = false;
    r.tick();
    EXPECT_FALSE(r.run.running());

    // Stop is asked only of a script this run started.
    RunRig countdown;
    countdown.host.settings.iInputMode = InputMode::Script;
    countdown.host.settings.iWaitSec = 5;
    countdown.runText(u"x", 0);
    countdown.run.abortRun();
    EXPECT_FALSE(countdown.scriptStopRequested.load());
    RunRig keys;
    keys.scriptRunning = true; // a script from an earlier run still winding down
    keys.runText(u"AB", 1);
    keys.run.abortRun();
    EXPECT_FALSE(keys.scriptStopRequested.load());
}

// --- Delivery ----------------------------------------------------------------

namespace {
std::uint32_t g_resolvedLayout = 0;
std::unique_ptr<KeyboardLayout> usResolver(std::uint32_t id) {
    g_resolvedLayout = id;
    return portableKeyboardLayout(kLayoutUs101);
}
} // namespace

TEST(RunDelivery, EachRunTakesItsDeliveryFromTheSavedSettings) {
    RunRig r;
    r.run.setKeyboardLayoutResolver(usResolver);
    r.host.settings.iInputMode = InputMode::Unicode;
    r.host.settings.iDelivery = Delivery::KeyPresses;
    r.host.settings.iTargetLayout = 0x04090409;
    r.runText(u"@[VK_RCONTROL]\n");
    EXPECT_EQ(g_resolvedLayout, 0x04090409u);
    EXPECT_EQ(r.events(), "down 10 VK_SHIFT sc 2A\n" + press("32 2 sc 03") +
                              "up 10 VK_SHIFT sc 2A\n" + press("A3 VK_RCONTROL sc E01D") +
                              press("0D VK_RETURN sc 1C"));
    // The next run, as written again, sends exactly what it always did.
    r.sink.clear();
    r.host.settings.iDelivery = Delivery::Written;
    r.runText(u"@[VK_RCONTROL]\n");
    EXPECT_EQ(r.events(), "char 0040\n" + press("A3 VK_RCONTROL") + press("0D VK_RETURN"));

    RunRig keyboard; // keyboard mode's keys gain the Japanese scan codes by default
    keyboard.host.settings.iDelivery = Delivery::KeyPresses;
    keyboard.runText(u"@_a\t");
    EXPECT_EQ(keyboard.events(),
              press("C0 VK_OEM_3 sc 1A") + press("E2 VK_OEM_102 sc 73") + press("09 VK_TAB sc 0F"));
}
