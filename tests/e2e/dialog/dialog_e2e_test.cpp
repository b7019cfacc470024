// The idle dialog: controls and texts of both languages, menus, insertions,
// mode rules, the exit question and resizing.
#include "dialog_driver.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <iterator>

using namespace tapwell::e2e;

namespace {

RECT rectIn(HWND dialog, HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void endByMenu(Tapwell& t) {
    t.command(IDM_EXIT);
    EXPECT_EQ(t.process().wait(10000), 0u);
}

} // namespace

TEST(MainDialog, EnglishTemplateTextsAndControls) {
    auto t = Tapwell::start(L"dlg-en", {});
    ASSERT_TRUE(t);
    EXPECT_EQ(t->title(), L"Davudiru Dodovizar");
    EXPECT_EQ(t->text(IDC_START), L"St&art");
    EXPECT_EQ(t->text(IDC_EXIT), L"E&xit");
    EXPECT_EQ(t->text(IDC_MODE_KEYBOARD), L"&Keyboard Simulate mode");
    EXPECT_EQ(t->text(IDC_MODE_SCRIPT), L"Use Script(Q&Z-Script)");
    EXPECT_EQ(t->text(IDC_LOOP_UNIT), L"times (0 : Loop Infinity)");
    EXPECT_EQ(t->text(IDC_WAIT_SEC), L"5");
    EXPECT_EQ(t->text(IDC_INTERVAL), L"20");
    EXPECT_EQ(t->text(IDC_LOOP), L"1");
    EXPECT_EQ(t->text(IDC_MODE_DESCRIPTION).rfind(L"Input is performed as if", 0), 0u);
    EXPECT_EQ(t->control(IDC_BIG_DIALOG), nullptr) << "the check box is Japanese only";
    EXPECT_EQ(SendMessageW(t->control(IDC_MODE_KEYBOARD), BM_GETCHECK, 0, 0), BST_CHECKED);
    // Light mode: the real menu bar, the flat buttons hidden.
    EXPECT_NE(GetMenu(t->dialog()), nullptr);
    EXPECT_FALSE(IsWindowVisible(t->control(IDC_MENU_FILE)));
    endByMenu(*t);
}

TEST(MainDialog, JapaneseTemplateTextsAndControls) {
    auto t = Tapwell::start(L"dlg-ja", options(true, {L"iInputMode=1"}));
    ASSERT_TRUE(t);
    EXPECT_EQ(t->title(), L"doruviravad");
    EXPECT_EQ(t->text(IDC_START), L"入力開始(&A)");
    EXPECT_EQ(t->text(IDC_EXIT), L"終了(&X)");
    EXPECT_EQ(t->text(IDC_BIG_DIALOG), L"設定画面強制拡大(&B)");
    EXPECT_EQ(t->text(IDC_MODE_UNICODE), L"文字入力モード(&U)");
    EXPECT_EQ(t->text(IDC_MODE_DESCRIPTION).rfind(L"文字を1文字ずつ送信する", 0), 0u);
    EXPECT_EQ(SendMessageW(t->control(IDC_MODE_UNICODE), BM_GETCHECK, 0, 0), BST_CHECKED);
    endByMenu(*t);
}

TEST(MainDialog, KeyItemReplacesTheSelectionAndUndoTakesItBack) {
    auto t = Tapwell::start(L"insert", options(false, {L"iInputMode=1"}));
    ASSERT_TRUE(t);
    t->setText(IDC_TEXT, L"abcdef");
    SendMessageW(t->control(IDC_TEXT), EM_SETSEL, 2, 4);
    t->commandAndWait(IDM_KEY_PUSH_BASE + VK_SHIFT);
    EXPECT_EQ(t->text(IDC_TEXT), L"ab[VK_SHIFT)ef");
    SendMessageW(t->control(IDC_TEXT), EM_UNDO, 0, 0);
    EXPECT_EQ(t->text(IDC_TEXT), L"abcdef");
    // The other forms insert at the caret.
    SendMessageW(t->control(IDC_TEXT), EM_SETSEL, 6, 6);
    t->commandAndWait(IDM_KEY_PULL_BASE + 'A');
    t->commandAndWait(IDM_KEY_PUSH_PULL_BASE + VK_RETURN);
    t->commandAndWait(IDM_INSERT_WAIT);
    t->commandAndWait(IDM_INSERT_PAUSE);
    EXPECT_EQ(t->text(IDC_TEXT), L"abcdef(A][VK_RETURN][WAIT:1000]!");
    endByMenu(*t);
}

TEST(MainDialog, DeleteCommandsStripTheirCharacters) {
    auto t = Tapwell::start(L"strip", options(false, {L"iInputMode=1"}));
    ASSERT_TRUE(t);
    t->setText(IDC_TEXT, L"a b\tc\r\nd\u3000e");
    t->commandAndWait(IDM_DELETE_SPACES);
    EXPECT_EQ(t->text(IDC_TEXT), L"ab\tc\r\nd\u3000e");
    t->commandAndWait(IDM_DELETE_TABS);
    EXPECT_EQ(t->text(IDC_TEXT), L"abc\r\nd\u3000e");
    t->commandAndWait(IDM_DELETE_RETURNS);
    EXPECT_EQ(t->text(IDC_TEXT), L"abcd\u3000e");
    endByMenu(*t);
}

TEST(MainDialog, ModeRadiosEnableControlsAndKeyboardModeClearsText) {
    auto t = Tapwell::start(L"modes", options(false, {L"iInputMode=1"}));
    ASSERT_TRUE(t);
    const LONG_PTR upper = ES_UPPERCASE;
    EXPECT_EQ(GetWindowLongPtrW(t->control(IDC_TEXT), GWL_STYLE) & upper, 0);
    t->setText(IDC_TEXT, L"keep me");
    t->setText(IDC_PREFIX, L"P");

    t->click(IDC_MODE_SCRIPT);
    for (int id : {IDC_INTERVAL, IDC_LOOP, IDC_PREFIX, IDC_SUFFIX, IDC_LOOP_UNIT})
        EXPECT_FALSE(t->enabled(id)) << id;
    EXPECT_TRUE(t->enabled(IDC_INTERVAL_SPIN)) << "up-downs are left alone";
    EXPECT_EQ(t->text(IDC_MODE_DESCRIPTION).rfind(L"By entering a script", 0), 0u);
    EXPECT_EQ(t->text(IDC_TEXT), L"keep me");

    t->click(IDC_MODE_UNICODE);
    EXPECT_TRUE(t->enabled(IDC_PREFIX));
    EXPECT_EQ(t->text(IDC_PREFIX), L"P");

    t->click(IDC_MODE_KEYBOARD);
    EXPECT_EQ(t->text(IDC_TEXT), L"");
    EXPECT_EQ(t->text(IDC_PREFIX), L"");
    EXPECT_NE(GetWindowLongPtrW(t->control(IDC_TEXT), GWL_STYLE) & upper, 0);

    t->click(IDC_WAIT_UNTIL_TIME);
    EXPECT_FALSE(t->enabled(IDC_WAIT_SEC));
    EXPECT_TRUE(t->enabled(IDC_TIME_HOUR));
    EXPECT_TRUE(t->enabled(IDC_TIME_SEC_LABEL));
    t->click(IDC_WAIT_AFTER_START);
    EXPECT_TRUE(t->enabled(IDC_WAIT_SEC));
    EXPECT_FALSE(t->enabled(IDC_TIME_MIN));
    endByMenu(*t);
}

TEST(MainDialog, MenuTogglesAreSavedOnExit) {
    auto t = Tapwell::start(L"toggles", options(false, {L"iErrorStop=0", L"iDisableTab=1"}));
    ASSERT_TRUE(t);
    // Menus of another process cannot be read under Wine; the saved file
    // shows what the toggles did.
    t->commandAndWait(IDM_ERROR_STOP);
    t->commandAndWait(IDM_IGNORE_TAB);
    endByMenu(*t);
    const std::wstring ini = t->iniText();
    EXPECT_NE(ini.find(L"iErrorStop=1"), std::wstring::npos) << toUtf8(ini);
    EXPECT_NE(ini.find(L"iDisableTab=0"), std::wstring::npos) << toUtf8(ini);
}

TEST(MainDialog, ExitButtonAsksMenuExitDoesNot) {
    auto t = Tapwell::start(L"exit", {});
    ASSERT_TRUE(t);
    t->command(IDC_EXIT);
    auto box = waitForBox(*t, 10000);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, L"Are you sure you want to exit?");
    EXPECT_TRUE(pressButton(*box, L"No"));
    EXPECT_FALSE(t->process().wait(1000).has_value()) << "No keeps the dialog";
    EXPECT_TRUE(IsWindow(t->dialog()));
    t->command(IDC_EXIT);
    box = waitForBox(*t, 10000);
    ASSERT_TRUE(box);
    EXPECT_TRUE(pressButton(*box, L"Yes"));
    EXPECT_EQ(t->process().wait(10000), 0u);
}

TEST(MainDialog, ResizingFollowsAnchorsAndStopsAtTheInitialSize) {
    auto t = Tapwell::start(L"resize", {});
    ASSERT_TRUE(t);
    HWND d = t->dialog();
    RECT w{};
    GetWindowRect(d, &w);
    const RECT start0 = rectIn(d, t->control(IDC_START));
    const RECT text0 = rectIn(d, t->control(IDC_TEXT));
    const RECT radio0 = rectIn(d, t->control(IDC_MODE_UNICODE));
    const RECT group0 = rectIn(d, t->control(IDC_SETTINGS_GROUP));
    const RECT desc0 = rectIn(d, t->control(IDC_MODE_DESCRIPTION));

    SetWindowPos(d, nullptr, 0, 0, w.right - w.left + 100, w.bottom - w.top + 80,
                 SWP_NOMOVE | SWP_NOZORDER);
    Sleep(300);
    const RECT start1 = rectIn(d, t->control(IDC_START));
    const RECT text1 = rectIn(d, t->control(IDC_TEXT));
    const RECT radio1 = rectIn(d, t->control(IDC_MODE_UNICODE));
    const RECT group1 = rectIn(d, t->control(IDC_SETTINGS_GROUP));
    const RECT desc1 = rectIn(d, t->control(IDC_MODE_DESCRIPTION));
    EXPECT_EQ(start1.left - start0.left, 100);
    EXPECT_EQ(start1.top - start0.top, 80);
    EXPECT_EQ(text1.top, text0.top);
    EXPECT_EQ((text1.right - text1.left) - (text0.right - text0.left), 100);
    EXPECT_EQ((text1.bottom - text1.top) - (text0.bottom - text0.top), 80);
    EXPECT_EQ(radio1.left, radio0.left);
    EXPECT_EQ(radio1.top, radio0.top);
    EXPECT_EQ(group1.top - group0.top, 80);
    EXPECT_EQ((group1.right - group1.left) - (group0.right - group0.left), 100);
    EXPECT_EQ(desc1.top, desc0.top);
    EXPECT_EQ((desc1.right - desc1.left) - (desc0.right - desc0.left), 100);

    SetWindowPos(d, nullptr, 0, 0, (w.right - w.left) / 2, (w.bottom - w.top) / 2,
                 SWP_NOMOVE | SWP_NOZORDER);
    Sleep(300);
    RECT small{};
    GetWindowRect(d, &small);
    EXPECT_EQ(small.right - small.left, w.right - w.left);
    EXPECT_EQ(small.bottom - small.top, w.bottom - w.top);
    EXPECT_EQ(rectIn(d, t->control(IDC_START)).left, start0.left);
    endByMenu(*t);
}

TEST(MainDialog, DarkModeShowsFlatButtonsAndLowersTheTextBox) {
    auto light = Tapwell::start(L"light", {});
    ASSERT_TRUE(light);
    const RECT text0 = rectIn(light->dialog(), light->control(IDC_TEXT));
    RECT client0{};
    GetClientRect(light->dialog(), &client0);
    endByMenu(*light);

    auto t = Tapwell::start(L"dark", {}, true);
    ASSERT_TRUE(t);
    EXPECT_EQ(GetMenu(t->dialog()), nullptr);
    for (int id = IDC_MENU_FILE; id <= IDC_MENU_HELP; ++id) {
        EXPECT_TRUE(IsWindowVisible(t->control(id))) << id;
        EXPECT_TRUE(t->enabled(id)) << id;
    }
    const RECT text1 = rectIn(t->dialog(), t->control(IDC_TEXT));
    const int menuHeight = GetSystemMetrics(SM_CYMENU);
    EXPECT_EQ(text1.top - text0.top, menuHeight);
    // Without a menu bar the client is a menu line taller; the box ends at
    // the same distance from the bottom either way.
    RECT client1{};
    GetClientRect(t->dialog(), &client1);
    EXPECT_EQ(client1.bottom - text1.bottom, client0.bottom - text0.bottom);

    // A flat button pops its menu up right below itself.
    t->command(IDC_MENU_SETTINGS);
    HWND popup = waitForWindow(t->process().pid(), L"", L"#32768", 5000);
    ASSERT_NE(popup, nullptr) << "no pop-up menu";
    RECT button{}, menu{};
    GetWindowRect(t->control(IDC_MENU_SETTINGS), &button);
    GetWindowRect(popup, &menu);
    EXPECT_EQ(menu.left, button.left);
    EXPECT_EQ(menu.top, button.bottom);
    PostMessageW(t->dialog(), WM_CANCELMODE, 0, 0);
    ASSERT_TRUE(waitUntil([&] { return !IsWindowVisible(popup); }, 5000));
    endByMenu(*t);
}

namespace {

void pressKeys(std::initializer_list<BYTE> down) {
    for (BYTE vk : down)
        keybd_event(vk, 0, 0, 0);
    for (auto it = std::rbegin(down); it != std::rend(down); ++it)
        keybd_event(*it, 0, KEYEVENTF_KEYUP, 0);
}

} // namespace

TEST(MainDialog, ShortcutsActOnlyWhileTheDialogIsActive) {
    auto t = Tapwell::start(L"shortcuts", options(false, {L"iInputMode=1"}));
    ASSERT_TRUE(t);
    ASSERT_TRUE(waitUntil(
        [&] {
            SetForegroundWindow(t->dialog());
            return GetForegroundWindow() == t->dialog();
        },
        5000));
    pressKeys({VK_CONTROL, 'L'});
    HWND open = waitForWindow(t->process().pid(), L"Choose a file", L"", 10000);
    ASSERT_NE(open, nullptr) << "Ctrl+L opened no file dialog";
    PostMessageW(open, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(open); }, 5000));
    EXPECT_EQ(t->text(IDC_TEXT), L"") << "the swallowed L must not reach the text box";

    ASSERT_TRUE(waitUntil(
        [&] {
            SetForegroundWindow(t->dialog());
            return GetForegroundWindow() == t->dialog();
        },
        5000));
    pressKeys({VK_F10});
    HWND about = waitForWindow(t->process().pid(), L"About", L"", 10000);
    ASSERT_NE(about, nullptr) << "F10 opened no About box";
    PostMessageW(about, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(about); }, 5000));

    // With another window active the keys are that window's.
    auto receiver = startReceiver(L"shortcuts-recv", 1500);
    ASSERT_TRUE(receiver);
    pressKeys({VK_CONTROL, 'L'});
    EXPECT_EQ(waitForWindow(t->process().pid(), L"Choose a file", L"", 1500), nullptr);
    std::vector<std::string> got = stopReceiver(*receiver);
    EXPECT_NE(std::find(got.begin(), got.end(), "keydown 76"), got.end());
    endByMenu(*t);
}
