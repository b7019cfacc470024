// What a text sends: characters, key notations, waits, pauses, repeat blocks
// and the errors among them, as the trace of a run shows them.
#include "common/utf.h"
#include "fake_run_host.h"
#include "keystroke/key_notation.h"
#include "keystroke/key_tables.h"
#include "keystroke/run_trace.h"

#include <gtest/gtest.h>

using namespace tapwell;
using tapwell::test::press;

namespace {

// kCrPrefix: a prefix box of one carriage return, which, unlike the text box's, is kept.
enum { kUni = 1, kStop = 2, kJa = 4, kNoTab = 8, kNoSpace = 16, kNoEnter = 32, kCrPrefix = 64 };

// `loops`: the number of passes, 0 for endless.
std::string trace(std::u16string text, int flags = 0, std::int32_t loops = 1,
                  std::uint64_t maxEvents = 100000, std::uint64_t maxTicks = 0) {
    TraceOptions o;
    RunSettings& s = o.settings;
    s.iInputMode = flags & kUni ? InputMode::Unicode : InputMode::Keyboard;
    s.iErrorStop = flags & kStop;
    s.iDisableTab = flags & kNoTab;
    s.iDisableSpace = flags & kNoSpace;
    s.iDisableEnter = flags & kNoEnter;
    s.iLoopNum = loops;
    o.language = flags & kJa ? Language::Japanese : Language::English;
    o.prefix = flags & kCrPrefix ? u"\r" : u"";
    o.maxEvents = maxEvents;
    o.maxTicks = maxTicks;
    std::string out;
    TraceWriter writer([&](std::string_view chunk) { out.append(chunk); });
    traceRun(std::move(text), o, writer); // flushes the writer
    return out;
}

const std::string A = press("41 A"), B = press("42 B"), kEnter = press("0D VK_RETURN");
const std::string kTab = press("09 VK_TAB"), kSpace = press("20 VK_SPACE");
const std::string OK = "end ok\n", ERR = "end error\n";

struct Case {
    std::u16string text;
    int flags;
    std::string out;
    std::int32_t loops = 1;
};

void expectTraces(const std::vector<Case>& cases) {
    for (const Case& c : cases)
        EXPECT_EQ(trace(c.text, c.flags, c.loops), c.out)
            << std::string(c.text.begin(), c.text.end()) << " flags " << c.flags;
}

} // namespace

TEST(KeyNotation, BracketFormsPressHoldReleaseAndWait) {
    const std::string shift = "down 10 VK_SHIFT\n", unshift = "up 10 VK_SHIFT\n";
    const std::string wait = "wait 1000\n";
    expectTraces({
        {u"[VK_F5]", 0, press("74 VK_F5") + OK},
        {u"[VK_HANGUL][VK_XBUTTON2]", 0, press("15 VK_KANA") + press("06 VK_XBUTTON2") + OK},
        {u"(VK_SHIFT)", 0, OK},
        {u"[VK_RETURN]", kUni, kEnter + OK},
        {u"[VK_SHIFT)a(VK_SHIFT]", kUni, shift + "char 0061\n" + unshift + OK},
        // Numeric codes in every base, read like strtol, low 8 bits taken.
        {u"[13][0x0d][0X0D][015][ +13][13abc][269]", 0,
         kEnter + kEnter + kEnter + kEnter + kEnter + kEnter + kEnter + OK},
        {u"[0]", 0, press("30 0") + OK}, // the name wins
        {u"[-3]", 0, press("FD VK_PA1") + OK},
        {u"[99999999999]", 0, press("FF -") + OK}, // saturates at 2^31-1
        // Brackets do not nest and their kinds need not match: the first
        // closing bracket ends the body "[VK_SHIFT", which names no key.
        {u"[[VK_SHIFT]]", kUni, "char 005D\n" + OK},
        {u"[A)B]", kUni, "down 41 A\nchar 0042\nchar 005D\n" + OK},
        {u"(A]", 0, "up 41 A\n" + OK},
        // Without error stop an unclosed body runs to the end of the text.
        {u"A[VK_SHIFT", 0, A + shift + OK},
        {u"[VK_SHIFT BCD", 0, OK},
        {u"x[abc def", kUni, "char 0078\n" + OK},
        // With error stop: parentheses alone and a missing bracket are errors.
        {u"A[VK_SHIFT", kStop, A + "message error ']' or ')' is missing\n" + ERR},
        {u"(x", kUni | kStop | kJa, "message error ']' または ')' が足りません。\n" + ERR},
        // The skip settings are for characters, not for notations.
        {u"[VK_RETURN][VK_SPACE]\n ", kNoSpace | kNoEnter, kEnter + kSpace + OK},
        // Waits take any bracket pair and case, and clamp their count like codes.
        {u"[WAIT:1000][wait:1000](WAIT:1000)[Wait: 1000)", kStop, wait + wait + wait + wait + OK},
        {u"[WAIT:x][WAIT:-5][WAIT:-99999999999]", 0, "wait 0\nwait 0\nwait 0\n" + OK},
        {u"[WAIT:99999999999]", 0, "wait 2147483647\n" + OK},
        {u"[WAIT:]", 0, OK}, // "WAIT:" alone is a body that names no key
        {u"A!B", 0, A + "pause\n" + B + OK},
    });
    // Zero codes and names of no key are skipped, even with error stop.
    for (int flags : {0, int(kStop)})
        for (const char16_t* t :
             {u"[256]", u"[FOO]", u"[vk_shift]", u"[VK_A]", u"[08]", u"[0xg]", u"[]", u"(FOO)",
              u"[ＶＫ_SHIFT]", u"[VK_SHIFT ]", u"[\uFF11\uFF13]", u"[\u300013]"})
            expectTraces({{std::u16string(t) + u"A", flags, A + OK}});
}

TEST(RepeatBlocks, RepeatNestAndReportBadCountsAndBraces) {
    std::vector<Case> cases = {
        {u"{3:AB}", 0, A + B + A + B + A + B + OK},
        {u"{2:A{2:B}C}", 0, A + B + B + press("43 C") + A + B + B + press("43 C") + OK},
        {u"{2:{2:{2:A}}}", 0, A + A + A + A + A + A + A + A + OK},
        {u"{1:A}B{ 2xyz:A}", 0, A + B + A + A + OK},           // the count is read like strtol
        {u"{2:AB}", 0, A + B + A + B + A + B + A + B + OK, 2}, // each pass starts afresh
        // Without a colon the count is read from the rest; the block stays open.
        {u"A{3B}", 0, A + "message exclamation { are too many.\n" + ERR},
        {u"A{B}", 0, A + "message error Invalid repeat number.\\nB}\n" + ERR},
        {u"{1:A}}B", 0, A + "message error } are too many.\n" + ERR},
        // The message quotes the count's text, escaped: a backslash, the line feed
        // and the next line's prefix.
        {u"{\\\n:A}", kJa | kCrPrefix,
         "message error 繰り返し回数が不正です。\\n\\\\\\n\\r\n" + ERR},
        // An unclosed block is found at the end of the first pass: a warning.
        {u"{2:A", 0, A + "message exclamation { are too many.\n" + ERR, 3},
    };
    for (std::u16string count : {u"0", u"x", u"", u"-2", u"-99999999999"})
        for (int flags : {0, int(kStop)})
            cases.push_back(
                {u"A{" + count + u":B}", flags,
                 A + "message error Invalid repeat number.\\n" + utf16ToUtf8(count) + "\n" + ERR});
    expectTraces(cases);
}

TEST(Characters, WhatEachModeSendsAndSkips) {
    std::vector<Case> cases = {
        {u"a", kStop | kJa, "message error 無効な文字が入力されています - 'a'\n" + ERR},
        // A doubled or last bracket is the bracket key in keyboard mode, a
        // notation naming no key in Unicode mode.
        {u"[[A[", 0, press("DB VK_OEM_4") + A + press("DB VK_OEM_4") + OK},
        {u"[[", kUni, OK},
        {u"A[", kUni, "char 0041\n" + OK},
        // Closing brackets outside a notation are keys or characters.
        {u"]", 0, press("DD VK_OEM_6") + OK},
        {u"])", kUni, "char 005D\nchar 0029\n" + OK},
        // Keyboard mode sends no modifiers: = is the unshifted minus key.
        {u"=-", 0, press("BD VK_OEM_MINUS") + press("BD VK_OEM_MINUS") + OK},
        {u"Hi漢\U0001F600", kUni, "char 0048\nchar 0069\nchar 6F22\nchar D83D\nchar DE00\n" + OK},
        {std::u16string(1, u'\xDC00'), kUni, "char DC00\n" + OK},
        {u"a:1", kUni | kStop, "char 0061\nchar 003A\nchar 0031\n" + OK},
    };
    for (int mode : {0, int(kUni)}) {
        cases.push_back({u"\t \r\n", mode, kTab + kSpace + kEnter + OK});
        cases.push_back({u"\t \n", mode | kNoTab, kSpace + kEnter + OK});
        cases.push_back({u"\t \n", mode | kNoSpace, kTab + kEnter + OK});
        cases.push_back({u"\t \n\t", mode | kNoTab | kNoSpace | kNoEnter, OK});
    }
    for (std::u16string t : {u"a", u")", u"漢", u"\"", u"#", u"$", u"%", u"&", u"'"}) {
        cases.push_back({t + u"B", 0, B + OK});
        cases.push_back({t + u"B", kStop,
                         "message error Invalid character - '" + utf16ToUtf8(t) + "'\n" + ERR});
    }
    expectTraces(cases);
}

// --- The trace itself ----------------------------------------------------------

TEST(RunTrace, StopsAtItsLimits) {
    // Beyond the golden traces' limits: an error before the limit, a finite
    // run past the event limit, and silent passes, endless or very many.
    const struct {
        const char16_t* text;
        std::int32_t loops;
        std::uint64_t maxEvents;
        std::string out;
    } cases[] = {
        {u"", 1, 9, "message error It's empty!\n" + ERR},
        {u"A{1:", 0, 100, A + "message exclamation { are too many.\n" + ERR},
        {u"A", 3, 2, A + A + A + OK},
        {u"[FOO]\r", 0, 9, "end limit\n"},
        {u"[FOO]", 2000000000, 9, OK},
        {u"[WAIT:5]", 0, 3, "wait 5\nwait 5\nwait 5\nend limit\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(trace(c.text, 0, c.loops, c.maxEvents), c.out) << c.maxEvents;
    EXPECT_EQ(trace(u"{2:A}", 0, 1, 9, 1000), A + A + OK) << "within the tick limit";
}
