// Runs from the dialog: the countdown, Abort, runs given on the command line
// typing into the receiver and into notepad, script mode.
#include "dialog_driver.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace tapwell::e2e;

namespace {

std::vector<std::string> charsOf(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (const std::string& l : lines)
        if (l.rfind("char ", 0) == 0)
            out.push_back(l);
    return out;
}

} // namespace

TEST(Runs, EmptyTextIsRefused) {
    auto t = Tapwell::start(L"empty", {});
    ASSERT_TRUE(t);
    t->command(IDC_START);
    auto box = waitForBox(*t, 10000);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, L"It's empty!");
    EXPECT_TRUE(pressButton(*box, L"OK"));
    Sleep(200);
    EXPECT_EQ(t->text(IDC_START), L"St&art");
    t->command(IDM_EXIT);
    EXPECT_EQ(t->process().wait(10000), 0u);
}

TEST(Runs, CountdownTitlesThenAbortRestoresTheIdleLook) {
    auto t = Tapwell::start(L"countdown", options(false, {L"iInputMode=1", L"iWaitSec=6"}));
    ASSERT_TRUE(t);
    t->setText(IDC_TEXT, L"never typed");
    t->command(IDC_START);
    std::vector<std::wstring> titles;
    const DWORD end = GetTickCount() + 2600;
    while (static_cast<int>(end - GetTickCount()) > 0) {
        std::wstring title = t->title();
        if (titles.empty() || titles.back() != title)
            titles.push_back(title);
        Sleep(30);
    }
    const std::wstring six =
        L"6 sec... Activate the destination window and wait - Davudiru Dodovizar";
    auto at = std::find(titles.begin(), titles.end(), six);
    ASSERT_NE(at, titles.end()) << "no title for 6 seconds left";
    ASSERT_NE(at + 1, titles.end());
    EXPECT_EQ(at[1], L"5 sec... Activate the destination window and wait - Davudiru Dodovizar");
    EXPECT_EQ(t->text(IDC_START), L"Abort");
    for (int id : {IDC_TEXT, IDC_EXIT, IDC_MODE_KEYBOARD, IDC_WAIT_SEC, IDC_PREFIX})
        EXPECT_FALSE(t->enabled(id)) << id;

    // Esc and the close box are not accepted while running.
    t->command(IDC_EXIT);
    EXPECT_FALSE(waitForBox(*t, 800).has_value());

    t->command(IDC_START); // Abort
    EXPECT_TRUE(waitUntil([&] { return t->title() == L"Davudiru Dodovizar"; }, 3000));
    EXPECT_EQ(t->text(IDC_START), L"St&art");
    EXPECT_TRUE(t->enabled(IDC_TEXT));
    EXPECT_TRUE(t->enabled(IDC_EXIT));
    // The aborted countdown never reaches its end.
    Sleep(1500);
    EXPECT_EQ(t->title(), L"Davudiru Dodovizar");
    t->command(IDM_EXIT);
    EXPECT_EQ(t->process().wait(10000), 0u);
}

TEST(Runs, JapaneseCountdownTitle) {
    auto t = Tapwell::start(L"countdown-ja", options(true, {L"iInputMode=1", L"iWaitSec=9"}));
    ASSERT_TRUE(t);
    t->setText(IDC_TEXT, L"x");
    t->command(IDC_START);
    EXPECT_TRUE(waitUntil(
        [&] {
            return t->title() ==
                   L"残り 9秒... 入力先ウィンドウをアクティブにしてお待ちください - doruviravad";
        },
        3000));
    EXPECT_EQ(t->text(IDC_START), L"中止");
    t->command(IDC_START);
    EXPECT_TRUE(waitUntil([&] { return t->title() == L"doruviravad"; }, 3000));
    EXPECT_EQ(t->text(IDC_START), L"入力開始(&A)");
    t->command(IDM_EXIT);
    EXPECT_EQ(t->process().wait(10000), 0u);
}

TEST(Runs, CommandLineTextInKeyboardModeTypesAndEnds) {
    TapwellOptions o{false, {L"iInputMode=0", L"iWaitSec=3", L"iWaitMSec=30"}, L"/T:AB1"};
    auto run = Tapwell::start(L"t-keys-run", o);
    ASSERT_TRUE(run);
    auto receiver = startReceiver(L"t-keys-recv", 2500);
    ASSERT_TRUE(receiver);
    EXPECT_EQ(run->process().wait(20000), 0u) << "the run ends the program";
    std::vector<std::string> got = stopReceiver(*receiver);
    std::vector<std::string> want = {"keydown 65", "char 97", "keyup 65",
                                     "keydown 66", "char 98", "keyup 66",
                                     "keydown 49", "char 49", "keyup 49"};
    EXPECT_EQ(got, want);
}

TEST(Runs, CommandLineTextInUnicodeModeTypesKanaAndEnds) {
    TapwellOptions o{false, {L"iInputMode=1", L"iWaitSec=3", L"iWaitMSec=30"}, L"/T:aあB"};
    auto run = Tapwell::start(L"t-uni", o);
    ASSERT_TRUE(run);
    auto receiver = startReceiver(L"t-uni-recv", 2500);
    ASSERT_TRUE(receiver);
    EXPECT_EQ(run->process().wait(20000), 0u);
    std::vector<std::string> chars = charsOf(stopReceiver(*receiver));
    std::vector<std::string> want = {"char 97", "char 12354", "char 66"};
    EXPECT_EQ(chars, want);
}

TEST(Runs, AbortStopsAnEndlessRunWithoutClosing) {
    TapwellOptions o{
        false, {L"iInputMode=1", L"iWaitSec=3", L"iWaitMSec=20", L"iLoopNum=0"}, L"/T:z"};
    auto run = Tapwell::start(L"endless", o);
    ASSERT_TRUE(run);
    auto receiver = startReceiver(L"endless-recv", 2500);
    ASSERT_TRUE(receiver);
    ASSERT_TRUE(waitUntil([&] { return charsOf(readLines(receiver->log)).size() >= 10; }, 15000))
        << "the endless run did not type";
    EXPECT_EQ(run->text(IDC_START), L"Abort");
    run->command(IDC_START);
    EXPECT_TRUE(waitUntil([&] { return run->title() == L"Davudiru Dodovizar"; }, 3000));
    const std::size_t atAbort = charsOf(readLines(receiver->log)).size();
    Sleep(800);
    EXPECT_LE(charsOf(readLines(receiver->log)).size(), atAbort + 1);
    EXPECT_FALSE(run->process().wait(500).has_value()) << "Abort must not close the dialog";
    run->command(IDM_EXIT);
    EXPECT_EQ(run->process().wait(10000), 0u);
    std::vector<std::string> chars = charsOf(stopReceiver(*receiver));
    EXPECT_TRUE(std::all_of(chars.begin(), chars.end(),
                            [](const std::string& c) { return c == "char 122"; }));
}

TEST(Runs, TypesIntoNotepad) {
    TapwellOptions o{
        false, {L"iInputMode=1", L"iWaitSec=4", L"iWaitMSec=30"}, L"\"/T:Hello, notepad 123\""};
    auto run = Tapwell::start(L"notepad", o);
    ASSERT_TRUE(run);
    auto pad = Process::start(L"notepad.exe");
    ASSERT_TRUE(pad);
    HWND padWindow = waitForWindow(pad->pid(), L"", L"Notepad", 15000);
    ASSERT_NE(padWindow, nullptr);
    HWND edit = FindWindowExW(padWindow, nullptr, L"Edit", nullptr);
    ASSERT_NE(edit, nullptr);
    // Keep notepad in front until the countdown is over.
    const DWORD until = GetTickCount() + 3000;
    while (static_cast<int>(until - GetTickCount()) > 0) {
        if (GetForegroundWindow() != padWindow)
            SetForegroundWindow(padWindow);
        Sleep(100);
    }
    EXPECT_EQ(run->process().wait(20000), 0u);
    EXPECT_EQ(textOf(edit), L"Hello, notepad 123");
    pad->kill();
}

TEST(Runs, ScriptModeSendsKeysThroughKeybdEvent) {
    auto t = Tapwell::start(L"script", options(false, {L"iInputMode=2", L"iWaitSec=3"}));
    ASSERT_TRUE(t);
    t->setText(IDC_TEXT, L"KEYBDEVENT(VK_Q, 1)\r\nKEYBDEVENT(VK_Q, 0)\r\n");
    t->command(IDC_START);
    auto receiver = startReceiver(L"script-recv", 2500);
    ASSERT_TRUE(receiver);
    EXPECT_TRUE(waitUntil([&] { return t->title() == L"Running Script..."; }, 6000));
    // The script ends by itself; the next one-second tick restores the idle look.
    EXPECT_TRUE(waitUntil([&] { return t->title() == L"Davudiru Dodovizar"; }, 6000));
    std::vector<std::string> got = stopReceiver(*receiver);
    std::vector<std::string> want = {"keydown 81", "char 113", "keyup 81"};
    EXPECT_EQ(got, want);
    t->command(IDM_EXIT);
    EXPECT_EQ(t->process().wait(10000), 0u);
}

TEST(Runs, AbortStopsAnEndlessScriptAndANewRunStartsAfresh) {
    auto t = Tapwell::start(L"script-loop", options(false, {L"iInputMode=2", L"iWaitSec=3"}));
    ASSERT_TRUE(t);
    t->setText(IDC_TEXT,
               L"loop {\r\nKEYBDEVENT(VK_Q, 1)\r\nKEYBDEVENT(VK_Q, 0)\r\nSLEEP(50)\r\n}\r\n");
    t->command(IDC_START);
    auto receiver = startReceiver(L"script-loop-recv", 2500);
    ASSERT_TRUE(receiver);
    ASSERT_TRUE(waitUntil([&] { return charsOf(readLines(receiver->log)).size() >= 5; }, 10000))
        << "the script did not type";
    t->command(IDC_START); // Abort
    EXPECT_TRUE(waitUntil([&] { return t->title() == L"Davudiru Dodovizar"; }, 2000));
    Sleep(400); // the script sees the request after its current statement
    const std::size_t atAbort = charsOf(readLines(receiver->log)).size();
    Sleep(800);
    EXPECT_EQ(charsOf(readLines(receiver->log)).size(), atAbort) << "the script kept typing";

    // The stopped script left nothing behind: a new script runs to its end.
    t->setText(IDC_TEXT, L"KEYBDEVENT(VK_W, 1)\r\nKEYBDEVENT(VK_W, 0)\r\n");
    t->setText(IDC_WAIT_SEC, L"0");
    t->command(IDC_START);
    EXPECT_TRUE(waitUntil([&] { return t->title() == L"Running Script..."; }, 4000));
    EXPECT_TRUE(waitUntil([&] { return t->title() == L"Davudiru Dodovizar"; }, 6000));
    std::vector<std::string> chars = charsOf(stopReceiver(*receiver));
    ASSERT_FALSE(chars.empty());
    EXPECT_EQ(chars.back(), "char 119");
    t->command(IDM_EXIT);
    EXPECT_EQ(t->process().wait(10000), 0u);
}

// Key presses delivery chosen in the settings: the run sends each character
// as the key of the target layout that types it, with the key's scan code.
TEST(Runs, KeyPressesOnTheUsLayoutTypeWithUsScanCodes) {
    TapwellOptions o{
        false,
        {L"iInputMode=1", L"iWaitSec=3", L"iWaitMSec=30", L"iDelivery=1", L"iTargetLayout=1"},
        L"/T:a@"};
    auto run = Tapwell::start(L"keys-us", o);
    ASSERT_TRUE(run);
    auto receiver = startReceiver(L"keys-us-recv", 2500, true);
    ASSERT_TRUE(receiver);
    EXPECT_EQ(run->process().wait(20000), 0u);
    std::vector<std::string> want = {
        "keydown 65 sc 1E", "char 97",          "keyup 65 sc 1E", //
        "keydown 16 sc 2A", "keydown 50 sc 03", "char 64",        //
        "keyup 50 sc 03",   "keyup 16 sc 2A",
    };
    EXPECT_EQ(stopReceiver(*receiver), want);
}

// The Japanese table puts "@" on the key right of P, unshifted: the target
// layout reaches the run (Wine's own US layout then reads that key as "`").
TEST(Runs, KeyPressesOnTheJapaneseLayoutUseItsKeys) {
    TapwellOptions o{
        false,
        {L"iInputMode=1", L"iWaitSec=3", L"iWaitMSec=30", L"iDelivery=1", L"iTargetLayout=2"},
        L"/T:@"};
    auto run = Tapwell::start(L"keys-jp", o);
    ASSERT_TRUE(run);
    auto receiver = startReceiver(L"keys-jp-recv", 2500, true);
    ASSERT_TRUE(receiver);
    EXPECT_EQ(run->process().wait(20000), 0u);
    std::vector<std::string> got = stopReceiver(*receiver);
    ASSERT_FALSE(got.empty());
    EXPECT_EQ(got.front(), "keydown 192 sc 1A");
    EXPECT_EQ(std::count(got.begin(), got.end(), "keydown 16 sc 2A"), 0) << "no Shift";
}

TEST(Runs, ScriptKeysGoAsKeyPressesWhenChosen) {
    auto t = Tapwell::start(L"script-keys",
                            options(false, {L"iInputMode=2", L"iWaitSec=3", L"iDelivery=1"}));
    ASSERT_TRUE(t);
    t->setText(IDC_TEXT, L"KEYBDEVENT(VK_Q, 1)\r\nKEYBDEVENT(VK_Q, 0)\r\n");
    t->command(IDC_START);
    auto receiver = startReceiver(L"script-keys-recv", 2500, true);
    ASSERT_TRUE(receiver);
    EXPECT_TRUE(waitUntil([&] { return t->title() == L"Running Script..."; }, 6000));
    EXPECT_TRUE(waitUntil([&] { return t->title() == L"Davudiru Dodovizar"; }, 6000));
    std::vector<std::string> want = {"keydown 81 sc 10", "char 113", "keyup 81 sc 10"};
    EXPECT_EQ(stopReceiver(*receiver), want);
    t->command(IDM_EXIT);
    EXPECT_EQ(t->process().wait(10000), 0u);
}

// An installed layout is asked through its handle: Wine's US layout types "@"
// with Shift and 2, where a run that knew only the built-in tables would take
// the Japanese key.
TEST(Runs, KeyPressesOnAnInstalledLayoutAskThatLayout) {
    HKL layouts[8] = {};
    ASSERT_GE(GetKeyboardLayoutList(8, layouts), 1);
    const auto id = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(layouts[0]));
    TapwellOptions o{false,
                     {L"iInputMode=1", L"iWaitSec=3", L"iWaitMSec=30", L"iDelivery=1",
                      L"iTargetLayout=" + std::to_wstring(id)},
                     L"/T:@"};
    auto run = Tapwell::start(L"keys-installed", o);
    ASSERT_TRUE(run);
    auto receiver = startReceiver(L"keys-installed-recv", 2500, true);
    ASSERT_TRUE(receiver);
    EXPECT_EQ(run->process().wait(20000), 0u);
    std::vector<std::string> want = {"keydown 16 sc 2A", "keydown 50 sc 03", "char 64",
                                     "keyup 50 sc 03", "keyup 16 sc 2A"};
    EXPECT_EQ(stopReceiver(*receiver), want);
}
