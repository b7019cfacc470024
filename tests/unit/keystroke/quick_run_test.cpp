// The run as a hotkey or the tray icon starts it: no countdown, a literal
// text, and the Pause key.
#include "fake_run_host.h"

#include <gtest/gtest.h>

namespace tapwell::test {
namespace {

// Start without countdown, then ticks until the end.
std::string runQuick(RunRig& r, std::optional<std::u16string> literal, int maxTicks = 1000) {
    r.run.startQuick(std::move(literal));
    for (int i = 0; i < maxTicks && r.run.running(); ++i)
        r.tick();
    return r.events();
}

TEST(QuickRun, ALiteralTextIsTypedAsItStandsWhateverTheSettings) {
    RunRig r;
    RunSettings& s = r.host.settings;
    // Keyboard-simulate mode with every Ignore, a prefix, a suffix and three
    // passes: none of it applies to a literal text.
    s.iInputMode = InputMode::Keyboard;
    s.iDisableTab = s.iDisableSpace = s.iDisableEnter = true;
    s.iErrorStop = true;
    s.iLoopNum = 3;
    r.host.prefix = u"P";
    r.host.suffix = u"S";
    r.host.box = u"box text";
    std::u16string pair = u"\U0001F600";
    EXPECT_EQ(runQuick(r, u"[a]{2:b}!(\t \n" + pair),
              "char 005B\nchar 0061\nchar 005D\nchar 007B\nchar 0032\nchar 003A\nchar 0062\n"
              "char 007D\nchar 0021\nchar 0028\n" +
                  press("09 VK_TAB") + press("20 VK_SPACE") + press("0D VK_RETURN") +
                  "char D83D\nchar DE00\n");
    EXPECT_EQ(r.run.lastEnd(), RunEnd::Normal);
    // No countdown: saved, running, and the first unit one interval on.
    EXPECT_EQ(r.take().substr(0, 26), "save\nrunning\nsend 10\nkill\n");
}

TEST(QuickRun, TheNextRunFromStartIsAnOrdinaryOneAgain) {
    RunRig r;
    r.host.settings.iInputMode = InputMode::Unicode;
    runQuick(r, u"[x]");
    r.sink.clear();
    r.take();
    r.runText(u"[VK_RETURN]");
    EXPECT_EQ(r.events(), press("0D VK_RETURN"));
    EXPECT_NE(r.take().find("arm 1000"), std::string::npos);
}

TEST(QuickRun, TheTextBoxRunKeepsItsSettingsAndItsRefusalWithoutACountdown) {
    RunRig r;
    r.host.settings.iWaitSec = 30;
    r.host.settings.iLoopNum = 2;
    r.host.prefix = u">";
    r.host.box = u"[VK_RETURN]";
    EXPECT_EQ(runQuick(r, std::nullopt), press("BE VK_OEM_PERIOD") + press("0D VK_RETURN") +
                                             press("BE VK_OEM_PERIOD") + press("0D VK_RETURN"));
    EXPECT_EQ(r.take().find("arm 1000"), std::string::npos);

    RunRig empty;
    runQuick(empty, std::nullopt);
    EXPECT_EQ(empty.take(), "save\nmessage error It's empty!\n");
    EXPECT_EQ(empty.run.lastEnd(), RunEnd::Refused);
    // An empty literal text is no error: there is nothing to type.
    runQuick(empty, u"");
    EXPECT_EQ(empty.run.lastEnd(), RunEnd::Normal);
    EXPECT_EQ(empty.events(), "");
}

TEST(QuickRun, AHeldStartSendsNothingUntilReleasedAndAStopEndsIt) {
    RunRig r;
    r.run.startQuick(u"ab", true);
    EXPECT_TRUE(r.run.running() && r.run.holding());
    EXPECT_EQ(r.take(), "save\nrunning\n");
    r.run.togglePause(); // nothing to pause yet
    EXPECT_FALSE(r.tick() || r.run.paused());
    r.run.releaseQuick();
    EXPECT_EQ(runQuick(r, std::nullopt), "char 0061\nchar 0062\n");
    EXPECT_FALSE(r.run.holding());

    // Stopped while it held: nothing typed, and Start then types the box,
    // not the text left over.
    RunRig stopped;
    stopped.host.settings.iInputMode = InputMode::Unicode;
    stopped.run.startQuick(u"x", true);
    stopped.run.abortRun();
    stopped.run.releaseQuick();
    EXPECT_FALSE(stopped.run.running() || stopped.run.holding());
    stopped.runText(u"B");
    EXPECT_EQ(stopped.events(), "char 0042\n");
}

TEST(QuickRun, PauseHoldsBetweenTwoUnitsAndKeepsHeldKeys) {
    RunRig r;
    r.run.startQuick(u"ABC");
    r.tick();
    r.take();
    r.run.togglePause();
    EXPECT_TRUE(r.run.paused());
    EXPECT_EQ(r.take(), "kill\ntitle Paused: Pause continues, Esc stops - P\n");
    EXPECT_FALSE(r.tick());
    r.run.togglePause();
    EXPECT_FALSE(r.run.paused());
    EXPECT_EQ(r.take(), "send 10\n");
    while (r.run.running())
        r.tick();
    EXPECT_EQ(r.events(), "char 0041\nchar 0042\nchar 0043\n");
}

TEST(QuickRun, ATickArmedBeforePauseSendsNothingAndAStopEndsThePause) {
    RunRig r;
    r.host.settings.iInputMode = InputMode::Unicode;
    r.host.box = u"[VK_SHIFT)AB";
    r.run.startQuick(std::nullopt);
    r.tick(); // Shift down
    // The Pause key handled inside a step's nested loop: the step re-arms
    // the timer after it.
    r.run.togglePause();
    r.host.timerArmed = true;
    r.tick();
    EXPECT_EQ(r.events(), "down 10 VK_SHIFT\n");
    EXPECT_TRUE(r.run.paused());
    r.run.abortRun();
    EXPECT_FALSE(r.run.paused());
    EXPECT_EQ(r.events(), "down 10 VK_SHIFT\nup 10 VK_SHIFT\n");
    // Pause outside the sending phase does nothing.
    r.run.togglePause();
    EXPECT_FALSE(r.run.paused());
    r.host.box = u"A";
    r.host.settings.iWaitSec = 5;
    r.run.startRun();
    r.run.togglePause();
    EXPECT_FALSE(r.run.paused());
}

TEST(QuickRun, PauseHoldsAScriptAtItsNextStatementUntilPauseOrAStop) {
    RunRig r;
    r.host.settings.iInputMode = InputMode::Script;
    r.host.box = u"loop";
    r.run.startQuick(std::nullopt);
    ASSERT_EQ(r.run.phase(), RunPhase::Script);
    r.take();
    r.run.togglePause();
    EXPECT_EQ(r.take(), "script paused 1\ntitle Paused: Pause continues, Esc stops - P\n");
    // The phase still watches the thread while it waits.
    r.tick();
    EXPECT_TRUE(r.run.running() && r.run.paused());
    r.run.togglePause();
    EXPECT_EQ(r.take(), "script paused 0\ntitle Running Script...\n");
    r.run.togglePause();
    r.run.abortRun();
    // Asked to stop, then let go: its next poll sees the stop.
    EXPECT_TRUE(r.scriptStopRequested.load());
    EXPECT_EQ(r.take(), "script paused 1\ntitle Paused: Pause continues, Esc stops - P\n" + kIdle +
                            "script paused 0\n");
    EXPECT_FALSE(r.run.paused());
}

} // namespace
} // namespace tapwell::test
