#include "quick/start_sequence.h"

#include <gtest/gtest.h>

#include <set>

namespace tapwell {
namespace {

constexpr std::uint8_t kLeftCtrl = 0xA2, kLeftAlt = 0xA4, kRightShift = 0xA1, kLeftWin = 0x5B;

// The sequence on a virtual clock polled every 10 ms, with the keys a test
// holds down.
struct Rig {
    std::uint64_t now = 1000;
    std::set<std::uint8_t> held;
    QuickStartSequence seq;
    explicit Rig(Hotkey h) : seq(h, 1000) {}
    StartStep poll() {
        return seq.poll(now, [this](std::uint8_t vk) { return held.count(vk) != 0; });
    }
    // Polls until the sequence decides; returns the step and sets `now`.
    StartStep runUntilDecided(std::uint64_t limitMs = 60000) {
        for (; now < 1000 + limitMs; now += QuickStartSequence::kPollMs)
            if (StartStep s = poll(); s != StartStep::Wait)
                return s;
        return StartStep::Wait;
    }
};

const Hotkey kCtrlAltV{'V' | Hotkey::kCtrl | Hotkey::kAlt};

TEST(QuickStart, MaskKeyOnlyWithAltOrWin) {
    EXPECT_TRUE(QuickStartSequence(kCtrlAltV, 0).needsMaskKey());
    EXPECT_TRUE(
        QuickStartSequence(Hotkey::of('T', Hotkey::kWin | Hotkey::kShift), 0).needsMaskKey());
    EXPECT_FALSE(
        QuickStartSequence(Hotkey::of('V', Hotkey::kCtrl | Hotkey::kShift), 0).needsMaskKey());
    EXPECT_FALSE(QuickStartSequence(Hotkey{}, 0).needsMaskKey());
}

TEST(QuickStart, StartsOneSettleTimeAfterTheLastKeyIsUp) {
    Rig r(kCtrlAltV);
    r.held = {kLeftCtrl, kLeftAlt, 'V'};
    // Released one by one; never a start while any is down.
    for (int i = 0; i < 30; ++i, r.now += 10)
        EXPECT_EQ(r.poll(), StartStep::Wait);
    r.held.erase('V');
    for (int i = 0; i < 30; ++i, r.now += 10)
        EXPECT_EQ(r.poll(), StartStep::Wait);
    r.held.erase(kLeftAlt);
    r.now += 10;
    EXPECT_EQ(r.poll(), StartStep::Wait);
    EXPECT_FALSE(r.seq.released());
    r.held.erase(kLeftCtrl);
    const std::uint64_t up = r.now += 10;
    EXPECT_EQ(r.poll(), StartStep::Wait);
    EXPECT_TRUE(r.seq.released()); // the run may begin, holding
    EXPECT_EQ(r.runUntilDecided(), StartStep::Start);
    EXPECT_EQ(r.now - up, QuickStartSequence::kSettleMs);
}

TEST(QuickStart, AnyModifierOrTheHotkeysKeyHoldsItBack) {
    for (std::uint8_t vk : {std::uint8_t(0x10), std::uint8_t(0x11), std::uint8_t(0x12), kRightShift,
                            std::uint8_t(0xA3), std::uint8_t(0xA5), kLeftWin, std::uint8_t(0x5C),
                            std::uint8_t('V')}) {
        Rig r(kCtrlAltV);
        r.held = {vk};
        EXPECT_EQ(r.runUntilDecided(9000), StartStep::Wait) << int(vk);
        EXPECT_TRUE(isWatchedModifier(vk) || vk == 'V');
    }
    // A letter that is not the hotkey's key is the user typing: no reason
    // to wait.
    Rig r(kCtrlAltV);
    r.held = {'X'};
    EXPECT_EQ(r.runUntilDecided(), StartStep::Start);
    EXPECT_FALSE(isWatchedModifier('X'));
}

TEST(QuickStart, AKeyPressedDuringTheSettleTimeStartsItAnew) {
    Rig r(kCtrlAltV);
    EXPECT_EQ(r.poll(), StartStep::Wait);
    r.now += 100;
    r.held = {kRightShift};
    EXPECT_EQ(r.poll(), StartStep::Wait);
    EXPECT_FALSE(r.seq.released());
    r.now += 100;
    r.held.clear();
    const std::uint64_t up = r.now;
    EXPECT_EQ(r.runUntilDecided(), StartStep::Start);
    EXPECT_EQ(r.now - up, QuickStartSequence::kSettleMs);
}

TEST(QuickStart, KeysHeldForTenSecondsCancel) {
    Rig r(kCtrlAltV);
    r.held = {kLeftCtrl};
    EXPECT_EQ(r.runUntilDecided(), StartStep::Cancel);
    EXPECT_EQ(r.now - 1000, QuickStartSequence::kGiveUpMs);
    // Released just before the limit: the settle time still runs out.
    Rig late(kCtrlAltV);
    late.held = {kLeftCtrl};
    late.now = 1000 + QuickStartSequence::kGiveUpMs - 10;
    EXPECT_EQ(late.poll(), StartStep::Wait);
    late.held.clear();
    EXPECT_EQ(late.runUntilDecided(), StartStep::Start);
    EXPECT_GT(late.now - 1000, QuickStartSequence::kGiveUpMs);
}

} // namespace
} // namespace tapwell
