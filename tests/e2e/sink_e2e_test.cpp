// The Win32 key event sink, and whole runs of the engine through it, typing
// into the receiver window. Key presses delivery arrives with the US
// keyboard's scan codes (Wine has the US layout whatever is asked) and types
// the same characters as the default delivery.
#include "fake_run_host.h"
#include "keystroke/keystroke_win32.h"
#include "support/win_driver.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace tapwell;
using namespace tapwell::e2e;
using Lines = std::vector<std::string>;

TEST(Win32Sink, KeysAndUnicodeUnitsReachTheFocusedWindow) {
    auto r = Receiver::start();
    ASSERT_TRUE(r);
    KeyEventSink& sink = systemKeyEventSink();
    sink.sendKey(VK_SHIFT, false);
    pressAndRelease(sink, 'A');
    sink.sendKey(VK_SHIFT, true);
    pressAndRelease(sink, 'B');
    sink.sendUnicodePair(u'\u3042');
    // An emoji as two units, high surrogate first, each its own pair of events.
    sink.sendUnicodePair(0xD83D);
    sink.sendUnicodePair(0xDE00);
    EXPECT_EQ(sink.sendUnicodeUnit(u'x', false), 1u);
    EXPECT_EQ(sink.sendUnicodeUnit(u'x', true), 1u);
    pressAndRelease(sink, VK_RETURN);
    const Lines want = {"keydown 16", "keydown 65",  "char 65",     "keyup 65",    "keyup 16",
                        "keydown 66", "char 98",     "keyup 66",    "keydown 231", "char 12354",
                        "keyup 231",  "keydown 231", "char 55357",  "keyup 231",   "keydown 231",
                        "char 56832", "keyup 231",   "keydown 231", "char 120",    "keyup 231",
                        "keydown 13", "char 13",     "keyup 13"};
    EXPECT_EQ(r->stop(), want);
}

namespace {

struct Delivered {
    InputMode mode = InputMode::Unicode;
    Delivery delivery = Delivery::KeyPresses;
    std::uint32_t layout = kLayoutUs101;
    KeyboardLayoutResolver resolve = systemKeyboardLayout;
};

// A whole run of the engine, with no countdown, into a fresh receiver that
// logs scan codes.
Lines typeInto(const std::u16string& text, const Delivered& how) {
    auto r = Receiver::start(L"--scan");
    EXPECT_TRUE(r) << "receiver never got the focus";
    if (!r)
        return {};
    test::FakeRunHost host;
    host.settings.iWaitSec = 0;
    host.settings.iWaitMSec = 1;
    host.settings.iInputMode = how.mode;
    host.settings.iDelivery = how.delivery;
    host.settings.iTargetLayout = how.layout;
    host.box = text;
    std::atomic<bool> scriptRunning{false}, stop{false};
    SimulationRun run(host, systemKeyEventSink(), scriptRunning, stop);
    run.setKeyboardLayoutResolver(how.resolve);
    run.startRun();
    while (run.running() && host.timerArmed)
        run.onRunTimer(RUN_TIMER_ID);
    EXPECT_EQ(run.lastEnd(), RunEnd::Normal);
    return r->stop();
}

Lines charsOf(Lines lines) {
    std::erase_if(lines, [](const std::string& l) { return l.rfind("char ", 0) != 0; });
    return lines;
}

} // namespace

TEST(KeyPresses, UnicodeModeTypesUsKeysWithShiftAndScanCodes) {
    const Lines want = {
        "keydown 16 sc 2A", "keydown 65 sc 1E", "char 65",          "keyup 65 sc 1E",
        "keyup 16 sc 2A",   "keydown 66 sc 30", "char 98",          "keyup 66 sc 30",
        "keydown 50 sc 03", "char 50",          "keyup 50 sc 03",   "keydown 32 sc 39",
        "char 32",          "keyup 32 sc 39",   "keydown 16 sc 2A", "keydown 50 sc 03",
        "char 64",          "keyup 50 sc 03",   "keyup 16 sc 2A",   "keydown 37 sc E04B",
        "keyup 37 sc E04B", "keydown 13 sc 1C", "char 13",          "keyup 13 sc 1C",
    };
    EXPECT_EQ(typeInto(u"Ab2 @[VK_LEFT]\n", {}), want);
}

TEST(KeyPresses, TheLocalLayoutAnswersLikeTheUsTableAndTypesEveryCharacter) {
    // Wine's one layout, asked through its handle, against the built-in table.
    // Backslash, bar, less-than and greater-than are left out: Wine's layout
    // types them with the 102nd key (0x56), the table with the keys of the US
    // keyboard (0x2B, 0x33, 0x34).
    const std::u16string text = u"Hello, World? a1@_~\"x\":=+ Q`/2-9'z.\n";
    Delivered local;
    local.layout = kLayoutLocal;
    Delivered table;
    table.resolve = portableKeyboardLayout;
    const Lines fromLocal = typeInto(text, local);
    const Lines fromTable = typeInto(text, table);
    EXPECT_EQ(fromLocal, fromTable);
    Lines want;
    for (char16_t c : text)
        want.push_back("char " + std::to_string(c == u'\n' ? 13 : c));
    EXPECT_EQ(charsOf(fromTable), want);
    // Only key presses reached the window: no VK_PACKET.
    for (const std::string& l : fromTable)
        EXPECT_EQ(l.find(" 231"), std::string::npos) << l;
}
