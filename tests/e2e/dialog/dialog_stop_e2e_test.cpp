// Stopping runs from outside the dialog: a real Esc pressed in another
// window (an X key event from xdotool, which reaches a low-level hook as the
// user's own key), the keys a stopped run leaves released, and the focus
// guard.
#include "dialog_driver.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace tapwell::e2e;

namespace {

constexpr const wchar_t* kIdleTitle = L"Davudiru Dodovizar";
// How soon a run must be over after the user's Esc.
constexpr DWORD kStopMs = 500;

// A real Esc press and release in the window titled `title`, by xdotool (a
// Linux program that Wine starts directly). Wine cannot wait for a Linux
// process, so the shell leaves a file (whole, by a rename) once the key has gone out; a search
// that meets a window closing meanwhile fails, and is tried again.
bool pressEscIn(const std::wstring& title) {
    static int calls = 0;
    const std::wstring mark = L"/tmp/tapwell-esc-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(++calls);
    std::wstring windowsMark = L"Z:" + mark;
    std::replace(windowsMark.begin(), windowsMark.end(), L'/', L'\\');
    DeleteFileW(windowsMark.c_str());
    auto p =
        Process::start(L"Z:\\bin\\sh -c \"for i in 1 2 3 4 5; do xdotool search --name " + title +
                       L" windowfocus key Escape && break; sleep 0.1; done; echo $? > " + mark +
                       L".part; mv " + mark + L".part " + mark + L"\"");
    if (!p || !waitForFile(windowsMark, 10000))
        return false;
    const bool sent = readFileBytes(windowsMark).rfind("0", 0) == 0;
    DeleteFileW(windowsMark.c_str());
    return sent;
}

std::size_t lineCount(const Receiver& r) {
    return readLines(r.log).size();
}

// Milliseconds until `predicate` holds, polled every 10 ms; -1 after `limitMs`.
template <class F> long msUntil(F predicate, DWORD limitMs) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start <= limitMs) {
        if (predicate())
            return static_cast<long>(GetTickCount() - start);
        Sleep(10);
    }
    return -1;
}

bool contains(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// The lines after the last key-down: what came once the run stopped pressing.
std::vector<std::string> tailAfterLastKeyDown(const std::vector<std::string>& lines) {
    auto last = std::find_if(lines.rbegin(), lines.rend(),
                             [](const std::string& l) { return l.rfind("keydown", 0) == 0; });
    std::vector<std::string> tail(last.base(), lines.end());
    std::erase_if(tail, [](const std::string& l) { return l.rfind("char", 0) == 0; });
    return tail;
}

void exitProgram(Tapwell& t) {
    t.command(IDM_EXIT);
    EXPECT_EQ(t.process().wait(10000), 0u);
}

} // namespace

TEST(EscStop, AnEndlessTextStopsAtOnceAndTheKeysItHeldAreReleased) {
    // Ctrl then Shift, pressed again on every pass but held since the
    // first; the text's own Esc (an injected event) must not stop the run.
    TapwellOptions o{false,
                     {L"iInputMode=0", L"iWaitSec=3", L"iWaitMSec=20", L"iLoopNum=0"},
                     L"/T:[VK_CONTROL)[VK_SHIFT)Q[VK_ESCAPE]"};
    auto t = Tapwell::start(L"esc-text", o);
    ASSERT_TRUE(t);
    auto r = startReceiver(L"esc-text-recv", 2500, false, L"esc-text-receiver");
    ASSERT_TRUE(r);
    ASSERT_TRUE(waitUntil(
        [&] {
            auto lines = readLines(r->log);
            return std::count(lines.begin(), lines.end(), "keydown 27") >= 5;
        },
        15000))
        << "the run did not type its own Esc";
    EXPECT_EQ(t->text(IDC_START), L"Abort") << "the injected Esc stopped the run";

    ASSERT_TRUE(pressEscIn(L"esc-text-receiver"));
    const long stoppedAfter = msUntil([&] { return t->title() == kIdleTitle; }, 3000);
    EXPECT_GE(stoppedAfter, 0);
    EXPECT_LE(stoppedAfter, static_cast<long>(kStopMs));
    const std::size_t atStop = lineCount(*r);
    Sleep(600);
    EXPECT_LE(lineCount(*r), atStop + 2) << "the run went on typing";
    EXPECT_FALSE(t->process().wait(300).has_value()) << "an Esc stop is an Abort: no closing";
    exitProgram(*t);
    const std::vector<std::string> lines = stopReceiver(*r);
    EXPECT_EQ(tailAfterLastKeyDown(lines).back(), "keyup 17") << "Ctrl released last";
    const auto tail = tailAfterLastKeyDown(lines);
    EXPECT_TRUE(contains(tail, "keyup 16")) << "Shift released";
    EXPECT_LT(std::find(tail.begin(), tail.end(), "keyup 16") - tail.begin(),
              std::find(tail.begin(), tail.end(), "keyup 17") - tail.begin())
        << "the last pressed first";
}

TEST(EscStop, WithTheMenuItemOffEscDoesNotStopTheRun) {
    TapwellOptions o{
        false,
        {L"iInputMode=1", L"iWaitSec=3", L"iWaitMSec=20", L"iLoopNum=0", L"iEscAbort=0"},
        L"/T:z"};
    auto t = Tapwell::start(L"esc-off", o);
    ASSERT_TRUE(t);
    auto r = startReceiver(L"esc-off-recv", 2500, false, L"esc-off-receiver");
    ASSERT_TRUE(r);
    ASSERT_TRUE(waitUntil([&] { return lineCount(*r) >= 10; }, 15000));
    // The Esc must reach the window: nothing swallows it. The receiver may
    // still be taking the focus back, so it is pressed until it arrives.
    bool arrived = false;
    for (int i = 0; i < 3 && !arrived; ++i) {
        ASSERT_TRUE(pressEscIn(L"esc-off-receiver"));
        arrived = waitUntil([&] { return contains(readLines(r->log), "keydown 27"); }, 1000);
    }
    EXPECT_TRUE(arrived) << "the Esc was swallowed";
    EXPECT_EQ(t->text(IDC_START), L"Abort");
    const std::size_t before = lineCount(*r);
    Sleep(400);
    EXPECT_GT(lineCount(*r), before) << "the run stopped typing";
    t->command(IDC_START);
    EXPECT_TRUE(waitUntil([&] { return t->title() == kIdleTitle; }, 3000));
    exitProgram(*t);
    stopReceiver(*r);
}

TEST(EscStop, AnEscDuringALongWaitEndsTheWaitAndTheRun) {
    TapwellOptions o{
        false, {L"iInputMode=1", L"iWaitSec=3", L"iWaitMSec=20"}, L"/T:a[WAIT:30000]b"};
    auto t = Tapwell::start(L"esc-wait", o);
    ASSERT_TRUE(t);
    auto r = startReceiver(L"esc-wait-recv", 2500, false, L"esc-wait-receiver");
    ASSERT_TRUE(r);
    ASSERT_TRUE(waitUntil([&] { return contains(readLines(r->log), "char 97"); }, 15000));
    Sleep(300); // inside the wait now
    ASSERT_TRUE(pressEscIn(L"esc-wait-receiver"));
    const long stoppedAfter = msUntil([&] { return t->title() == kIdleTitle; }, 5000);
    EXPECT_GE(stoppedAfter, 0);
    EXPECT_LE(stoppedAfter, static_cast<long>(kStopMs));
    Sleep(300);
    exitProgram(*t);
    const std::vector<std::string> lines = stopReceiver(*r);
    EXPECT_FALSE(contains(lines, "char 98")) << "the text went on after the wait";
    EXPECT_FALSE(contains(lines, "keydown 27")) << "the stopping Esc reached the window";
}

TEST(EscStop, AnEndlessScriptHoldingShiftStopsAndReleasesIt) {
    auto t = Tapwell::start(L"esc-script", options(false, {L"iInputMode=2", L"iWaitSec=3"}));
    ASSERT_TRUE(t);
    t->setText(IDC_TEXT, L"KEYBDEVENT(VK_SHIFT, 1)\r\nloop {\r\nKEYBDEVENT(VK_Q, 1)\r\n"
                         L"KEYBDEVENT(VK_Q, 0)\r\nKEYBDEVENT(VK_ESCAPE, 1)\r\n"
                         L"KEYBDEVENT(VK_ESCAPE, 0)\r\nSLEEP(20)\r\n}\r\n");
    t->command(IDC_START);
    auto r = startReceiver(L"esc-script-recv", 2500, false, L"esc-script-receiver");
    ASSERT_TRUE(r);
    ASSERT_TRUE(waitUntil(
        [&] {
            auto lines = readLines(r->log);
            return std::count(lines.begin(), lines.end(), "keydown 27") >= 5;
        },
        15000))
        << "the script did not type";
    EXPECT_EQ(t->text(IDC_START), L"Abort") << "the script's own Esc stopped it";
    ASSERT_TRUE(pressEscIn(L"esc-script-receiver"));
    const long stoppedAfter = msUntil([&] { return t->title() == kIdleTitle; }, 3000);
    EXPECT_GE(stoppedAfter, 0);
    EXPECT_LE(stoppedAfter, static_cast<long>(kStopMs));
    Sleep(300); // the script stops after its statement in progress
    const std::size_t atStop = lineCount(*r);
    Sleep(500);
    EXPECT_EQ(lineCount(*r), atStop) << "the script went on";
    exitProgram(*t);
    const std::vector<std::string> lines = stopReceiver(*r);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "keyup 16") << "Shift left held";
}

TEST(EscStop, AScriptThatShowsBoxesInALoopStopsAtTheBoxItShows) {
    auto t = Tapwell::start(L"esc-boxes", options(false, {L"iInputMode=2", L"iWaitSec=0"}));
    ASSERT_TRUE(t);
    t->setText(IDC_TEXT, L"loop {\r\nMESSAGE(\"tick\")\r\n}\r\n");
    t->command(IDC_START);
    auto box = waitForBox(*t, 10000);
    ASSERT_TRUE(box) << "the script showed no box";
    EXPECT_EQ(box->text, L"tick");
    auto r = startReceiver(L"esc-boxes-recv", 800, false, L"esc-boxes-receiver");
    ASSERT_TRUE(r);
    ASSERT_TRUE(pressEscIn(L"esc-boxes-receiver"));
    const long closedAfter = msUntil([&] { return !IsWindow(box->hwnd); }, 3000);
    EXPECT_GE(closedAfter, 0);
    EXPECT_LE(closedAfter, static_cast<long>(kStopMs));
    EXPECT_FALSE(waitForBox(*t, 1500).has_value()) << "the loop showed another box";
    EXPECT_TRUE(waitUntil([&] { return t->title() == kIdleTitle; }, 2000));
    exitProgram(*t);
    stopReceiver(*r);
}

TEST(EscStop, APauseBoxIsClosedAndTheRunStops) {
    TapwellOptions o{false, {L"iInputMode=1", L"iWaitSec=3", L"iWaitMSec=20"}, L"/T:a!b"};
    auto t = Tapwell::start(L"esc-pause", o);
    ASSERT_TRUE(t);
    auto r = startReceiver(L"esc-pause-recv", 2500, false, L"esc-pause-receiver");
    ASSERT_TRUE(r);
    auto box = waitForBox(*t, 15000);
    ASSERT_TRUE(box);
    ASSERT_TRUE(pressEscIn(L"esc-pause-receiver"));
    EXPECT_GE(msUntil([&] { return !IsWindow(box->hwnd); }, 3000), 0);
    EXPECT_TRUE(waitUntil([&] { return t->title() == kIdleTitle; }, 2000));
    Sleep(300);
    exitProgram(*t);
    const std::vector<std::string> lines = stopReceiver(*r);
    EXPECT_TRUE(contains(lines, "char 97"));
    EXPECT_FALSE(contains(lines, "char 98")) << "the run went on after the box";
}

TEST(FocusGuard, AnotherWindowInFrontPausesTheRunAndTheDestinationResumesIt) {
    TapwellOptions o{
        false,
        {L"iInputMode=1", L"iWaitSec=3", L"iWaitMSec=20", L"iLoopNum=0", L"iFocusGuard=1"},
        L"/T:z"};
    auto t = Tapwell::start(L"guard", o);
    ASSERT_TRUE(t);
    auto dest = startReceiver(L"guard-dest", 2500, false, L"guard-destination");
    ASSERT_TRUE(dest);
    HWND destWindow = waitForWindow(dest->proc.pid(), L"", L"TapwellReceiver", 5000);
    ASSERT_NE(destWindow, nullptr);
    ASSERT_TRUE(waitUntil([&] { return lineCount(*dest) >= 15; }, 15000));

    // A second window takes the foreground.
    auto other = startReceiver(L"guard-other", 1000, false, L"guard-other");
    ASSERT_TRUE(other);
    const std::wstring paused =
        L"Paused: activate the destination window again - Davudiru Dodovizar";
    EXPECT_GE(msUntil([&] { return t->title() == paused; }, 3000), 0);
    const std::size_t atPause = lineCount(*dest);
    Sleep(kStopMs);
    EXPECT_EQ(lineCount(*dest), atPause) << "typing went on behind another window";
    EXPECT_EQ(lineCount(*other), 0u) << "the other window got the text";

    Sleep(1000); // the other receiver stops taking the focus back
    SetForegroundWindow(destWindow);
    EXPECT_TRUE(waitUntil([&] { return lineCount(*dest) > atPause + 5; }, 3000))
        << "the run did not resume";
    EXPECT_NE(t->title(), paused);

    // Abort works while paused.
    HWND otherWindow = waitForWindow(other->proc.pid(), L"", L"TapwellReceiver", 5000);
    ASSERT_NE(otherWindow, nullptr);
    SetForegroundWindow(otherWindow);
    EXPECT_TRUE(waitUntil([&] { return t->title() == paused; }, 3000));
    t->command(IDC_START);
    EXPECT_TRUE(waitUntil([&] { return t->title() == kIdleTitle; }, 3000));
    exitProgram(*t);
    stopReceiver(*dest);
    stopReceiver(*other);
}
