// What a text sends: characters, key notations, waits, pauses, repeat blocks
// and the errors among them, in keyboard and Unicode mode.
#include "fake_run_host.h"
#include "keystroke/key_notation.h"
#include "keystroke/key_tables.h"

#include <gtest/gtest.h>

using namespace tapwell;
using tapwell::test::Lines;
using tapwell::test::RunRig;

namespace {

enum Flags { kUni = 1, kStop = 2, kJa = 4, kNoTab = 8, kNoSpace = 16, kNoEnter = 32 };

struct Outcome {
    Lines events;
    std::vector<std::u16string> messages;
    std::vector<std::uint32_t> sleeps;
    RunEnd end;
};

Outcome send(std::u16string text, int flags = 0) {
    RunRig r;
    RunSettings& s = r.host.settings;
    s.iInputMode = flags & kUni ? InputMode::Unicode : InputMode::Keyboard;
    s.iErrorStop = flags & kStop;
    s.iDisableTab = flags & kNoTab;
    s.iDisableSpace = flags & kNoSpace;
    s.iDisableEnter = flags & kNoEnter;
    r.host.lang = flags & kJa ? Language::Japanese : Language::English;
    r.runText(std::move(text));
    return {r.events(), r.host.messageTexts(), r.host.sleeps, r.run.lastEnd()};
}

const Lines kEnter = {"down 0D VK_RETURN", "up 0D VK_RETURN"};
const Lines kA = {"down 41 A", "up 41 A"};

struct Case {
    std::u16string text;
    int flags;
    Lines events;
    std::u16string message = u""; // none; a run with a message ends in an error
};

void expectCases(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text.begin(), c.text.end()) + " flags " +
                     std::to_string(c.flags));
        Outcome o = send(c.text, c.flags);
        EXPECT_EQ(o.events, c.events);
        EXPECT_EQ(o.messages, c.message.empty() ? std::vector<std::u16string>{}
                                                : std::vector<std::u16string>{c.message});
        EXPECT_EQ(o.end, c.message.empty() ? RunEnd::Normal : RunEnd::Error);
    }
}

} // namespace

TEST(KeyNotation, BracketFormsPressHoldAndRelease) {
    const Lines shiftA = {"down 10 VK_SHIFT", "down 41 A", "up 41 A", "up 10 VK_SHIFT"};
    expectCases({
        {u"[VK_SHIFT)A(VK_SHIFT]", 0, shiftA},
        {u"[VK_F5]", 0, {"down 74 VK_F5", "up 74 VK_F5"}},
        {u"(VK_SHIFT)", 0, {}},
        {u"[VK_RETURN]", kUni, kEnter},
        {u"[VK_SHIFT)a(VK_SHIFT]", kUni, {"down 10 VK_SHIFT", "char 0061", "up 10 VK_SHIFT"}},
        // Numeric codes in every base, read like strtol, low 8 bits taken.
        {u"[13]", 0, kEnter},
        {u"[0x0d]", 0, kEnter},
        {u"[0X0D]", 0, kEnter},
        {u"[015]", 0, kEnter},
        {u"[ +13]", 0, kEnter},
        {u"[13abc]", 0, kEnter},
        {u"[269]", 0, kEnter},
        {u"[0]", 0, {"down 30 0", "up 30 0"}}, // the name wins
        {u"[-3]", 0, {"down FD VK_PA1", "up FD VK_PA1"}},
        {u"[99999999999]", 0, {"down FF -", "up FF -"}}, // saturates at 2^31-1
        // Brackets do not nest and their kinds need not match: the first
        // closing bracket ends the body "[VK_SHIFT", which names no key.
        {u"[[VK_SHIFT]]", kUni, {"char 005D"}},
        {u"[A)B]", kUni, {"down 41 A", "char 0042", "char 005D"}},
        {u"(A]", 0, {"up 41 A"}},
        // Without error stop an unclosed body runs to the end of the text.
        {u"A[VK_SHIFT", 0, {"down 41 A", "up 41 A", "down 10 VK_SHIFT"}},
        {u"[VK_SHIFT BCD", 0, {}},
        {u"[Hello", kUni, {}},
        {u"x[abc def", kUni, {"char 0078"}},
        // With error stop: parentheses alone and a missing bracket are errors.
        {u"(VK_SHIFT)A", kStop, {}, u"'(...)' has no meaning."},
        {u"(13)",
         kUni | kStop | kJa,
         {},
         u"'(' と ')' で囲まれた文字があります。押しも離しもしないため、意味がありません。"},
        {u"A[VK_SHIFT", kStop, kA, u"']' or ')' is missing"},
        {u"(x", kUni | kStop | kJa, {}, u"']' または ')' が足りません。"},
    });
}

TEST(KeyNotation, ZeroCodesAndUnknownNamesAreSkippedEvenWithErrorStop) {
    for (int flags : {0, int(kStop)})
        for (const char16_t* t :
             {u"[256]", u"[FOO]", u"[vk_shift]", u"[VK_A]", u"[08]", u"[0xg]", u"[]", u"(FOO)",
              u"[ＶＫ_SHIFT]", u"[\uFF11\uFF13]", u"[\u300013]"})
            expectCases({{std::u16string(t) + u"A", flags, kA}});
}

TEST(KeyNotation, NotationIgnoresTheSkipSettings) {
    Outcome o = send(u"[VK_RETURN][VK_SPACE]\n ", kNoSpace | kNoEnter);
    EXPECT_EQ(o.events, (Lines{"down 0D VK_RETURN", "up 0D VK_RETURN", "down 20 VK_SPACE",
                               "up 20 VK_SPACE"}));
}

TEST(KeyNotation, WaitSleepsWhateverTheBracketsAndCase) {
    for (const char16_t* t : {u"[WAIT:1000]", u"[wait:1000]", u"(WAIT:1000)", u"[Wait: 1000)"}) {
        Outcome o = send(t, kStop);
        EXPECT_TRUE(o.events.empty());
        EXPECT_TRUE(o.messages.empty());
        EXPECT_EQ(o.sleeps, std::vector<std::uint32_t>{1000});
    }
    const struct {
        const char16_t* text;
        std::vector<std::uint32_t> sleeps;
    } cases[] = {
        {u"[WAIT:x]", {0}},
        {u"[WAIT:-5]", {0}},
        {u"[WAIT:-99999999999]", {0}},
        {u"[WAIT:99999999999]", {2147483647u}},
        {u"[WAIT:]", {}}, // "WAIT:" alone is a body that names no key
    };
    for (const auto& c : cases)
        EXPECT_EQ(send(c.text).sleeps, c.sleeps) << static_cast<char>(c.text[6]);
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

// --- Repeat blocks -----------------------------------------------------------

TEST(RepeatBlocks, RepeatAndNest) {
    const struct {
        const char16_t* text;
        std::string keys;
    } cases[] = {{u"{3:AB}", "ABABAB"},
                 {u"{2:A{2:B}C}", "ABBCABBC"},
                 {u"{1:A}B", "AB"},
                 {u"{2:{2:{2:A}}}", "AAAAAAAA"},
                 {u"{ 2xyz:A}", "AA"}}; // the count is read like strtol
    for (const auto& c : cases) {
        std::string keys;
        for (const std::string& e : send(c.text).events)
            if (e.rfind("down ", 0) == 0)
                keys += e.substr(8);
        EXPECT_EQ(keys, c.keys);
    }
}

TEST(RepeatBlocks, BadCountsAndUnbalancedBracesStopWhateverErrorStopSays) {
    std::vector<Case> cases = {
        // Without a colon the count is read from the rest; the block stays open.
        {u"A{3B}", 0, kA, u"{ are too many."},
        {u"A{B}", 0, kA, u"Invalid repeat number.\nB}"},
        {u"{1:A}}B", 0, kA, u"} are too many."},
        {u"}", kUni | kJa, {}, u"} の数が多すぎます。"},
        {u"{2:A", kJa, kA, u"{ の数が多すぎます。"},
        {u"{0:A}", kUni | kJa, {}, u"繰り返し回数が不正です。\n0"},
    };
    for (const char16_t* count : {u"0", u"x", u"", u"-2", u"-99999999999"})
        for (int flags : {0, int(kStop)})
            cases.push_back({u"A{" + std::u16string(count) + u":B}", flags, kA,
                             u"Invalid repeat number.\n" + std::u16string(count)});
    expectCases(cases);
}

TEST(RepeatBlocks, ErrorBoxesAndTheEndOfThePass) {
    RunRig extra;
    extra.runText(u"{1:A}}B");
    ASSERT_EQ(extra.host.messages.size(), 1u);
    EXPECT_EQ(extra.host.messages[0].icon, RunIcon::Error);
    EXPECT_EQ(extra.host.messages[0].owner, RunMessageOwner::Dialog);

    // An unclosed block is found at the end of the first pass: a warning.
    RunRig open;
    open.host.settings.iLoopNum = 3;
    open.runText(u"{2:A");
    EXPECT_EQ(open.events(), kA);
    ASSERT_EQ(open.host.messages.size(), 1u);
    EXPECT_EQ(open.host.messages[0].icon, RunIcon::Exclamation);
    EXPECT_EQ(open.run.passesDone(), 0u);

    RunRig closed; // every pass starts with an empty stack
    closed.host.settings.iLoopNum = 2;
    closed.runText(u"{2:AB}");
    EXPECT_EQ(closed.events().size(), 16u);
    EXPECT_TRUE(closed.host.messages.empty());
    EXPECT_TRUE(closed.run.repeatStack().empty());
}

// --- Characters --------------------------------------------------------------

TEST(Characters, InvalidOnesAreSkippedOrStopTheRunWithErrorStop) {
    std::vector<Case> cases = {
        {u"a", kStop | kJa, {}, u"無効な文字が入力されています - 'a'"},
    };
    for (const char16_t* t : {u"a", u")", u"漢", u"\"", u"#", u"$", u"%", u"&", u"'"}) {
        cases.push_back({std::u16string(t) + u"B", 0, {"down 42 B", "up 42 B"}});
        cases.push_back({std::u16string(t) + u"B",
                         kStop,
                         {},
                         u"Invalid character - '" + std::u16string(t) + u"'"});
    }
    expectCases(cases);
}

TEST(Characters, WhiteSpaceIsKeysInBothModesAndEachCanBeIgnored) {
    const Lines tab = {"down 09 VK_TAB", "up 09 VK_TAB"};
    const Lines space = {"down 20 VK_SPACE", "up 20 VK_SPACE"};
    auto cat = [](std::initializer_list<Lines> parts) {
        Lines all;
        for (const Lines& p : parts)
            all.insert(all.end(), p.begin(), p.end());
        return all;
    };
    for (int mode : {0, int(kUni)})
        expectCases({{u"\t \r\n", mode, cat({tab, space, kEnter})},
                     {u"\t \n", mode | kNoTab, cat({space, kEnter})},
                     {u"\t \n", mode | kNoSpace, cat({tab, kEnter})},
                     {u"\t \n\t", mode | kNoTab | kNoSpace | kNoEnter, {}}});
}

TEST(Characters, KeyboardModeMapsBeforeNotationAndUnicodeModeSendsEveryUnit) {
    const Lines open = {"down DB VK_OEM_4", "up DB VK_OEM_4"};
    expectCases({
        // A doubled or last bracket is the bracket key in keyboard mode, a
        // notation naming no key in Unicode mode.
        {u"[[", 0, open},
        {u"A[", 0, {"down 41 A", "up 41 A", "down DB VK_OEM_4", "up DB VK_OEM_4"}},
        {u"[[", kUni, {}},
        {u"A[", kUni, {"char 0041"}},
        // Closing brackets outside a notation are keys or characters.
        {u"]", 0, {"down DD VK_OEM_6", "up DD VK_OEM_6"}},
        {u"])", kUni, {"char 005D", "char 0029"}},
        // Keyboard mode sends no modifiers: = is the unshifted minus key.
        {u"=-",
         0,
         {"down BD VK_OEM_MINUS", "up BD VK_OEM_MINUS", "down BD VK_OEM_MINUS",
          "up BD VK_OEM_MINUS"}},
        {u"Hello", kUni, {"char 0048", "char 0065", "char 006C", "char 006C", "char 006F"}},
        {u"漢字", kUni, {"char 6F22", "char 5B57"}},
        {u"\U0001F600", kUni, {"char D83D", "char DE00"}},
        {std::u16string(1, u'\xDC00'), kUni, {"char DC00"}},
        {u"a:1", kUni | kStop, {"char 0061", "char 003A", "char 0031"}},
    });
}

TEST(Characters, KeyboardModeKeysShareTheirKeycapsShiftedOrNot) {
    const struct {
        const char16_t* units;
        std::uint8_t vk;
    } rows[] = {
        {u"-=", 0xBD}, {u"^~", 0xDE}, {u"\\|", 0xDC}, {u"@`", 0xC0}, {u";+", 0xBB}, {u":*", 0xBA},
        {u"]", 0xDD},  {u",<", 0xBC}, {u".>", 0xBE},  {u"/?", 0xBF}, {u"_", 0xE2},
    };
    auto keyOf = [](char16_t c) {
        std::u16string text(1, c);
        std::size_t pos = 0;
        return mapKeyboardChar(text, pos);
    };
    for (const auto& row : rows)
        for (const char16_t* u = row.units; *u; ++u)
            EXPECT_EQ(keyOf(*u), row.vk) << static_cast<char>(*u);
    for (char16_t c : u"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ")
        if (c)
            EXPECT_EQ(keyOf(c), c);
}
