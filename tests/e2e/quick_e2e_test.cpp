// Quick type under Wine: a real hotkey press (xdotool) in the receiver types
// the clipboard there, with no modifier of the user's down while it types;
// the icon's menu commands through the quick window; a click chooses the
// destination; Pause and the open menu hold a run, a script's too; a hotkey
// another program holds is refused with a message.
#include "resource.h"
#include "support/win_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace tapwell::e2e;
using Lines = std::vector<std::string>;

namespace {

// Ctrl+Alt+V as the settings keep it: the key, Ctrl 0x200, Alt 0x400.
const std::wstring kCtrlAltV = L"1622";
// The icon's callback message (no tray on Xvfb: the test posts it).
constexpr UINT kTrayCallback = WM_APP + 40;

std::ptrdiff_t count(const Lines& lines, const std::string& line) {
    return std::count(lines.begin(), lines.end(), line);
}

} // namespace

TEST(QuickType, HotkeyTypesTheClipboardLiterallyWithNoUserModifierDown) {
    auto t = Tapwell::start({L"iInputMode=0", L"iWaitMSec=5", L"iHotkeyClipboard=" + kCtrlAltV});
    ASSERT_TRUE(t);
    t->setText(IDC_TEXT, L"BOX");
    ASSERT_TRUE(putOnClipboard(L"a[b]\r\n"));
    auto r = Receiver::start(L"--hold-focus 800 --title quick-receiver");
    ASSERT_TRUE(r);
    Sleep(1000);
    ASSERT_TRUE(pressKeysIn(L"quick-receiver", L"ctrl+alt+v"));
    ASSERT_TRUE(waitUntil([&] { return count(r->lines(), "char 93") == 1; }, 10000));
    const Lines lines = r->stop();
    // The text as characters, once, with no Enter for the final break.
    Lines chars;
    for (const std::string& l : lines)
        if (l.starts_with("char"))
            chars.push_back(l);
    EXPECT_EQ(chars, (Lines{"char 97", "char 91", "char 98", "char 93"}));
    EXPECT_EQ(count(lines, "keydown 13"), 0);
    // Every modifier the user held was up before the first character.
    const auto first = std::find(lines.begin(), lines.end(), "char 97");
    std::set<std::string> down;
    for (auto it = lines.begin(); it != first; ++it) {
        if (it->starts_with("keydown") || it->starts_with("syskeydown"))
            down.insert(it->substr(it->find(' ') + 1));
        if (it->starts_with("keyup") || it->starts_with("syskeyup"))
            down.erase(it->substr(it->find(' ') + 1));
    }
    for (const char* modifier : {"16", "17", "18"})
        EXPECT_EQ(down.count(modifier), 0u) << "modifier " << modifier << " still down";
    for (auto it = first; it != lines.end(); ++it)
        EXPECT_FALSE(*it == "keydown 16" || *it == "keydown 17" || *it == "syskeydown 18" ||
                     *it == "keydown 18")
            << *it;
    // The clipboard's text was never put into the box.
    EXPECT_EQ(textOf(GetDlgItem(t->dialog, IDC_TEXT)), L"BOX");
    EXPECT_EQ(textOf(t->dialog), L"Davudiru Dodovizar");
}

TEST(QuickType, IconMenuTypesTheTextBoxIntoTheWindowInFront) {
    auto t = Tapwell::start({L"iInputMode=1", L"iWaitSec=30", L"iWaitMSec=5", L"iTrayIcon=1"});
    ASSERT_TRUE(t);
    t->setText(IDC_TEXT, L"Hi");
    HWND quick = FindWindowW(L"TapwellQuickType", nullptr);
    ASSERT_NE(quick, nullptr);
    auto r = Receiver::start(L"--hold-focus 800 --title menu-receiver");
    ASSERT_TRUE(r);
    Sleep(1000);
    // No countdown although the dialog asks for 30 seconds.
    PostMessageW(quick, WM_COMMAND, IDM_QUICK_TEXT, 0);
    ASSERT_TRUE(waitUntil([&] { return count(r->lines(), "char 105") == 1; }, 5000))
        << toUtf8(textOf(t->dialog)) << " / " << r->lines().size();
    EXPECT_EQ(count(r->stop(), "char 72"), 1);

    // The clipboard without text: a message, nothing typed.
    ASSERT_TRUE(putOnClipboard(L""));
    PostMessageW(quick, WM_COMMAND, IDM_QUICK_CLIPBOARD, 0);
    auto box = waitForMessageBox(t->process.pid(), L"", 5000, t->dialog);
    ASSERT_TRUE(box);
    EXPECT_NE(box->text.find(L"The clipboard holds no text."), std::wstring::npos);
    pressButton(*box, L"OK");

    // A second start with the icon on shows the first and ends.
    auto second = Tapwell::start({L"iTrayIcon=1"});
    EXPECT_FALSE(second);
}

// The clipboard goes to the window clicked, not to the one in front; a right
// click cancels, and the click after it chooses nothing.
TEST(QuickType, ClickWhereToTypeTypesIntoTheClickedWindow) {
    auto t = Tapwell::start({L"iWaitMSec=5", L"iQuickAsk=0"});
    ASSERT_TRUE(t);
    ASSERT_TRUE(putOnClipboard(L"ok"));
    HWND quick = FindWindowW(L"TapwellQuickType", nullptr);
    auto clicked = Receiver::start(L"--hold-focus 800 --title clicked-receiver");
    auto front = Receiver::start(L"--hold-focus 800 --title front-receiver");
    ASSERT_TRUE(quick && clicked && front);
    Sleep(1000);
    SetWindowPos(FindWindowW(L"TapwellReceiver", L"clicked-receiver"), nullptr, 420, 40, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(quick, WM_COMMAND, IDM_QUICK_CLICK, 0);
    ASSERT_TRUE(pressKeysIn(L"clicked-receiver", L"click 3 sleep 0.3 click 1", true));
    Sleep(1000);
    EXPECT_EQ(count(clicked->lines(), "char 111"), 0) << "typed after a right click";
    SendMessageW(quick, WM_COMMAND, IDM_QUICK_CLICK, 0);
    ASSERT_TRUE(pressKeysIn(L"clicked-receiver", L"click 1", true));
    ASSERT_TRUE(waitUntil([&] { return count(clicked->lines(), "char 107") == 1; }, 5000));
    EXPECT_EQ(count(clicked->stop(), "char 111"), 1);
    for (const std::string& line : front->stop())
        EXPECT_FALSE(line.starts_with("char")) << line;
}

TEST(QuickType, AHotkeyAnotherProgramHoldsIsRefusedWithASuggestion) {
    // This test's own registration plays the other program.
    ASSERT_TRUE(RegisterHotKey(nullptr, 7, MOD_CONTROL | MOD_ALT, 'V'));
    auto p = Tapwell::start({L"iHotkeyClipboard=" + kCtrlAltV});
    std::optional<MessageBoxInfo> box;
    if (p)
        box = waitForMessageBox(p->process.pid(), L"", 10000);
    UnregisterHotKey(nullptr, 7);
    ASSERT_TRUE(box);
    EXPECT_NE(box->text.find(L"Ctrl+Alt+V is already used by another program."),
              std::wstring::npos);
    EXPECT_NE(box->text.find(L"for example Ctrl+Shift+F11"), std::wstring::npos);
    pressButton(*box, L"OK");
}

// A quick run with its progress window, of the clipboard and of a script,
// paused and resumed by the user's Pause key and stopped by the Esc key while
// paused, both pressed in the receiver.
TEST(QuickType, PauseHoldsAQuickRunEscStopsItAndTheProgressWindowNeverTakesTheFocus) {
    for (const bool script : {false, true}) {
        SCOPED_TRACE(script ? "script" : "clipboard");
        auto t = Tapwell::start({script ? L"iInputMode=2" : L"iInputMode=1", L"iWaitMSec=20",
                                 L"iQuickAsk=0", L"iTrayIcon=1"});
        ASSERT_TRUE(t);
        t->setText(IDC_TEXT,
                   L"loop {\r\nKEYBDEVENT(VK_X, 1)\r\nKEYBDEVENT(VK_X, 0)\r\nSLEEP(20)\r\n}");
        ASSERT_TRUE(putOnClipboard(std::wstring(400, L'x')));
        HWND quick = FindWindowW(L"TapwellQuickType", nullptr);
        ASSERT_NE(quick, nullptr);
        auto r = Receiver::start(L"--hold-focus 800 --title pause-receiver");
        ASSERT_TRUE(r);
        Sleep(1000);
        PostMessageW(quick, WM_COMMAND, script ? IDM_QUICK_TEXT : IDM_QUICK_CLIPBOARD, 0);
        ASSERT_TRUE(waitUntil([&] { return count(r->lines(), "char 120") >= 20; }, 10000));
        HWND progress = FindWindowW(L"TapwellQuickProgress", nullptr);
        ASSERT_NE(progress, nullptr);
        EXPECT_TRUE(IsWindowVisible(progress));
        EXPECT_NE(GetForegroundWindow(), progress);
        EXPECT_NE(textOf(progress).size(), 0u);

        std::ptrdiff_t typed = 0;
        auto pause = [&](bool key) {
            if (key)
                ASSERT_TRUE(pressKeysIn(L"pause-receiver", L"Pause"));
            ASSERT_TRUE(waitUntil([&] { return textOf(t->dialog).starts_with(L"Paused:"); }, 3000));
            Sleep(200);
            typed = count(r->lines(), "char 120");
            Sleep(600);
            EXPECT_EQ(count(r->lines(), "char 120"), typed) << "typing went on while paused";
        };
        pause(true);
        EXPECT_EQ(count(r->lines(), "keydown 19"), 0) << "the Pause key reached the window";
        ASSERT_TRUE(pressKeysIn(L"pause-receiver", L"Pause"));
        ASSERT_TRUE(waitUntil([&] { return count(r->lines(), "char 120") > typed + 5; }, 3000));
        // The icon's menu holds the run while it is open (its letters would
        // choose items); a click elsewhere closes it and the run goes on.
        SetCursorPos(700, 500); // the menu opens here, away from the receiver
        PostMessageW(quick, kTrayCallback, 1, WM_RBUTTONUP);
        pause(false);
        ASSERT_TRUE(pressKeysIn(L"pause-receiver", L"click 1", true));
        ASSERT_TRUE(waitUntil([&] { return count(r->lines(), "char 120") > typed + 5; }, 3000));
        pause(true);
        ASSERT_TRUE(pressKeysIn(L"pause-receiver", L"Escape"));
        ASSERT_TRUE(waitUntil([&] { return textOf(t->dialog) == L"Davudiru Dodovizar"; }, 3000));
        EXPECT_TRUE(waitUntil([&] { return !IsWindowVisible(progress); }, 1000));
        Sleep(500);
        EXPECT_EQ(count(r->stop(), "char 120"), typed) << "typing went on after the stop";
    }
}
