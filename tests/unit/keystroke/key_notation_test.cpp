#include "fake_run_host.h"
#include "keystroke/key_notation.h"

#include <gtest/gtest.h>

using namespace tapwell;
using tapwell::test::RunRig;

namespace {

using Lines = std::vector<std::string>;

struct Outcome {
    Lines events;
    std::vector<std::u16string> messages;
    std::vector<std::uint32_t> sleeps;
    RunEnd end;
};

Outcome send(std::u16string text, InputMode mode = InputMode::Keyboard, bool errorStop = false,
             Language lang = Language::English) {
    RunRig r;
    r.host.settings.iInputMode = mode;
    r.host.settings.iErrorStop = errorStop;
    r.host.lang = lang;
    r.runText(std::move(text));
    return {r.events(), r.messageTexts(), r.host.sleeps, r.run.lastEnd()};
}

const Lines kEnter = {"down 0D VK_RETURN", "up 0D VK_RETURN"};

} // namespace

// --- Bracket forms -------------------------------------------------------------

TEST(KeyNotation, SquareAndRoundBracketsPressHoldAndRelease) {
    EXPECT_EQ(send(u"[VK_SHIFT)A(VK_SHIFT]").events,
              (Lines{"down 10 VK_SHIFT", "down 41 A", "up 41 A", "up 10 VK_SHIFT"}));
    EXPECT_EQ(send(u"[VK_CONTROL)V(VK_CONTROL]").events,
              (Lines{"down 11 VK_CONTROL", "down 56 V", "up 56 V", "up 11 VK_CONTROL"}));
    EXPECT_EQ(send(u"[VK_F5]").events, (Lines{"down 74 VK_F5", "up 74 VK_F5"}));
    EXPECT_EQ(send(u"(VK_SHIFT)").events, Lines{});
}

TEST(KeyNotation, SameFormsInUnicodeMode) {
    EXPECT_EQ(send(u"[VK_RETURN]", InputMode::Unicode).events, kEnter);
    EXPECT_EQ(send(u"[VK_SHIFT)a(VK_SHIFT]", InputMode::Unicode).events,
              (Lines{"down 10 VK_SHIFT", "char 0061", "up 10 VK_SHIFT"}));
}

TEST(KeyNotation, NumericCodesInEveryBase) {
    for (const char16_t* t : {u"[13]", u"[0x0d]", u"[0X0D]", u"[015]", u"[ +13]", u"[13abc]"})
        EXPECT_EQ(send(t).events, kEnter) << std::string(t, t + 3);
    EXPECT_EQ(send(u"[0]").events, (Lines{"down 30 0", "up 30 0"})); // the name wins
    EXPECT_EQ(send(u"[269]").events, kEnter);                        // low 8 bits
    EXPECT_EQ(send(u"[-3]").events, (Lines{"down FD VK_PA1", "up FD VK_PA1"}));
    // Out of range saturates at 2147483647, whose low 8 bits are 255.
    EXPECT_EQ(send(u"[99999999999]").events, (Lines{"down FF -", "up FF -"}));
}

TEST(KeyNotation, ZeroCodesAndUnknownNamesAreSkippedEvenWithErrorStop) {
    for (bool errorStop : {false, true}) {
        for (const char16_t* t : {u"[256]", u"[FOO]", u"[vk_shift]", u"[VK_A]", u"[08]", u"[0xg]",
                                  u"[]", u"(FOO)", u"[ＶＫ_SHIFT]"}) {
            Outcome o = send(std::u16string(t) + u"A", InputMode::Keyboard, errorStop);
            EXPECT_EQ(o.events, (Lines{"down 41 A", "up 41 A"}));
            EXPECT_TRUE(o.messages.empty());
        }
    }
}

TEST(KeyNotation, BracketsDoNotNestAndKindsNeedNotMatch) {
    // The first closing bracket of either kind ends the body "[VK_SHIFT",
    // which names no key; the second bracket is then a character.
    EXPECT_EQ(send(u"[[VK_SHIFT]]", InputMode::Unicode).events, (Lines{"char 005D"}));
    EXPECT_EQ(send(u"[A)B]", InputMode::Unicode).events,
              (Lines{"down 41 A", "char 0042", "char 005D"}));
    EXPECT_EQ(send(u"(A]").events, (Lines{"up 41 A"}));
}

TEST(KeyNotation, ParenthesesOnlyIsAnErrorWithErrorStop) {
    Outcome o = send(u"(VK_SHIFT)A", InputMode::Keyboard, true);
    EXPECT_TRUE(o.events.empty());
    EXPECT_EQ(o.messages, std::vector<std::u16string>{u"'(...)' has no meaning."});
    EXPECT_EQ(o.end, RunEnd::Error);
    o = send(u"(13)", InputMode::Unicode, true, Language::Japanese);
    EXPECT_EQ(
        o.messages,
        std::vector<std::u16string>{
            u"'(' と ')' で囲まれた文字があります。押しも離しもしないため、意味がありません。"});
}

TEST(KeyNotation, MissingClosingBracket) {
    // Without error stop the rest of the text is the body: a press that stays.
    EXPECT_EQ(send(u"A[VK_SHIFT").events, (Lines{"down 41 A", "up 41 A", "down 10 VK_SHIFT"}));
    // A body that names no key: nothing is sent and the pass ends there.
    Outcome o = send(u"[VK_SHIFT BCD");
    EXPECT_TRUE(o.events.empty());
    EXPECT_EQ(o.end, RunEnd::Normal);
    EXPECT_TRUE(send(u"[Hello", InputMode::Unicode).events.empty());
    // With error stop it is an error.
    o = send(u"A[VK_SHIFT", InputMode::Keyboard, true);
    EXPECT_EQ(o.events, (Lines{"down 41 A", "up 41 A"}));
    EXPECT_EQ(o.messages, std::vector<std::u16string>{u"']' or ')' is missing"});
    EXPECT_EQ(send(u"(x", InputMode::Unicode, true, Language::Japanese).messages,
              std::vector<std::u16string>{u"']' または ')' が足りません。"});
}

TEST(KeyNotation, NotationIgnoresTheSkipSettings) {
    RunRig r;
    r.host.settings.iDisableEnter = true;
    r.host.settings.iDisableSpace = true;
    r.runText(u"[VK_RETURN][VK_SPACE]\n ");
    EXPECT_EQ(r.events(), (Lines{"down 0D VK_RETURN", "up 0D VK_RETURN", "down 20 VK_SPACE",
                                 "up 20 VK_SPACE"}));
}

// --- Waits and pauses ------------------------------------------------------------

TEST(KeyNotation, WaitSleepsWhateverTheBracketsAndCase) {
    for (const char16_t* t : {u"[WAIT:1000]", u"[wait:1000]", u"(WAIT:1000)", u"[Wait: 1000)"}) {
        Outcome o = send(t, InputMode::Keyboard, true);
        EXPECT_TRUE(o.events.empty());
        EXPECT_TRUE(o.messages.empty());
        EXPECT_EQ(o.sleeps, std::vector<std::uint32_t>{1000});
    }
    EXPECT_EQ(send(u"[WAIT:x]").sleeps, std::vector<std::uint32_t>{0});
    EXPECT_EQ(send(u"[WAIT:-5]").sleeps, std::vector<std::uint32_t>{0});
    EXPECT_EQ(send(u"[WAIT:-99999999999]").sleeps, std::vector<std::uint32_t>{0});
    EXPECT_EQ(send(u"[WAIT:99999999999]").sleeps, std::vector<std::uint32_t>{2147483647u});
    // "WAIT:" alone is not longer than five units: a body without a key.
    EXPECT_TRUE(send(u"[WAIT:]").sleeps.empty());
}

TEST(KeyNotation, PauseBoxHasNoOwnerAndTheRunGoesOnAfterIt) {
    for (Language lang : {Language::English, Language::Japanese}) {
        RunRig r;
        r.host.lang = lang;
        std::size_t eventsDuringPause = 99;
        r.host.duringMessage = [&](const RunMessage&) {
            eventsDuringPause = r.sink.events().size();
        };
        r.runText(u"A!B");
        ASSERT_EQ(r.host.messages.size(), 1u);
        const RunMessage& m = r.host.messages[0];
        EXPECT_EQ(m.text, lang == Language::English ? u"Push [OK] button to continue."
                                                    : u"OKボタンを押してください。");
        EXPECT_EQ(m.icon, RunIcon::Information);
        EXPECT_EQ(m.owner, RunMessageOwner::None);
        EXPECT_EQ(eventsDuringPause, 2u);
        EXPECT_EQ(r.events().size(), 4u);
        EXPECT_EQ(r.run.lastEnd(), RunEnd::Normal);
    }
}

// --- Repeat blocks ---------------------------------------------------------------

TEST(RepeatBlocks, RepeatAndNest) {
    auto keys = [](const Lines& events) {
        std::string s;
        for (const std::string& e : events)
            if (e.rfind("down ", 0) == 0)
                s += e.substr(8);
        return s;
    };
    EXPECT_EQ(keys(send(u"{3:AB}").events), "ABABAB");
    EXPECT_EQ(keys(send(u"{2:A{2:B}C}").events), "ABBCABBC");
    EXPECT_EQ(keys(send(u"{1:A}B").events), "AB");
    EXPECT_EQ(keys(send(u"{2:{2:{2:A}}}").events), "AAAAAAAA");
    EXPECT_EQ(keys(send(u"{ 2xyz:A}").events), "AA"); // count read like strtol
}

TEST(RepeatBlocks, InvalidCountsStopWhateverErrorStopSays) {
    struct Case {
        const char16_t* text;
        const char16_t* shown;
    };
    for (Case c : {Case{u"A{0:B}", u"0"}, Case{u"A{x:B}", u"x"}, Case{u"A{:B}", u""},
                   Case{u"A{-2:B}", u"-2"}, Case{u"A{-99999999999:B}", u"-99999999999"}}) {
        for (bool errorStop : {false, true}) {
            Outcome o = send(c.text, InputMode::Keyboard, errorStop);
            EXPECT_EQ(o.events, (Lines{"down 41 A", "up 41 A"}));
            EXPECT_EQ(o.messages, std::vector<std::u16string>{u"Invalid repeat number.\n" +
                                                              std::u16string(c.shown)});
            EXPECT_EQ(o.end, RunEnd::Error);
        }
    }
    EXPECT_EQ(send(u"{0:A}", InputMode::Unicode, false, Language::Japanese).messages,
              std::vector<std::u16string>{u"繰り返し回数が不正です。\n0"});
}

TEST(RepeatBlocks, WithoutColonTheCountIsReadFromTheRestAndTheBlockStaysOpen) {
    Outcome o = send(u"A{3B}");
    EXPECT_EQ(o.events, (Lines{"down 41 A", "up 41 A"}));
    EXPECT_EQ(o.messages, std::vector<std::u16string>{u"{ are too many."});
    o = send(u"A{B}");
    EXPECT_EQ(o.messages, std::vector<std::u16string>{u"Invalid repeat number.\nB}"});
}

TEST(RepeatBlocks, TooManyClosingBraces) {
    RunRig r;
    r.runText(u"{1:A}}B");
    EXPECT_EQ(r.events(), (Lines{"down 41 A", "up 41 A"}));
    ASSERT_EQ(r.host.messages.size(), 1u);
    EXPECT_EQ(r.host.messages[0].text, u"} are too many.");
    EXPECT_EQ(r.host.messages[0].icon, RunIcon::Error);
    EXPECT_EQ(r.host.messages[0].owner, RunMessageOwner::Dialog);
    EXPECT_EQ(send(u"}", InputMode::Unicode, false, Language::Japanese).messages,
              std::vector<std::u16string>{u"} の数が多すぎます。"});
}

TEST(RepeatBlocks, UnclosedBlockIsReportedAtTheEndOfThePass) {
    RunRig r;
    r.host.settings.iLoopNum = 3;
    r.runText(u"{2:A");
    EXPECT_EQ(r.events(), (Lines{"down 41 A", "up 41 A"}));
    ASSERT_EQ(r.host.messages.size(), 1u);
    EXPECT_EQ(r.host.messages[0].text, u"{ are too many.");
    EXPECT_EQ(r.host.messages[0].icon, RunIcon::Exclamation);
    EXPECT_EQ(r.run.passesDone(), 0u);
    EXPECT_EQ(r.run.lastEnd(), RunEnd::Error);
    EXPECT_EQ(send(u"{2:A", InputMode::Keyboard, false, Language::Japanese).messages,
              std::vector<std::u16string>{u"{ の数が多すぎます。"});
}

TEST(RepeatBlocks, EveryPassStartsWithAnEmptyStack) {
    RunRig r;
    r.host.settings.iLoopNum = 2;
    r.runText(u"{2:AB}");
    EXPECT_EQ(r.events().size(), 16u);
    EXPECT_TRUE(r.host.messages.empty());
    EXPECT_TRUE(r.run.repeatStack().empty());
}

// --- Invalid characters ------------------------------------------------------------

TEST(InvalidCharacters, SkippedOrStoppingWithErrorStop) {
    for (const char16_t* t : {u"a", u")", u"漢", u"\"", u"#", u"$", u"%", u"&", u"'"}) {
        Outcome quiet = send(std::u16string(t) + u"B");
        EXPECT_EQ(quiet.events, (Lines{"down 42 B", "up 42 B"}));
        EXPECT_TRUE(quiet.messages.empty());
        Outcome stopped = send(std::u16string(t) + u"B", InputMode::Keyboard, true);
        EXPECT_TRUE(stopped.events.empty());
        EXPECT_EQ(stopped.messages,
                  std::vector<std::u16string>{u"Invalid character - '" + std::u16string(t) + u"'"});
        EXPECT_EQ(stopped.end, RunEnd::Error);
    }
    EXPECT_EQ(send(u"a", InputMode::Keyboard, true, Language::Japanese).messages,
              std::vector<std::u16string>{u"無効な文字が入力されています - 'a'"});
}

TEST(ReadLong32, ReadsLikeTheWindowsStrtol) {
    const struct {
        const char16_t* text;
        int base;
        std::int32_t value;
    } cases[] = {
        {u" \t\n\v\f\r42x", 10, 42},
        {u"-7", 10, -7},
        {u"-", 10, 0},
        {u"1 2", 10, 1},
        {u"\uFF11\uFF12", 10, 0}, // only ASCII digits
        {u"\u30001", 10, 0},      // and ASCII blanks count
        {u"2147483648", 10, INT32_MAX},
        {u"-2147483648", 10, INT32_MIN},
        {u"-2147483649", 10, INT32_MIN},
        {u"99999999999999999999999999", 10, INT32_MAX},
        {u"0XfF", 16, 255},
        {u"0xg1", 16, 0}, // the prefix needs a digit after it
        {u"-0x80000000", 16, INT32_MIN},
        {u"0x80000000", 16, INT32_MAX},
        {u"018", 8, 1},
        {u"037777777777", 8, INT32_MAX},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readLong32(c.text, c.base), c.value) << c.base;
}
