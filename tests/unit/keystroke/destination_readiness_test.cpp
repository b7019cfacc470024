// The destination's IME and Caps Lock around a run: what each mode, delivery
// and setting makes the run look at, what it changes for each state of the
// destination, and that every way a run ends puts it back.
#include "fake_run_host.h"
#include "keystroke/destination_readiness.h"

#include <gtest/gtest.h>

using namespace tapwell;
using tapwell::test::RunRig;

namespace {

enum class Ime { Closed, Open, Unreadable, Refusing, ClosesOnKey };

// A destination whose IME behaves as `ime` says; every change is written to
// `log`, which a run rig shares with its host so that the order shows.
class FakeInputState : public DestinationInputState {
  public:
    explicit FakeInputState(std::string& log) : log_(log) {}

    WindowId focus = 7;
    std::uint16_t language = kLanguageJapanese;
    Ime ime = Ime::Closed;
    bool capsLock = false;

    WindowId focusWindow() override { return focus; }
    std::uint16_t layoutLanguage(WindowId window) override {
        EXPECT_EQ(window, focus);
        return language;
    }
    std::optional<bool> imeOpen(WindowId) override {
        if (ime == Ime::Unreadable)
            return std::nullopt;
        return ime != Ime::Closed;
    }
    void setImeOpen(WindowId window, bool open) override {
        log_ += "ime " + std::to_string(window) + (open ? " on\n" : " off\n");
        if (ime != Ime::Refusing && ime != Ime::ClosesOnKey)
            ime = open ? Ime::Open : Ime::Closed;
    }
    void pressImeOff() override {
        log_ += "key ime off\n";
        if (ime == Ime::ClosesOnKey)
            ime = Ime::Closed;
    }
    bool capsLockOn() override { return capsLock; }
    void pressCapsLock() override {
        log_ += "caps\n";
        capsLock = !capsLock;
    }

  private:
    std::string& log_;
};

RunSettings settingsFor(InputMode mode, Delivery delivery, ImeMode ime = ImeMode::TurnOffForRun,
                        CapsLockMode caps = CapsLockMode::TurnOffAndRestore) {
    RunSettings s;
    s.iInputMode = mode;
    s.iDelivery = delivery;
    s.iImeMode = ime;
    s.iCapsLockMode = caps;
    return s;
}

} // namespace

TEST(DestinationReadiness, WhatEachModeAndSettingLooksAt) {
    using M = InputMode;
    using D = Delivery;
    const struct {
        RunSettings settings;
        bool ime, capsLock;
    } cases[] = {
        // Letters as keys: both, unless a setting leaves them.
        {settingsFor(M::Keyboard, D::Written), true, true},
        {settingsFor(M::Keyboard, D::KeyPresses), true, true},
        {settingsFor(M::Unicode, D::KeyPresses), true, true},
        {settingsFor(M::Keyboard, D::Written, ImeMode::Leave, CapsLockMode::Leave), false, false},
        {settingsFor(M::Unicode, D::KeyPresses, ImeMode::Leave), false, true},
        {settingsFor(M::Keyboard, D::Written, ImeMode::TurnOffEveryRun, CapsLockMode::Leave), true,
         false},
        // Characters as written: only the IME, and only when asked for every run.
        {settingsFor(M::Unicode, D::Written), false, false},
        {settingsFor(M::Unicode, D::Written, ImeMode::TurnOffEveryRun), true, false},
        // The script decides.
        {settingsFor(M::Script, D::KeyPresses, ImeMode::TurnOffEveryRun), false, false},
    };
    for (const auto& c : cases) {
        const ReadinessNeeds needs = readinessNeeds(c.settings);
        EXPECT_EQ(needs.ime, c.ime)
            << int(c.settings.iInputMode) << int(c.settings.iDelivery) << int(c.settings.iImeMode);
        EXPECT_EQ(needs.capsLock, c.capsLock)
            << int(c.settings.iInputMode) << int(c.settings.iDelivery)
            << int(c.settings.iCapsLockMode);
        EXPECT_EQ(needs.any(), c.ime || c.capsLock);
    }
}

TEST(DestinationReadiness, WhatTheStartChangesForEachDestination) {
    const RunSettings keys = settingsFor(InputMode::Keyboard, Delivery::Written);
    const struct {
        const char* name;
        std::uint16_t language;
        Ime ime;
        bool capsLock;
        WindowId focus;
        RunSettings settings;
        std::string log;
        bool ready, imeClosed, capsLockTurnedOff;
    } cases[] = {
        {"japanese open", kLanguageJapanese, Ime::Open, false, 7, keys, "ime 7 off\n", true, true,
         false},
        {"chinese open", kLanguageChinese, Ime::Open, false, 7, keys, "ime 7 off\n", true, true,
         false},
        {"korean open", kLanguageKorean, Ime::Open, true, 7, keys, "ime 7 off\ncaps\n", true, true,
         true},
        // Other layouts have no composing IME to worry about.
        {"english open", 0x09, Ime::Open, false, 7, keys, "", true, false, false},
        {"german caps", 0x07, Ime::Open, true, 7, keys, "caps\n", true, false, true},
        {"japanese closed", kLanguageJapanese, Ime::Closed, false, 7, keys, "", true, false, false},
        {"unreadable", kLanguageJapanese, Ime::Unreadable, true, 7, keys, "caps\n", true, false,
         true},
        {"no focus", kLanguageJapanese, Ime::Open, false, 0, keys, "", true, false, false},
        {"closes on its key", kLanguageJapanese, Ime::ClosesOnKey, false, 7, keys,
         "ime 7 off\nkey ime off\n", true, true, false},
        // A refusing IME stops the run before Caps Lock is touched.
        {"refusing", kLanguageJapanese, Ime::Refusing, true, 7, keys, "ime 7 off\nkey ime off\n",
         false, false, false},
        {"left as it is", kLanguageJapanese, Ime::Refusing, true, 7,
         settingsFor(InputMode::Keyboard, Delivery::Written, ImeMode::Leave, CapsLockMode::Leave),
         "", true, false, false},
        {"written unicode", kLanguageJapanese, Ime::Open, true, 7,
         settingsFor(InputMode::Unicode, Delivery::Written), "", true, false, false},
        {"written unicode, every run", kLanguageJapanese, Ime::Open, true, 7,
         settingsFor(InputMode::Unicode, Delivery::Written, ImeMode::TurnOffEveryRun),
         "ime 7 off\n", true, true, false},
    };
    for (const auto& c : cases) {
        std::string log;
        FakeInputState state(log);
        state.language = c.language;
        state.ime = c.ime;
        state.capsLock = c.capsLock;
        state.focus = c.focus;
        const ReadinessResult result = prepareDestination(state, c.settings);
        EXPECT_EQ(log, c.log) << c.name;
        EXPECT_EQ(result.ready, c.ready) << c.name;
        EXPECT_EQ(result.changes.imeClosed, c.imeClosed) << c.name;
        EXPECT_EQ(result.changes.imeWindow, c.imeClosed ? c.focus : 0) << c.name;
        EXPECT_EQ(result.changes.capsLockTurnedOff, c.capsLockTurnedOff) << c.name;
        EXPECT_EQ(state.capsLock, c.capsLock && !c.capsLockTurnedOff) << c.name;
    }
}

TEST(DestinationReadiness, TheEndPutsBackOnlyWhatTheStartChanged) {
    std::string log;
    FakeInputState state(log);
    restoreDestination(state, {});
    EXPECT_EQ(log, "");
    // Caps Lock first, then the IME of the window that still has the focus.
    restoreDestination(state, {true, 7, true});
    EXPECT_EQ(log, "caps\nime 7 on\n");
    log.clear();
    state.focus = 8; // another window is in front now: its IME is left alone
    restoreDestination(state, {true, 7, false});
    EXPECT_EQ(log, "");
}

namespace {

// A run rig whose destination has a Japanese IME open and Caps Lock on.
struct ReadyRig : RunRig {
    FakeInputState state{host.log};
    ReadyRig() {
        state.ime = Ime::Open;
        state.capsLock = true;
        run.setDestinationInputState(&state);
    }
};

const std::string kCheck = "title Checking the IME and Caps Lock of the destination - P\n";
const std::string kChanged = "ime 7 off\ncaps\n";
const std::string kRestored = "caps\nime 7 on\n";

} // namespace

TEST(DestinationReadiness, EveryEndOfARunPutsTheStateBack) {
    // A normal end: the check before the first unit, the restore after the last.
    ReadyRig normal;
    normal.runText(u"A");
    EXPECT_NE(normal.take().find(kCheck + kChanged +
                                 "send 10\nkill\ntitle Keyboard "
                                 "Simulating(0%)...\ndown 41 A\nup 41 "
                                 "A\nkill\nidle\ntitle P\n" +
                                 kRestored),
              std::string::npos);
    EXPECT_TRUE(normal.state.capsLock);
    EXPECT_EQ(normal.state.ime, Ime::Open);

    // An error stop, after its message.
    ReadyRig error;
    error.host.settings.iErrorStop = true;
    error.runText(u"A\x3042");
    const std::string errorLog = error.take();
    EXPECT_LT(errorLog.find("message error Invalid character"), errorLog.find(kRestored));
    EXPECT_TRUE(error.state.capsLock);

    // Abort (and Esc, which aborts the same way) in the middle of the sending.
    ReadyRig aborted;
    aborted.host.box = u"ABC";
    aborted.run.startRun();
    aborted.ticks(2);
    aborted.take();
    aborted.run.abortRun();
    EXPECT_EQ(aborted.take(), "kill\nidle\ntitle P\n" + kRestored);
    aborted.run.abortRun();
    aborted.run.stopRun(); // nothing is put back twice
    EXPECT_EQ(aborted.take(), "kill\nidle\ntitle P\n");

    // The destination lost the focus before the end: only Caps Lock.
    ReadyRig moved;
    moved.host.box = u"AB";
    moved.run.startRun();
    moved.ticks(2);
    moved.state.focus = 9;
    moved.ticks(10);
    EXPECT_FALSE(moved.run.running());
    EXPECT_EQ(moved.take().find("ime 7 on"), std::string::npos);
    EXPECT_TRUE(moved.state.capsLock);
}

TEST(DestinationReadiness, NothingIsTouchedBeforeTheSendingOrInScriptMode) {
    // Aborted during the countdown: the check has not happened yet.
    ReadyRig countdown;
    countdown.host.settings.iWaitSec = 3;
    countdown.host.box = u"A";
    countdown.run.startRun();
    countdown.run.abortRun();
    EXPECT_EQ(countdown.take().find("caps"), std::string::npos);

    ReadyRig script;
    script.host.settings.iInputMode = InputMode::Script;
    script.runText(u"x=1", 3);
    EXPECT_EQ(script.take().find("Checking"), std::string::npos);
    EXPECT_TRUE(script.state.capsLock);
}

TEST(DestinationReadiness, AnImeThatStaysOpenStopsTheRunBeforeItsFirstUnit) {
    for (Language lang : {Language::English, Language::Japanese}) {
        ReadyRig r;
        r.state.ime = Ime::Refusing;
        r.host.lang = lang;
        r.host.settings.iLoopNum = 0;
        r.runText(u"A", 20);
        EXPECT_FALSE(r.run.running());
        EXPECT_EQ(r.run.lastEnd(), RunEnd::Error);
        EXPECT_EQ(r.events(), "");
        const std::string log = r.take();
        EXPECT_NE(log.find(lang == Language::English
                               ? "message error The IME of the destination window could not be "
                                 "turned off. Turn it off (Hankaku/Zenkaku key) and start again.\n"
                               : "message error 入力先ウィンドウのIMEをオフにできませんでした。"),
                  std::string::npos);
        // Caps Lock was never turned off, so it is not pressed at the end either.
        EXPECT_EQ(log.find("caps"), std::string::npos);
        EXPECT_TRUE(r.state.capsLock);
    }
}
