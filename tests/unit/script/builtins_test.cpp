#include "builtin_test_env.h"
#include "script_test_host.h"

#include "script/builtin_messages.h"
#include "script/script_value.h"
#include "script/services.h"

#include <gtest/gtest.h>

namespace tapwell::test {
namespace {

// Results of the text built-ins, called from scripts (names in any case).
TEST(StringBuiltins, Results) {
    ScriptTestHost t;
    EXPECT_EQ(
        t.mismatches({
            // Lengths count bytes; arguments convert to the kind read.
            {"cb.v(strlen('日本'), StrLen(-12), STRLEN(''), LEFT$(12345, '2'), STRSTR(12345, 34))",
             "v 6 3 0 \"12\" 2\n"},
            {"cb.v(TOINT(' 12abc'), TOINT('\u00A05'), TOINT('\0013'), TOSTR$(-5), tostr$('x'), "
             "TOINT('-2147483647'), TOINT('2147483648'))",
             "v 12 0 0 \"-5\" \"x\" -2147483647 2147483647\n"},
            {"cb.v(TOSTR2$(5), TOSTR2$(0), TOSTR2$(-1), TOSTR2$(-2147483647 - 1))",
             "v \"101\" \"0\" \"11111111111111111111111111111111\" "
             "\"10000000000000000000000000000000\"\n"},
            // Two hex digits of the low byte.
            {"cb.v(TOSTR16$(255), TOSTR16$(10), TOSTR16$(256), TOSTR16$(0x1234), TOSTR16$(-1), "
             "TOSTR16$('171'))",
             "v \"FF\" \"A\" \"0\" \"34\" \"FF\" \"AB\"\n"},
            // Only ASCII letters fold.
            {"cb.v(STRSTR('abcabc', 'c'), STRSTR('abc', 'd'), STRSTR('abc', ''), STRSTR('', ''), "
             "STRSTR('abc', 'C'), STRSTRI('ABC', 'b'), STRSTRI('xyzÄ', 'ä'), STRSTR('日本語', "
             "'語'))",
             "v 2 -1 0 0 -1 1 -1 6\n"},
            {"cb.v(STRUPR$('abz[`{äé1'), STRLWR$('ABZ@[ÄÉ1'), STRUPR$(-1))",
             "v \"ABZ[`{äé1\" \"abz@[ÄÉ1\" \"-1\"\n"},
            // Padding uses the first byte of the filler, a blank by default.
            {"cb.v(PADLEFT$('7', 3, '0'), PADLEFT$('7', 3, ''), PADLEFT$('7', 3), "
             "PADLEFT$('7', 3, 'xy'), PADRIGHT$('abcd', 2), PADRIGHT$('ab', 4, 9))",
             "v \"007\" \"  7\" \"  7\" \"xx7\" \"abcd\" \"ab99\"\n"},
            {"cb.v(PADLEFT$('ab', 2, '-'), PADLEFT$('ab', -5, '-'), PADRIGHT$('', -1), "
             "PADLEFT$(5, '3', 0))",
             "v \"ab\" \"ab\" \"\" \"005\"\n"},
            // Trimming takes a set of bytes, blanks by default.
            {"cb.v(TRIMLEFT$('xxaxx', 'x'), TRIMRIGHT$('xxaxx', 'x'), TRIMRIGHT$('', 'x'), "
             "TRIMLEFT$('   '), TRIMRIGHT$('xxx', 'x'))",
             "v \"axx\" \"xxa\" \"\" \"   \" \"xxx\"\n"},
            {"cb.v(TRIMLEFT$('  a b  '), TRIMRIGHT$('  a b  ', ''), TRIMLEFT$('\t- a', ' -\t'), "
             "TRIMLEFT$('001200', 0))",
             "v \"a b  \" \"  a b\" \"a\" \"1200\"\n"},
            {"cb.v(LEFT$('abc', 2), LEFT$('abc', 0), LEFT$('abc', -1), LEFT$('abc', 3), "
             "RIGHT$('abc', 5), RIGHT$('abc', 2), RIGHT$('abc', 0), RIGHT$('abc', -1), "
             "RIGHT$('abc', -2147483647 - 1))",
             "v \"ab\" \"\" \"abc\" \"abc\" \"abc\" \"bc\" \"\" \"abc\" \"abc\"\n"},
            // MID$ counts from 1; a start before that is 1.
            {"cb.v(MID$('abcdef', 2, 3), MID$('abcdef', 0, 2), MID$('abcdef', 1, 2), "
             "MID$('abcdef', -9, 1), MID$('abc', 4, 1), MID$('abc', 2, -1), MID$('abc', 3, 10))",
             "v \"bcd\" \"ab\" \"ab\" \"a\" \"\" \"bc\" \"c\"\n"},
            {"cb.v(MID$('abc', 2, 0), SUBSTR$('', 1, 1), SUBSTRING$('abc', 2147483647, 1))",
             "v \"\" \"\" \"\"\n"},
            {"cb.v(GETASCIICODE('A', 0), GETASCIICODE('A', 1), GETASCIICODE('A', -1), "
             "GETASCIICODE(42, '1'), ASCIICODE$(65), ASCIICODE$(0x141), ASCIICODE$(256), "
             "ASCIICODE$(0))",
             "v 65 -1 -1 50 \"A\" \"A\" \"\" \"\"\n"},
            // Replacing goes left to right without rescanning; an empty
            // pattern leaves the text alone.
            {"cb.v(REPLACE$('aaa', 'a', 'aa'), REPLACE$('a-b-c', '-'), REPLACE$('aaaa', 'aa', "
             "'b'), REPLACE$('aaa', 'aa', 'x'), REPLACE$('Aa', 'a', 'x'))",
             "v \"aaaaaa\" \"abc\" \"bb\" \"xa\" \"Ax\"\n"},
            {"cb.v(REPLACE$('abc', 'd', 'x'), REPLACE$('abab', 'ab', 'ba'), REPLACE$(1001, 0, 7), "
             "REPLACE$('', 'a', 'b'), REPLACE$('abc', '', 'x'), REPLACE$('abc', ''))",
             "v \"abc\" \"baba\" \"1771\" \"\" \"abc\" \"abc\"\n"},
        }),
        "");
}

// Texts that are not well-formed UTF-8 cannot come from a script.
TEST(StringBuiltins, WorkOnBytes) {
    TestBuiltinEnv env;
    EXPECT_EQ(env.call("left$", {S("日本"), I(1)}), S("\xE6"));
    // Any byte of the set goes, whatever character it is in.
    EXPECT_EQ(env.call("TRIMRIGHT$", {S("a\xE6\x97\xA5"), S("\xA5\x97")}), S("a\xE6"));
    EXPECT_EQ(env.call("GETASCIICODE", {S("\xFF\x80"), I(0)}), I(-1));
    EXPECT_EQ(env.call("GETASCIICODE", {S("\xFF\x80"), I(1)}), I(-128));
    EXPECT_EQ(env.call("ASCIICODE$", {I(-1)}), S("\xFF"));
    EXPECT_EQ(env.call("SENDINPUTUNICODE", {S("\xFF"), I(1)}), I(1));
    EXPECT_EQ(env.sink.events(),
              (std::vector<KeyEvent>{{KeyEvent::Kind::UnicodeUnit, 0xFFFD, false}}));
    EXPECT_TRUE(env.errors.empty());
    EXPECT_EQ(ToInteger(std::string_view("4\0002", 3)), 4);
}

TEST(BuiltinDispatch, UnknownNamesAndCountsAreErrors) {
    struct Case {
        std::string name;
        int args;
        int code;
        ScriptValue result; // of the type the name promises
        std::string message;
    };
    // Error 104 names the dollar form, whatever the argument count. (Which
    // counts each built-in accepts is checked against its reference entry in
    // tests/unit/help.)
    const Case cases[] = {
        {"TOSTR", 1, 104, I(0), "TOSTR(args:1). But TOSTR$() exists."},
        {"GetClipboardText", 3, 104, I(0),
         "GETCLIPBOARDTEXT(args:3). But GETCLIPBOARDTEXT$() exists."},
        {"foo$", 2, 105, S(""), "FOO$(args:2)"},
        {"foo", 1, 105, I(0), "FOO(args:1)"},
        {"left$", 1, 105, S(""), "LEFT$(args:1)"},
        {"MESSAGE", 3, 105, I(0), "MESSAGE(args:3)"},
        {"STRLEN ", 1, 105, I(0), "STRLEN (args:1)"},
        {"", 0, 105, I(0), "(args:0)"},
        {std::string(3000, 'q'), 0, 105, I(0), std::string(3000, 'Q') + "(args:0)"},
    };
    int line = 0;
    for (const Case& c : cases) {
        TestBuiltinEnv env;
        EXPECT_EQ(env.call(c.name, std::vector<ScriptValue>(c.args, S("1")), ++line), c.result);
        ASSERT_EQ(env.errors.size(), 1u) << c.name;
        EXPECT_EQ(env.errors[0].code, c.code);
        EXPECT_EQ(env.errors[0].line, line);
        EXPECT_EQ(env.errors[0].message,
                  "Runtime error at line " + std::to_string(line) + ": Unknown Function Call" +
                      (c.code == 104 ? ":" : " or Not enough arguments:") + c.message + "\n");
        // A refused call does nothing.
        EXPECT_TRUE(env.fake.mouseEvents.empty() && env.fake.sleeps.empty() &&
                    env.sink.events().empty() && env.boxes.shown().empty())
            << c.name;
    }
}

TEST(SystemBuiltins, TimeSleepRandomAndMetrics) {
    ScriptTestHost t;
    t.services.setLocalTime({2024, 2, 3, 28, 23, 59, 59, 998});
    t.services.metrics[80] = 2;
    const char* const clock = "GetCurrentYear(), getcurrentmonth(), GETCURRENTDAY(), "
                              "GETCURRENTDAYOFWEEK(), GETCURRENTHOUR(), GETCURRENTMINUTE(), "
                              "GETCURRENTSECOND(), GETCURRENTMILLISECONDS()";
    // The clock is read afresh on every call; a negative wait is none. The
    // generator starts at seed 1 every run.
    EXPECT_EQ(
        t.runLog(std::string("cb.v(") + clock + ")\ncb.v(SLEEP(-1), SLEEP(-2147483647 - 1), " +
                 "SLEEP('2ms'))\ncb.v(" + clock + ")\n" +
                 "cb.v(RAND(), SRAND(1), RAND(), RAND(), RAND(), SRAND('-7'), RAND(), RAND())\n" +
                 "cb.v(GETSYSTEMMETRICS(0), GETSYSTEMMETRICS('80'), GETSYSTEMMETRICS(9999), " +
                 "getqz_scriptversion(), MESSAGEBEEP(48), MESSAGEBEEP(-1), SLEEP(1))"),
        "v 2024 2 28 3 23 59 59 998\nv 0 0 0\nv 2024 2 29 4 0 0 0 0\n"
        "v 41 1 41 18467 6334 -7 15 30784\nv 1920 2 0 10009 1 1 0\n");
    EXPECT_EQ(t.services.sleeps, (std::vector<std::uint32_t>{0, 0, 2, 1}));
    EXPECT_EQ(t.services.beeps, (std::vector<std::uint32_t>{48, 0xFFFFFFFFu}));

    // Without a seed: the tick count, which wraps.
    t.services.tickAtStart = 0xFFFFFF00u;
    t.services.advance(0x10 - t.services.elapsedMs());
    EXPECT_EQ(t.runLog("cb.v(SRAND(), RAND())"), "v -240 32022\n");
    t.services.advance(0x100);
    EXPECT_EQ(t.runLog("cb.v(SRAND())"), "v 16\n");

    // The fake clock behind the dry run crosses years, leap days and weekdays.
    EXPECT_EQ(FakeScriptServices().localTime(), (LocalTime{2024, 1, 1, 1, 9, 0, 0, 0}));
    FakeScriptServices& fake = t.services;
    fake.setLocalTime({1999, 12, 0, 31, 23, 59, 59, 999});
    fake.advance(1);
    EXPECT_EQ(fake.localTime(), (LocalTime{2000, 1, 6, 1, 0, 0, 0, 0}));
    fake.advance(59ull * 86400000); // 2000 is a leap year
    EXPECT_EQ(fake.localTime(), (LocalTime{2000, 2, 2, 29, 0, 0, 0, 0}));
    fake.setLocalTime({2100, 3, 0, 1, 12, 0, 0, 0}); // 2100 is not
    EXPECT_EQ(fake.localTime(), (LocalTime{2100, 3, 1, 1, 12, 0, 0, 0}));
}

TEST(MessageBuiltins, FlagsCaptionsAndResults) {
    ScriptTestHost t;
    // The results of each box for the buttons IDOK, IDCANCEL, IDYES, IDNO, IDABORT.
    const std::pair<int, const char*> answers[] = {{message_box::IdOk, "0 0 0 0 1 -1 0 0 0"},
                                                   {message_box::IdCancel, "0 0 0 0 0 -1 0 0 0"},
                                                   {message_box::IdYes, "0 0 0 1 0 1 0 0 0"},
                                                   {message_box::IdNo, "0 0 0 0 0 0 0 0 0"},
                                                   {message_box::IdAbort, "0 0 0 0 0 -1 0 0 0"}};
    for (const auto& [button, results] : answers) {
        t.boxAnswer = button;
        EXPECT_EQ(t.runLog("cb.v(TEXTOUT(42), MESSAGE(42), MESSAGEBOX(42), QUESTION(42), "
                           "QUESTION_OKCANCEL(42), QUESTION_YESNOCANCEL(42), WARNING(42), "
                           "INFORMATION(42), ERROR(42))"),
                  "box 0 Message: 42\nbox 0 Message: 42\nbox 0 Message: 42\nbox 36 Question: "
                  "42\nbox 33 Question: 42\nbox 35 Question: 42\nbox 48 Warning: 42\nbox 64 "
                  "Information: 42\nbox 16 Error: 42\nv " +
                      std::string(results) + "\n")
            << "button " << button;
    }
    EXPECT_EQ(t.runLog("question('Continue?', 7)"), "box 36 7: Continue?\n");
}

TEST(DeviceBuiltins, EffectsAndResults) {
    ScriptTestHost t;
    printKeyEvents(t.keys, [&](const std::string& line) { t.log.push_back(line); });
    // "no" reads as 0; only the low byte of a key code counts, and only the
    // first UTF-16 unit of a text (a high surrogate alone).
    EXPECT_EQ(
        t.runLog("cb.v(MOUSEBUTTONLEFT(1), MOUSEBUTTONLEFT(0), MOUSEBUTTONLEFT(-1), "
                 "MOUSEBUTTONRIGHT('1'), MOUSEBUTTONRIGHT('no'), MOUSEBUTTONMIDDLE(5), "
                 "MOUSEBUTTONMIDDLE(0), MOUSEBUTTONX1(1), MOUSEBUTTONX2(0), MOUSEWHEEL(-120), "
                 "MOVEMOUSE(-3, '4'), GETCURSORPOSX(), GETCURSORPOSY())\n"
                 "cb.v(KEYBDEVENT(0x141, 1), KEYBDEVENT(65, 0), keybdevent('13', -1), "
                 "SENDINPUTUNICODE('あいう', 1), SENDINPUTUNICODE('あ', 0), "
                 "SENDINPUTUNICODE('', 1), SENDINPUTUNICODE('😀x', 1), "
                 "SENDINPUTUNICODE(7, 1))\n"
                 "cb.v(SETCURSORPOS(100, '200'), MOVEMOUSE(5, -10), GetCursorPosX(), "
                 "GetCursorPosY())"),
        "v 1 1 1 1 1 1 1 1 1 1 1 -3 4\ndown 41 A\nup 41 A\ndown 0D VK_RETURN\nunicode-down 3042\n"
        "unicode-up 3042\nunicode-down 0000\nunicode-down D83D\nunicode-down 0037\n"
        "v 1 1 1 1 1 1 1 1\nv 1 1 105 190\n");
    const std::vector<MouseEventRecord> mouse = {
        {0x0002, 0, 0, 0}, {0x0004, 0, 0, 0},    {0x0002, 0, 0, 0},  {0x0008, 0, 0, 0},
        {0x0010, 0, 0, 0}, {0x0020, 0, 0, 0},    {0x0040, 0, 0, 0},  {0x0080, 0, 0, 1},
        {0x0100, 0, 0, 2}, {0x0800, 0, 0, -120}, {0x0001, -3, 4, 0}, {0x0001, 5, -10, 0}};
    EXPECT_EQ(t.services.mouseEvents, mouse);

    // Names of environment variables ignore case; an empty name or one
    // holding '=' is refused.
    EXPECT_EQ(t.runLog("cb.v(SETCLIPBOARDTEXT('日本\\r\\n'), GetClipboardText$(), "
                       "SETCLIPBOARDTEXT(-4), GETCLIPBOARDTEXT$())\n"
                       "cb.v(GETENV$('NO_SUCH_VARIABLE'), SETENV('A', '1'), getenv$('a'), "
                       "SETENV('名前', 42), GETENV$('名前'), SETENV('A', ''), GETENV$('A'), "
                       "SETENV('', 'x'), SETENV('A=B', 'x'))"),
              "v 1 \"日本\r\n\" 1 \"-4\"\nv \"\" 1 \"1\" 1 \"42\" 1 \"\" 0 0\n");
    EXPECT_EQ(t.services.clipboardOwners,
              std::vector<OwnerWindow>(4, reinterpret_cast<OwnerWindow>(0x42)));
    // No text (e.g. only a picture) or no access: empty and 0.
    t.services.clipboard.reset();
    EXPECT_EQ(t.runLog("cb.v(GETCLIPBOARDTEXT$())"), "v \"\"\n");
    t.services.clipboard = u"kept";
    t.services.clipboardOpens = false;
    EXPECT_EQ(t.runLog("cb.v(GETCLIPBOARDTEXT$(), SETCLIPBOARDTEXT('new'))"), "v \"\" 0\n");
    EXPECT_EQ(t.services.clipboard, std::u16string(u"kept"));
}

// The interruptible wait, and the dry run's message boxes (their
// printed lines are checked by the golden tests).
TEST(InterruptibleSleep, EndsEarlyOnlyWhenAStopIsRequested) {
    struct : StopQuery {
        mutable int asked = 0, stopAt = 1 << 30; // never, until set below
        bool stopRequested() const override { return ++asked >= stopAt; }
    } flag;
    EXPECT_FALSE(interruptibleSleep(0, flag));
    EXPECT_FALSE(interruptibleSleep(5, flag));
    // An hour: if the wait did not keep asking, the test would time out.
    flag.stopAt = flag.asked + 3;
    EXPECT_TRUE(interruptibleSleep(3600000, flag));
    EXPECT_TRUE(interruptibleSleep(0, flag));
}

TEST(ScriptedMessageBoxes, AnswersInOrderThenWithTheFirstButton) {
    std::vector<std::string> lines;
    ScriptedMessageBoxes boxes([&](const std::string& l) { lines.push_back(l); });
    boxes.addAnswer(*ScriptedMessageBoxes::parseAnswer("no"));
    boxes.addAnswer(*ScriptedMessageBoxes::parseAnswer("yes")); // not offered by an OK box
    boxes.addAnswer(*ScriptedMessageBoxes::parseAnswer("cancel"));
    EXPECT_EQ(boxes.show("a\"b\\c\r\nd\te", "日本", 36), message_box::IdNo);
    const std::pair<std::uint32_t, int> buttons[] = {
        {0, message_box::IdOk},       {0x05, message_box::IdCancel}, {33, message_box::IdOk},
        {35, message_box::IdYes},     {0x12, message_box::IdAbort},  {0x05, message_box::IdRetry},
        {0x06, message_box::IdCancel}};
    for (const auto& [flags, button] : buttons)
        EXPECT_EQ(boxes.show("x", "y", flags), button) << flags;
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0], "box 36 \"日本\" \"a\\\"b\\\\c\\r\\nd\te\"");
}

} // namespace
} // namespace tapwell::test
