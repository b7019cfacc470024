// tapwell.exe typing into real windows: runs given on the command line, the
// boxes a run shows, and the Esc stop by a real key press in another window
// (an X key event from xdotool reaches the low-level hook as the user's own
// key, unlike the program's injected ones).
#include "resource.h"
#include "support/win_driver.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace tapwell::e2e;
using Lines = std::vector<std::string>;

namespace {

std::ptrdiff_t count(const Lines& lines, const std::string& line) {
    return std::count(lines.begin(), lines.end(), line);
}

// Milliseconds until `predicate` holds, polled every 10 ms; -1 after 3 s.
template <class F> long msUntil(F predicate) {
    for (DWORD start = GetTickCount(); GetTickCount() - start <= 3000; Sleep(10))
        if (predicate())
            return static_cast<long>(GetTickCount() - start);
    return -1;
}

// The program idle, with a receiver in front that xdotool finds by its title.
struct Session {
    std::optional<Tapwell> t;
    std::optional<Receiver> r;
    explicit Session(std::vector<std::wstring> ini)
        : t(Tapwell::start(std::move(ini))),
          r(Receiver::start(L"--hold-focus 1000 --title esc-receiver")) {}
    void start(const std::wstring& text) {
        t->setText(IDC_TEXT, text);
        t->command(IDC_START);
    }
    // A real Esc press and release in the receiver. Wine cannot wait for a
    // Linux process: the shell leaves a file (whole, by a rename) once the key
    // has gone out; a search meeting a window that closes fails and is retried.
    bool esc() {
        const std::wstring mark = L"/tmp/tapwell-esc-" + std::to_wstring(GetTickCount());
        const std::wstring windowsMark = hostPath(toUtf8(mark).c_str());
        auto p = Process::start(L"Z:\\bin\\sh -c \"for i in 1 2 3 4 5; do xdotool search --name "
                                L"esc-receiver windowfocus key Escape && break; sleep 0.1; done; "
                                L"echo $? > " +
                                mark + L".part; mv " + mark + L".part " + mark + L"\"");
        const bool sent =
            p && waitForFile(windowsMark, 10000) && readFileBytes(windowsMark)[0] == '0';
        DeleteFileW(windowsMark.c_str());
        return sent;
    }
    // The run is over within `limitMs` of now.
    void expectIdleWithin(long limitMs) {
        const long after = msUntil([&] { return textOf(t->dialog) == kIdleTitle; });
        EXPECT_GE(after, 0) << "the run did not stop";
        EXPECT_LE(after, limitMs);
    }
};

// How soon a run must be over after the user's Esc.
constexpr long kStopMs = 500;

} // namespace

TEST(Runs, CommandLineTextReachesTheReceiverInEachModeAndDelivery) {
    const std::wstring unicode = L"iInputMode=1";
    struct Row {
        std::vector<std::wstring> ini;
        std::wstring text;
        Lines want;
    } rows[] = {
        // Keyboard mode types the keys of the text, lower case without Shift.
        {{L"iInputMode=0"},
         L"AB1",
         {"keydown 65", "char 97", "keyup 65", "keydown 66", "char 98", "keyup 66", "keydown 49",
          "char 49", "keyup 49"}},
        {{unicode},
         L"aあ",
         {"keydown 231", "char 97", "keyup 231", "keydown 231", "char 12354", "keyup 231"}},
        // Key presses on the Japanese table: "@" is the key right of P,
        // unshifted (Wine's own US layout reads that key as "`").
        {{unicode, L"iDelivery=1", L"iTargetLayout=2"},
         L"@",
         {"keydown 192", "char 96", "keyup 192"}},
    };
    for (Row& row : rows) {
        SCOPED_TRACE(toUtf8(row.text));
        row.ini.push_back(L"iWaitSec=3");
        auto run = Tapwell::start(row.ini, quote(L"/T:" + row.text));
        ASSERT_TRUE(run);
        auto receiver = Receiver::start(L"--hold-focus 2500"); // in front during the countdown
        ASSERT_TRUE(receiver);
        EXPECT_EQ(run->process.wait(20000), std::optional<DWORD>(0)) << "the run ends the program";
        EXPECT_EQ(receiver->stop(), row.want);
    }
}

TEST(Runs, TypesIntoNotepad) {
    auto run = Tapwell::start({L"iInputMode=1", L"iWaitSec=4"}, L"\"/T:Hello, notepad 123\"");
    ASSERT_TRUE(run);
    auto pad = Process::start(L"notepad.exe");
    ASSERT_TRUE(pad);
    HWND padWindow = waitForWindow(pad->pid(), L"", L"Notepad", 15000);
    ASSERT_NE(padWindow, nullptr);
    // Keep notepad in front until the countdown is over.
    for (DWORD start = GetTickCount(); GetTickCount() - start < 3000; Sleep(100))
        if (GetForegroundWindow() != padWindow)
            SetForegroundWindow(padWindow);
    EXPECT_EQ(run->process.wait(20000), std::optional<DWORD>(0));
    EXPECT_EQ(textOf(FindWindowExW(padWindow, nullptr, L"Edit", nullptr)), L"Hello, notepad 123");
}

// One program and one receiver for the three ways a run meets the user's Esc.
TEST(EscStop, StopsAtOnceReleasesHeldKeysEndsAWaitAndCanBeSwitchedOff) {
    Session s({L"iInputMode=0", L"iWaitSec=1", L"iWaitMSec=1", L"iLoopNum=0"});
    ASSERT_TRUE(s.t && s.r);
    // Ctrl then Shift, pressed again on every pass but held since the first;
    // the text's own Esc (an injected event) must not stop the run.
    s.start(L"[VK_CONTROL)[VK_SHIFT)Q[VK_ESCAPE]");
    ASSERT_TRUE(waitUntil([&] { return count(s.r->lines(), "keydown 27") >= 5; }, 15000));
    EXPECT_EQ(s.t->text(IDC_START), L"Abort") << "the injected Esc stopped the run";
    // Sending every millisecond, the dialog keeps answering at once.
    for (int i = 0; i < 50; ++i, Sleep(10)) {
        DWORD_PTR ignored = 0;
        EXPECT_NE(SendMessageTimeoutW(s.t->dialog, WM_NULL, 0, 0, SMTO_BLOCK, 100, &ignored), 0);
    }
    ASSERT_TRUE(s.esc());
    s.expectIdleWithin(kStopMs);
    Sleep(300);
    const Lines lines = s.r->lines();
    Sleep(600);
    EXPECT_EQ(s.r->lines().size(), lines.size()) << "the run went on typing";
    // After the last key-down only releases came, the last pressed first.
    auto lastDown = std::find_if(lines.rbegin(), lines.rend(),
                                 [](const std::string& l) { return l.rfind("keydown", 0) == 0; });
    Lines releases(lastDown.base(), lines.end());
    std::erase_if(releases, [](const std::string& l) { return l.rfind("char", 0) == 0; });
    ASSERT_GE(releases.size(), 2u);
    EXPECT_EQ(Lines(releases.end() - 2, releases.end()), (Lines{"keyup 16", "keyup 17"}));

    // An Esc during a long wait ends the wait and the run, and is swallowed.
    s.t->setText(IDC_LOOP, L"1");
    s.start(L"A[WAIT:30000]B");
    ASSERT_TRUE(waitUntil([&] { return count(s.r->lines(), "char 97") == 1; }, 15000));
    Sleep(300);
    const std::ptrdiff_t escapes = count(s.r->lines(), "keydown 27");
    ASSERT_TRUE(s.esc());
    s.expectIdleWithin(kStopMs);
    Sleep(300);
    EXPECT_EQ(count(s.r->lines(), "char 98"), 0) << "the text went on after the wait";
    EXPECT_EQ(count(s.r->lines(), "keydown 27"), escapes) << "the stopping Esc reached the window";

    // With the menu switch off, Esc reaches the window and the run goes on.
    SendMessageW(s.t->dialog, WM_COMMAND, IDM_ESC_ABORT, 0);
    s.t->setText(IDC_LOOP, L"0");
    s.start(L"Z");
    ASSERT_TRUE(waitUntil([&] { return count(s.r->lines(), "char 122") >= 10; }, 15000));
    bool arrived = false; // the receiver may still be taking the focus back
    for (int i = 0; i < 3 && !arrived; ++i) {
        ASSERT_TRUE(s.esc());
        arrived = waitUntil([&] { return count(s.r->lines(), "keydown 27") > escapes; }, 1000);
    }
    EXPECT_TRUE(arrived) << "the Esc was swallowed";
    const std::ptrdiff_t typed = count(s.r->lines(), "char 122");
    Sleep(400);
    EXPECT_GT(count(s.r->lines(), "char 122"), typed) << "the run stopped typing";
    s.t->command(IDC_START); // Abort
    s.expectIdleWithin(3000);
}

TEST(Boxes, EscClosesThePauseBoxAndAScriptsBoxAndExitAsksFirst) {
    Session s({L"iInputMode=1", L"iWaitSec=1"});
    ASSERT_TRUE(s.t && s.r);
    s.start(L"a!b");
    auto box = s.t->waitForBox(15000);
    ASSERT_TRUE(box) << "no pause box";
    ASSERT_TRUE(s.esc());
    EXPECT_GE(msUntil([&] { return !IsWindow(box->hwnd); }), 0);
    s.expectIdleWithin(3000);
    Sleep(300);
    EXPECT_EQ(count(s.r->lines(), "char 97"), 1);
    EXPECT_EQ(count(s.r->lines(), "char 98"), 0) << "the run went on after the box";

    // A script showing boxes in a loop stops at the one it shows.
    SendMessageW(GetDlgItem(s.t->dialog, IDC_MODE_SCRIPT), BM_CLICK, 0, 0);
    s.start(L"loop {\r\nMESSAGE(\"tick\")\r\n}\r\n");
    box = s.t->waitForBox(10000);
    ASSERT_TRUE(box) << "the script showed no box";
    EXPECT_EQ(box->text, L"tick");
    ASSERT_TRUE(s.esc());
    const long closedAfter = msUntil([&] { return !IsWindow(box->hwnd); });
    EXPECT_GE(closedAfter, 0);
    EXPECT_LE(closedAfter, kStopMs);
    EXPECT_FALSE(s.t->waitForBox(1500)) << "the loop showed another box";
    s.expectIdleWithin(3000);

    // The Exit button asks; No keeps the dialog, Yes ends the program.
    for (const bool yes : {false, true}) {
        s.t->command(IDC_EXIT);
        box = s.t->waitForBox(10000);
        ASSERT_TRUE(box);
        EXPECT_EQ(box->text, L"Are you sure you want to exit?");
        EXPECT_TRUE(pressButton(*box, yes ? L"Yes" : L"No"));
        EXPECT_EQ(s.t->process.wait(yes ? 10000 : 1000),
                  yes ? std::optional<DWORD>(0) : std::nullopt);
    }
}
