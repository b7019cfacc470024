// tapwell.exe typing into real windows and its boxes; the Esc stop and Caps
// Lock by real key presses in another window (an X key event from xdotool
// reaches the hooks as the user's, unlike injected ones); tapwell-cli's runs.
#include "resource.h"
#include "support/win_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <source_location>

using namespace tapwell::e2e;
using Lines = std::vector<std::string>;

namespace {

constexpr long kStopMs = 500; // how soon a run is over after the user's Esc

// `predicate` comes true within `limitMs` of now.
template <class F>
void expectWithin(long limitMs, F predicate,
                  std::source_location where = std::source_location::current()) {
    const DWORD start = GetTickCount();
    EXPECT_TRUE(waitUntil(predicate, 3000)) << "line " << where.line();
    EXPECT_LE(static_cast<long>(GetTickCount() - start), limitMs) << "line " << where.line();
}

// The program idle, with a receiver in front that xdotool finds by its title.
struct Session {
    std::wstring title;
    std::optional<Tapwell> t;
    std::optional<Receiver> r;
    explicit Session(std::vector<std::wstring> ini, std::wstring receiverTitle = L"esc-receiver")
        : title(std::move(receiverTitle)), t(Tapwell::start(std::move(ini))),
          r(Receiver::start(L"--hold-focus 1500 --title " + title)) {}
    // The receiver in front first: a box that closed gave the dialog the activation.
    void start(const std::wstring& text) {
        HWND front = FindWindowW(L"TapwellReceiver", title.c_str());
        waitUntil([&] { return SetForegroundWindow(front) && GetForegroundWindow() == front; },
                  2000);
        t->setText(IDC_TEXT, text);
        t->command(IDC_START);
    }
    std::ptrdiff_t count(const std::string& line) const {
        const Lines lines = r->lines();
        return std::count(lines.begin(), lines.end(), line);
    }
    std::optional<MessageBoxInfo> box(DWORD timeoutMs) const {
        return waitForMessageBox(t->process.pid(), L"", timeoutMs, t->dialog);
    }
    bool answers(UINT timeoutMs) const {
        DWORD_PTR ignored = 0;
        return SendMessageTimeoutW(t->dialog, WM_NULL, 0, 0, SMTO_BLOCK, timeoutMs, &ignored);
    }
    bool idle() const { return textOf(t->dialog) == L"Davudiru Dodovizar"; }
    bool esc() const { return pressKeysIn(title, L"Escape"); }
};

// tapwell-cli running `script` from a file in a scratch folder of its own.
std::optional<Process> startCliScript(const std::wstring& tag, const char* script) {
    const std::wstring dir = makeScratchDir(tag), file = dir + L"run.qz";
    std::ofstream(file.c_str(), std::ios::binary) << script;
    return Process::start(quote(hostPath(TAPWELL_CLI_PATH)) + L" script --wait 0 " + quote(file),
                          dir);
}

} // namespace

// A text on the command line goes to the window in front and ends the
// program; notepad, a program of its own, gets it whole in its edit control.
TEST(Runs, CommandLineTextReachesTheWindowInFrontInEachModeAndDelivery) {
    struct Row {
        std::vector<std::wstring> ini;
        std::wstring text;
        Lines want; // none: typed into notepad
    } rows[] = {
        // Keyboard mode types the keys of the text, lower case without Shift.
        {{L"iInputMode=0", L"iWaitSec=3"},
         L"AB1",
         {"keydown 65", "char 97", "keyup 65", "keydown 66", "char 98", "keyup 66", "keydown 49",
          "char 49", "keyup 49"}},
        // Key presses on the Japanese table: "@" is the key right of P,
        // unshifted (Wine's own US layout reads that key as "`").
        {{L"iInputMode=1", L"iWaitSec=3", L"iDelivery=1", L"iTargetLayout=2"},
         L"@",
         {"keydown 192", "char 96", "keyup 192"}},
        {{L"iInputMode=1", L"iWaitSec=4"}, L"Hello, notepad あ 😀 123", {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(toUtf8(row.text));
        auto run = Tapwell::start(row.ini, quote(L"/T:" + row.text));
        ASSERT_TRUE(run);
        if (row.want.empty()) {
            auto pad = Process::start(L"notepad.exe");
            HWND padWindow = pad ? waitForWindow(pad->pid(), L"", L"Notepad", 15000) : nullptr;
            ASSERT_NE(padWindow, nullptr);
            for (DWORD start = GetTickCount(); GetTickCount() - start < 3000; Sleep(100))
                SetForegroundWindow(padWindow); // until the countdown is over
            EXPECT_EQ(run->process.wait(20000), std::optional<DWORD>(0));
            EXPECT_EQ(textOf(FindWindowExW(padWindow, nullptr, L"Edit", nullptr)), row.text);
            continue;
        }
        auto receiver = Receiver::start(L"--hold-focus 2500"); // in front during the countdown
        ASSERT_TRUE(receiver);
        EXPECT_EQ(run->process.wait(20000), std::optional<DWORD>(0));
        EXPECT_EQ(receiver->stop(), row.want);
    }
}

// One program and one receiver for the ways a run in keyboard mode meets the
// user's Esc.
TEST(EscStop, StopsAtOnceReleasesHeldKeysAndCanBeSwitchedOff) {
    Session s({L"iInputMode=0", L"iWaitSec=1", L"iWaitMSec=1", L"iLoopNum=0"});
    ASSERT_TRUE(s.t && s.r);
    // Ctrl then Shift, pressed again on every pass but held since the first;
    // the text's own Esc (an injected event) must not stop the run.
    s.start(L"[VK_CONTROL)[VK_SHIFT)Q[VK_ESCAPE]");
    ASSERT_TRUE(waitUntil([&] { return s.count("keydown 27") >= 5; }, 15000));
    EXPECT_EQ(textOf(GetDlgItem(s.t->dialog, IDC_START)), L"Abort");
    // Sending every millisecond, the dialog keeps answering at once.
    for (int i = 0; i < 50; ++i, Sleep(10))
        EXPECT_TRUE(s.answers(100));
    ASSERT_TRUE(s.esc());
    expectWithin(kStopMs, [&] { return s.idle(); });
    Sleep(300);
    const Lines lines = s.r->lines();
    Sleep(600);
    EXPECT_EQ(s.r->lines().size(), lines.size()) << "the run went on typing";
    // After the last key-down only releases came, the last pressed first.
    Lines releases;
    for (const std::string& l : lines)
        l.starts_with("keydown") ? releases.clear() : releases.push_back(l);
    std::erase_if(releases, [](const std::string& l) { return l.starts_with("char"); });
    ASSERT_GE(releases.size(), 2u);
    EXPECT_EQ(Lines(releases.end() - 2, releases.end()), (Lines{"keyup 16", "keyup 17"}));

    // With the menu switch off, Esc reaches the window and the run goes on.
    const std::ptrdiff_t escapes = s.count("keydown 27");
    SendMessageW(s.t->dialog, WM_COMMAND, IDM_ESC_ABORT, 0);
    s.start(L"Z");
    ASSERT_TRUE(waitUntil([&] { return s.count("char 122") >= 10; }, 15000));
    auto escArrives = [&] { // tried thrice: the receiver may be taking the focus back
        return s.esc() && waitUntil([&] { return s.count("keydown 27") > escapes; }, 1000);
    };
    EXPECT_TRUE(escArrives() || escArrives() || escArrives()) << "the Esc was swallowed";
    const std::ptrdiff_t typed = s.count("char 122");
    Sleep(400);
    EXPECT_GT(s.count("char 122"), typed) << "the run stopped typing";
    s.t->command(IDC_START); // Abort
    expectWithin(3000, [&] { return s.idle(); });
}

// One Esc stops every tapwell run of the session, whichever hook is first in
// line and swallows it: the dialog's run and tapwell-cli's real script run,
// which releases the Shift its script holds and ends.
TEST(EscStop, OneEscStopsEveryRunOfTheSession) {
    Session s({L"iInputMode=1", L"iWaitSec=1", L"iLoopNum=0"});
    ASSERT_TRUE(s.t && s.r);
    for (const bool cliLast : {true, false}) {
        SCOPED_TRACE(cliLast ? "tapwell-cli's hook first in line" : "the dialog's hook first");
        std::optional<Process> cli;
        auto startCli = [&] {
            const std::ptrdiff_t downs = s.count("keydown 16");
            cli = startCliScript(L"cli-esc",
                                 "keybdevent(VK_SHIFT, 1)\r\nwhile 1 {\r\n    sleep(20)\r\n}\r\n");
            return cli && waitUntil([&] { return s.count("keydown 16") > downs; }, 15000);
        };
        auto startDialog = [&] {
            const std::ptrdiff_t typed = s.count("char 122");
            s.start(L"z");
            return waitUntil([&] { return s.count("char 122") > typed + 3; }, 15000);
        };
        ASSERT_TRUE(cliLast ? startDialog() : startCli());
        ASSERT_TRUE(cliLast ? startCli() : startDialog());
        const std::ptrdiff_t ups = s.count("keyup 16");
        ASSERT_TRUE(s.esc());
        // The broadcast crosses to another process: a little more time.
        expectWithin(2 * kStopMs, [&] { return s.idle(); });
        EXPECT_EQ(cli->wait(3000), std::optional<DWORD>(0)) << "tapwell-cli went on";
        EXPECT_TRUE(waitUntil([&] { return s.count("keyup 16") > ups; }, 1000))
            << "the Shift stayed held";
        const std::ptrdiff_t typed = s.count("char 122");
        Sleep(400);
        EXPECT_EQ(s.count("char 122"), typed) << "the dialog's run went on typing";
    }
}

// The user's Esc and Abort alike end a long wait at once (the dialog answers
// during it) and close the pause box ("!"); Esc closes a script's box too.
// Neither the rest of the text nor the stopping Esc reaches the window. The
// Exit button asks, and only Yes ends the program.
TEST(Boxes, EscAndAbortEndAWaitAndCloseABoxAtOnceAndExitAsksFirst) {
    Session s({L"iInputMode=1", L"iWaitSec=1"});
    ASSERT_TRUE(s.t && s.r);
    const struct {
        bool esc, script;
        const wchar_t* text;
        const wchar_t* box; // nullptr: the text waits
    } rows[] = {
        {true, false, L"a[WAIT:30000]b", nullptr},
        {false, false, L"a[WAIT:30000]b", nullptr},
        {true, false, L"a!b", L"Push [OK] button to continue."},
        {false, false, L"a!b", L"Push [OK] button to continue."},
        {true, true, L"loop {\r\nMESSAGE(\"tick\")\r\n}\r\n", L"tick"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(toUtf8(std::wstring(row.esc ? L"Esc: " : L"Abort: ") + row.text));
        if (row.script)
            SendMessageW(GetDlgItem(s.t->dialog, IDC_MODE_SCRIPT), BM_CLICK, 0, 0);
        const std::ptrdiff_t typed = s.count("char 97");
        s.start(row.text);
        std::optional<MessageBoxInfo> box;
        if (row.box) {
            box = s.box(15000);
            ASSERT_TRUE(box);
            EXPECT_EQ(box->text, row.box);
        } else {
            ASSERT_TRUE(waitUntil([&] { return s.count("char 97") > typed; }, 15000));
            Sleep(300);
            EXPECT_TRUE(s.answers(500)) << "the dialog does not answer during the wait";
        }
        if (row.esc)
            ASSERT_TRUE(s.esc());
        else
            s.t->command(IDC_START); // Abort
        if (box) {
            expectWithin(kStopMs, [&] { return !IsWindow(box->hwnd); });
            EXPECT_FALSE(s.box(1500)) << "another box came";
        }
        expectWithin(box ? 3000 : kStopMs, [&] { return s.idle(); });
    }
    Sleep(300);
    EXPECT_EQ(s.count("char 97"), 4);
    EXPECT_EQ(s.count("char 98"), 0) << "the text went on after the stop";
    EXPECT_EQ(s.count("keydown 27"), 0) << "the stopping Esc reached the window";

    for (const bool yes : {false, true}) {
        s.t->command(IDC_EXIT);
        auto box = s.box(10000);
        ASSERT_TRUE(box);
        EXPECT_EQ(box->text, L"Are you sure you want to exit?");
        EXPECT_TRUE(pressButton(*box, yes ? L"Yes" : L"No"));
        EXPECT_EQ(s.t->process.wait(yes ? 10000 : 1000),
                  yes ? std::optional<DWORD>(0) : std::nullopt);
    }
}

// Caps Lock turned on by a real key press is off while a key presses run types
// and on again afterwards; left as it is, letters arrive in the other case.
// Wine has no Japanese IME: the IME side is tested through the native seam.
TEST(CapsLock, TurnedOffForAKeyPressesRunAndOnAgainOrLeftAsItIs) {
    const auto capsLockOn = [] { return (GetKeyState(VK_CAPITAL) & 1) != 0; };
    for (const bool leave : {false, true}) {
        SCOPED_TRACE(leave ? "leave as it is" : "turn off and restore");
        Session s({L"iInputMode=1", L"iWaitSec=2", L"iDelivery=1", L"iTargetLayout=1",
                   leave ? L"iCapsLockMode=1" : L"iCapsLockMode=0"},
                  L"caps-receiver");
        ASSERT_TRUE(s.t && s.r);
        ASSERT_TRUE(pressKeysIn(s.title, L"Caps_Lock"));
        ASSERT_TRUE(waitUntil([&] { return s.count("keydown 20") == 1; }, 3000));
        EXPECT_TRUE(waitUntil(capsLockOn, 2000)) << "the real press did not turn Caps Lock on";

        s.start(L"Hello");
        const auto typed = [&] {
            std::string text;
            for (const std::string& l : s.r->lines())
                if (l.starts_with("char "))
                    text.push_back(static_cast<char>(std::stoi(l.substr(5))));
            return text;
        };
        ASSERT_TRUE(waitUntil([&] { return typed().size() == 5; }, 15000));
        ASSERT_TRUE(waitUntil([&] { return s.idle(); }, 5000));
        Sleep(400);
        EXPECT_EQ(typed(), leave ? "hELLO" : "Hello");
        // Ours: one press before the first letter, one after the last.
        EXPECT_EQ(s.count("keydown 20"), leave ? 1 : 3);
        EXPECT_TRUE(waitUntil(capsLockOn, 2000)) << "Caps Lock was not turned on again";
        // Back off for the next round.
        EXPECT_TRUE(pressKeysIn(s.title, L"Caps_Lock"));
        EXPECT_TRUE(waitUntil([&] { return !capsLockOn(); }, 2000));
    }
}

// tapwell-cli's script puts text on the clipboard with a window of its own as
// the owner (no owner: the data is refused), and the text outlives the tool.
TEST(CliClipboard, ScriptRunOwnsTheClipboardWithItsOwnWindow) {
    auto p =
        startCliScript(L"cli-clipboard", "setclipboardtext(\"from the tool\")\r\nsleep(4000)\r\n");
    ASSERT_TRUE(p);
    DWORD owner = 0; // while the script sleeps
    EXPECT_TRUE(waitUntil(
        [&] { return GetWindowThreadProcessId(GetClipboardOwner(), &owner) && owner == p->pid(); },
        3000));
    EXPECT_EQ(p->wait(20000), std::optional<DWORD>(0));
    EXPECT_EQ(clipboardText(), L"from the tool");
}
