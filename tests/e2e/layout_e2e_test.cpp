// Key presses delivery typing into a receiver that logs scan codes: the keys
// arrive with the US keyboard's scan codes (Wine has the US layout whatever
// is asked) and type the same characters as the default delivery.
#include "fake_run_host.h"
#include "keystroke/keystroke_win32.h"
#include "support/win_driver.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace tapwell;
using namespace tapwell::e2e;

namespace {

struct Delivered {
    InputMode mode = InputMode::Unicode;
    Delivery delivery = Delivery::KeyPresses;
    std::uint32_t layout = kLayoutUs101;
    KeyboardLayoutResolver resolve = systemKeyboardLayout;
};

// A whole run of the engine, with no countdown, into a fresh receiver.
std::vector<std::string> typeInto(const std::u16string& text, const Delivered& how,
                                  const std::wstring& tag) {
    const std::wstring log = makeScratchDir(tag) + L"keys.log";
    auto proc = Process::start(quote(exeDir() + L"receiver.exe") + L" " + quote(log) +
                               L" --seconds 30 --scan");
    EXPECT_TRUE(proc.has_value());
    if (!proc)
        return {};
    EXPECT_TRUE(waitForFile(log + L".ready", 15000)) << "receiver never got the focus";

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

    Sleep(500); // let the last events arrive
    if (HWND w = waitForWindow(proc->pid(), L"tapwell receiver", L"", 2000))
        PostMessageW(w, WM_CLOSE, 0, 0);
    proc->wait(5000);
    return readLines(log);
}

std::vector<std::string> charsOf(const std::vector<std::string>& lines) {
    std::vector<std::string> chars;
    for (const std::string& l : lines) {
        if (l.rfind("char ", 0) == 0)
            chars.push_back(l);
    }
    return chars;
}

const std::u16string kMixedText = u"Hello, World? a1@_~|\"x\":=+ \\ Q`<>/2-9'z\n";

} // namespace

TEST(KeyPresses, UnicodeModeTypesUsKeysWithShiftAndScanCodes) {
    std::vector<std::string> want = {
        "keydown 16 sc 2A", "keydown 65 sc 1E", "char 65",          "keyup 65 sc 1E",
        "keyup 16 sc 2A",   "keydown 66 sc 30", "char 98",          "keyup 66 sc 30",
        "keydown 50 sc 03", "char 50",          "keyup 50 sc 03",   "keydown 32 sc 39",
        "char 32",          "keyup 32 sc 39",   "keydown 16 sc 2A", "keydown 50 sc 03",
        "char 64",          "keyup 50 sc 03",   "keyup 16 sc 2A",   "keydown 37 sc E04B",
        "keyup 37 sc E04B", "keydown 13 sc 1C", "char 13",          "keyup 13 sc 1C",
    };
    EXPECT_EQ(typeInto(u"Ab2 @[VK_LEFT]\n", {}, L"keys-unicode"), want);
}

TEST(KeyPresses, TheLocalLayoutAnswersLikeTheUsTable) {
    // Wine's one layout, asked through its handle, against the built-in table.
    // Backslash, bar, less-than and greater-than are left out: Wine's layout
    // types them with the 102nd key (0x56), the table with the keys of the US
    // keyboard (0x2B, 0x33, 0x34).
    const std::u16string text = u"Hello, World? a1@_~\"x\":=+ Q`/2-9'z.\n";
    Delivered local;
    local.layout = kLayoutLocal;
    Delivered table;
    table.resolve = portableKeyboardLayout;
    std::vector<std::string> fromLocal = typeInto(text, local, L"keys-local");
    std::vector<std::string> fromTable = typeInto(text, table, L"keys-table");
    for (std::size_t i = 0; i < std::min(fromLocal.size(), fromTable.size()); ++i)
        ASSERT_EQ(fromLocal[i], fromTable[i]) << "line " << i;
    EXPECT_EQ(fromLocal.size(), fromTable.size());
    EXPECT_NE(std::find(fromLocal.begin(), fromLocal.end(), "keydown 16 sc 2A"), fromLocal.end());
}

TEST(KeyPresses, UnicodeModeTypesWhatTheDefaultDeliveryTypes) {
    Delivered written;
    written.delivery = Delivery::Written;
    std::vector<std::string> keys = typeInto(kMixedText, {}, L"keys-mixed");
    EXPECT_EQ(charsOf(keys), charsOf(typeInto(kMixedText, written, L"written-mixed")));
    // Only key presses reached the window: no VK_PACKET.
    for (const std::string& l : keys)
        EXPECT_EQ(l.find(" 231"), std::string::npos) << l;
}

TEST(KeyPresses, KeyboardSimulateModeAddsScanCodesToTheSameKeys) {
    const std::u16string text = u"AZ09-/.,;:]@^\\[[\n[VK_SHIFT)A(VK_SHIFT]";
    Delivered keys;
    keys.mode = InputMode::Keyboard;
    Delivered written = keys;
    written.delivery = Delivery::Written;
    std::vector<std::string> got = typeInto(text, keys, L"keys-keyboard");
    EXPECT_EQ(charsOf(got), charsOf(typeInto(text, written, L"written-keyboard")));
    std::vector<std::string> head(got.begin(), got.begin() + std::min<std::size_t>(got.size(), 6));
    std::vector<std::string> want = {"keydown 65 sc 1E", "char 97",  "keyup 65 sc 1E",
                                     "keydown 90 sc 2C", "char 122", "keyup 90 sc 2C"};
    EXPECT_EQ(head, want);
    // A text of several lines ends with a line feed of the run's own.
    std::vector<std::string> tail(got.end() - std::min<std::size_t>(got.size(), 8), got.end());
    std::vector<std::string> shiftA = {"keydown 16 sc 2A", "keydown 65 sc 1E", "char 65",
                                       "keyup 65 sc 1E",   "keyup 16 sc 2A",   "keydown 13 sc 1C",
                                       "char 13",          "keyup 13 sc 1C"};
    EXPECT_EQ(tail, shiftA);
}
