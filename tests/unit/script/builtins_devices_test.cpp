#include "builtin_test_env.h"

#include <gtest/gtest.h>

namespace tapwell::test {
namespace {

using Kind = KeyEvent::Kind;

TEST(MouseBuiltins, EachCallIsOneMouseEvent) {
    TestBuiltinEnv env;
    EXPECT_EQ(env.call("MOUSEBUTTONLEFT", {I(1)}), I(1));
    EXPECT_EQ(env.call("MOUSEBUTTONLEFT", {I(0)}), I(1));
    EXPECT_EQ(env.call("MOUSEBUTTONLEFT", {I(-1)}), I(1));
    EXPECT_EQ(env.call("MOUSEBUTTONRIGHT", {S("1")}), I(1));
    EXPECT_EQ(env.call("MOUSEBUTTONRIGHT", {S("no")}), I(1)); // "no" reads as 0
    EXPECT_EQ(env.call("MOUSEBUTTONMIDDLE", {I(5)}), I(1));
    EXPECT_EQ(env.call("MOUSEBUTTONMIDDLE", {I(0)}), I(1));
    EXPECT_EQ(env.call("MOUSEBUTTONX1", {I(1)}), I(1));
    EXPECT_EQ(env.call("MOUSEBUTTONX2", {I(0)}), I(1));
    EXPECT_EQ(env.call("MOUSEWHEEL", {I(-120)}), I(1));
    EXPECT_EQ(env.call("MOVEMOUSE", {I(-3), S("4")}), I(1));
    const std::vector<MouseEventRecord> expected = {
        {0x0002, 0, 0, 0}, {0x0004, 0, 0, 0},    {0x0002, 0, 0, 0},  {0x0008, 0, 0, 0},
        {0x0010, 0, 0, 0}, {0x0020, 0, 0, 0},    {0x0040, 0, 0, 0},  {0x0080, 0, 0, 1},
        {0x0100, 0, 0, 2}, {0x0800, 0, 0, -120}, {0x0001, -3, 4, 0},
    };
    EXPECT_EQ(env.fake.mouseEvents, expected);
    EXPECT_TRUE(env.errors.empty());
}

TEST(CursorBuiltins, SetAndReadTheCursor) {
    TestBuiltinEnv env;
    EXPECT_EQ(env.call("GETCURSORPOSX"), I(0));
    EXPECT_EQ(env.call("GETCURSORPOSY"), I(0));
    EXPECT_EQ(env.call("SETCURSORPOS", {I(100), S("200")}), I(1));
    EXPECT_EQ(env.call("GetCursorPosX"), I(100));
    EXPECT_EQ(env.call("GetCursorPosY"), I(200));
    env.call("MOVEMOUSE", {I(5), I(-10)});
    EXPECT_EQ(env.call("GETCURSORPOSX"), I(105));
    EXPECT_EQ(env.call("GETCURSORPOSY"), I(190));
}

TEST(KeyboardBuiltins, KeybdEventUsesTheLowByteAndTheDownFlag) {
    TestBuiltinEnv env;
    EXPECT_EQ(env.call("KEYBDEVENT", {I(0x141), I(1)}), I(1));
    EXPECT_EQ(env.call("KEYBDEVENT", {I(65), I(0)}), I(1));
    EXPECT_EQ(env.call("keybdevent", {S("13"), I(-1)}), I(1));
    const std::vector<KeyEvent> expected = {
        {Kind::Key, 0x41, false}, {Kind::Key, 0x41, true}, {Kind::Key, 0x0D, false}};
    EXPECT_EQ(env.sink.events(), expected);
}

TEST(KeyboardBuiltins, SendInputUnicodeSendsOnlyTheFirstUnit) {
    TestBuiltinEnv env;
    EXPECT_EQ(env.call("SENDINPUTUNICODE", {S("あいう"), I(1)}), I(1));
    EXPECT_EQ(env.call("SENDINPUTUNICODE", {S("あ"), I(0)}), I(1));
    EXPECT_EQ(env.call("SENDINPUTUNICODE", {S(""), I(1)}), I(1));
    EXPECT_EQ(env.call("SENDINPUTUNICODE", {S("😀x"), I(1)}), I(1));   // high surrogate only
    EXPECT_EQ(env.call("SENDINPUTUNICODE", {S("\xFF"), I(1)}), I(1)); // ill-formed: U+FFFD
    EXPECT_EQ(env.call("SENDINPUTUNICODE", {I(7), I(1)}), I(1));
    const std::vector<KeyEvent> expected = {
        {Kind::UnicodeUnit, 0x3042, false}, {Kind::UnicodeUnit, 0x3042, true},
        {Kind::UnicodeUnit, 0x0000, false}, {Kind::UnicodeUnit, 0xD83D, false},
        {Kind::UnicodeUnit, 0xFFFD, false}, {Kind::UnicodeUnit, u'7', false}};
    EXPECT_EQ(env.sink.events(), expected);
}

TEST(ClipboardBuiltins, RoundTripThroughTheOwnerWindow) {
    TestBuiltinEnv env;
    EXPECT_EQ(env.call("SETCLIPBOARDTEXT", {S("x")}), I(1));
    EXPECT_EQ(env.call("GETCLIPBOARDTEXT$"), S("x"));
    EXPECT_EQ(env.call("SETCLIPBOARDTEXT", {S("日本\r\n")}), I(1));
    EXPECT_EQ(env.fake.clipboard, std::u16string(u"日本\r\n"));
    EXPECT_EQ(env.call("GetClipboardText$"), S("日本\r\n"));
    EXPECT_EQ(env.call("SETCLIPBOARDTEXT", {I(-4)}), I(1));
    EXPECT_EQ(env.call("GETCLIPBOARDTEXT$"), S("-4"));
    for (OwnerWindow owner : env.fake.clipboardOwners)
        EXPECT_EQ(owner, env.owner);
}

TEST(ClipboardBuiltins, NoTextOrNoAccessGivesEmptyAndZero) {
    TestBuiltinEnv env;
    env.fake.clipboard.reset(); // e.g. only a picture
    EXPECT_EQ(env.call("GETCLIPBOARDTEXT$"), S(""));
    env.fake.clipboard = u"kept";
    env.fake.clipboardOpens = false;
    EXPECT_EQ(env.call("GETCLIPBOARDTEXT$"), S(""));
    EXPECT_EQ(env.call("SETCLIPBOARDTEXT", {S("new")}), I(0));
    EXPECT_EQ(env.fake.clipboard, std::u16string(u"kept"));
}

TEST(EnvironmentBuiltins, SetAndGet) {
    TestBuiltinEnv env;
    EXPECT_EQ(env.call("GETENV$", {S("NO_SUCH_VARIABLE")}), S(""));
    EXPECT_EQ(env.call("SETENV", {S("A"), S("1")}), I(1));
    EXPECT_EQ(env.call("GETENV$", {S("A")}), S("1"));
    EXPECT_EQ(env.call("getenv$", {S("a")}), S("1")); // names ignore case
    EXPECT_EQ(env.call("SETENV", {S("名前"), I(42)}), I(1));
    EXPECT_EQ(env.call("GETENV$", {S("名前")}), S("42"));
    EXPECT_EQ(env.call("SETENV", {S("A"), S("")}), I(1));
    EXPECT_EQ(env.call("GETENV$", {S("A")}), S(""));
    EXPECT_EQ(env.call("SETENV", {S(""), S("x")}), I(0));
    EXPECT_EQ(env.call("SETENV", {S("A=B"), S("x")}), I(0));
    EXPECT_TRUE(env.errors.empty());
}

} // namespace
} // namespace tapwell::test
