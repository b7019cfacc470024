#include "fake_run_host.h"

#include <gtest/gtest.h>

using namespace tapwell;
using tapwell::test::RunRig;

namespace {

using Lines = std::vector<std::string>;

Lines sendWith(std::u16string text, InputMode mode, bool ignoreTab = false,
               bool ignoreSpace = false, bool ignoreEnter = false, bool errorStop = false) {
    RunRig r;
    r.host.settings.iInputMode = mode;
    r.host.settings.iDisableTab = ignoreTab;
    r.host.settings.iDisableSpace = ignoreSpace;
    r.host.settings.iDisableEnter = ignoreEnter;
    r.host.settings.iErrorStop = errorStop;
    r.runText(std::move(text));
    return r.events();
}

const Lines kTabSpaceEnter = {"down 09 VK_TAB", "up 09 VK_TAB",      "down 20 VK_SPACE",
                              "up 20 VK_SPACE", "down 0D VK_RETURN", "up 0D VK_RETURN"};

} // namespace

TEST(ProcessCharacter, WhiteSpaceIsKeysInBothModesAndEachCanBeIgnored) {
    for (InputMode mode : {InputMode::Keyboard, InputMode::Unicode}) {
        Lines expected = kTabSpaceEnter;
        EXPECT_EQ(sendWith(u"\t \r\n", mode), expected);
        EXPECT_EQ(sendWith(u"\t \n", mode, true), Lines(expected.begin() + 2, expected.end()));
        EXPECT_EQ(
            sendWith(u"\t \n", mode, false, true),
            (Lines{"down 09 VK_TAB", "up 09 VK_TAB", "down 0D VK_RETURN", "up 0D VK_RETURN"}));
        EXPECT_EQ(sendWith(u"\t \n\t", mode, true, true, true), Lines{});
    }
}

TEST(ProcessCharacter, KeyboardModeMapsBeforeNotationAndUnicodeModeDoesNot) {
    // A doubled bracket is the bracket key in keyboard mode, a notation in
    // Unicode mode, where it names no key.
    EXPECT_EQ(sendWith(u"[[", InputMode::Keyboard), (Lines{"down DB VK_OEM_4", "up DB VK_OEM_4"}));
    EXPECT_EQ(sendWith(u"A[", InputMode::Keyboard),
              (Lines{"down 41 A", "up 41 A", "down DB VK_OEM_4", "up DB VK_OEM_4"}));
    EXPECT_EQ(sendWith(u"[[", InputMode::Unicode), Lines{});
    EXPECT_EQ(sendWith(u"A[", InputMode::Unicode), (Lines{"char 0041"}));
    // The closing brackets are keys or characters outside a notation.
    EXPECT_EQ(sendWith(u"]", InputMode::Keyboard), (Lines{"down DD VK_OEM_6", "up DD VK_OEM_6"}));
    EXPECT_EQ(sendWith(u"])", InputMode::Unicode), (Lines{"char 005D", "char 0029"}));
    EXPECT_EQ(sendWith(u")", InputMode::Keyboard, false, false, false, true), Lines{});
}

TEST(ProcessCharacter, KeyboardModeSendsNoModifiers) {
    EXPECT_EQ(sendWith(u"=-", InputMode::Keyboard),
              (Lines{"down BD VK_OEM_MINUS", "up BD VK_OEM_MINUS", "down BD VK_OEM_MINUS",
                     "up BD VK_OEM_MINUS"}));
}

TEST(UnicodeMode, EveryOtherUnitIsACharacterEvent) {
    EXPECT_EQ(sendWith(u"Hello", InputMode::Unicode),
              (Lines{"char 0048", "char 0065", "char 006C", "char 006C", "char 006F"}));
    EXPECT_EQ(sendWith(u"漢字", InputMode::Unicode), (Lines{"char 6F22", "char 5B57"}));
    EXPECT_EQ(sendWith(u"\U0001F600", InputMode::Unicode), (Lines{"char D83D", "char DE00"}));
    EXPECT_EQ(sendWith(std::u16string(1, u'\xDC00'), InputMode::Unicode), (Lines{"char DC00"}));
    EXPECT_EQ(sendWith(u"a:1", InputMode::Unicode, false, false, false, true),
              (Lines{"char 0061", "char 003A", "char 0031"}));
}

TEST(UnicodeMode, UnclosedBracketSwallowsTheRest) {
    EXPECT_EQ(sendWith(u"x[abc def", InputMode::Unicode), (Lines{"char 0078"}));
}
