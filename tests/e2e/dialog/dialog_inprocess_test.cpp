// The main dialog created inside the test process, where its menus can be
// read (Wine keeps menus private to their process).
#include "app/app_state.h"
#include "app/dialog_accelerator_win32.h"
#include "app/main_dialog_proc_win32.h"
#include "resource.h"
#include "support/win_driver.h"

#include <gtest/gtest.h>

using namespace tapwell;
using namespace tapwell::e2e;

namespace {

std::wstring menuText(HMENU menu, UINT position) {
    wchar_t buffer[512] = {};
    GetMenuStringW(menu, position, buffer, 512, MF_BYPOSITION);
    return buffer;
}

bool checked(HMENU menu, UINT id) {
    return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

bool grayed(HMENU menu, UINT position) {
    return (GetMenuState(menu, position, MF_BYPOSITION) & MF_GRAYED) != 0;
}

// A dialog over a settings record of its own, saved to an ini file in a
// scratch folder when it is destroyed.
class InProcessDialog {
  public:
    explicit InProcessDialog(bool japanese, const Settings& settings = {}) {
        SetCurrentDirectoryW(makeScratchDir(japanese ? L"inproc-ja" : L"inproc-en").c_str());
        AppState& app = appState();
        setUiLanguage(app, japanese ? UiLanguage::Japanese : UiLanguage::English);
        app.UseIniFile = true;
        app.settings = settings;
        app.InputText.clear();
        app.textFromT = app.textFromF = false;
        dialog_ = CreateDialogParamW(GetModuleHandleW(nullptr),
                                     MAKEINTRESOURCEW(japanese ? IDD_MAIN_JA : IDD_MAIN_EN),
                                     nullptr, MainDialogProc, 0);
    }
    ~InProcessDialog() {
        if (IsWindow(dialog_))
            DestroyWindow(dialog_);
    }
    HWND hwnd() const { return dialog_; }
    HMENU menu() const { return GetMenu(dialog_); }
    void command(int id) const { SendMessageW(dialog_, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

  private:
    HWND dialog_ = nullptr;
};

} // namespace

TEST(InProcessDialog, KeySubmenusHold192KeysInBothLanguages) {
    for (bool japanese : {false, true}) {
        InProcessDialog d(japanese);
        ASSERT_NE(d.hwnd(), nullptr);
        HMENU bar = d.menu();
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(GetMenuItemCount(bar), 4);
        HMENU keys = GetSubMenu(bar, 2);
        ASSERT_NE(keys, nullptr);
        EXPECT_EQ(GetMenuItemCount(keys), 6);
        const UINT bases[3] = {IDM_KEY_PUSH_BASE, IDM_KEY_PULL_BASE, IDM_KEY_PUSH_PULL_BASE};
        for (int i = 0; i < 3; ++i) {
            HMENU sub = GetSubMenu(keys, 3 + i);
            ASSERT_NE(sub, nullptr);
            EXPECT_EQ(GetMenuItemCount(sub), 192) << "placeholder left or keys missing";
            EXPECT_EQ(GetMenuItemID(sub, 0), bases[i] + 3);
            EXPECT_EQ(GetMenuItemID(sub, 191), bases[i] + 6);
            if (japanese) {
                EXPECT_EQ(menuText(sub, 0), L"VK_CANCEL … Ctrl+Break処理");
                EXPECT_EQ(menuText(sub, 191), L"VK_XBUTTON2 … マウスのX2ボタン");
            } else {
                EXPECT_EQ(menuText(sub, 0), L"VK_CANCEL");
                EXPECT_EQ(menuText(sub, 191), L"VK_XBUTTON2");
            }
        }
        EXPECT_EQ(menuText(bar, 0), japanese ? L"ファイル(&F)" : L"&File");
        // The Japanese help menu has three more topics and a separator.
        EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 3)), japanese ? 6 : 2);
    }
}

TEST(InProcessDialog, CheckMarksFollowTheSettingsAndTheirToggles) {
    Settings s;
    s.iDisableTab = 1;
    s.iErrorStop = 1;
    InProcessDialog d(false, s);
    HMENU bar = d.menu();
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(checked(bar, IDM_IGNORE_TAB));
    EXPECT_TRUE(checked(bar, IDM_ERROR_STOP));
    EXPECT_FALSE(checked(bar, IDM_IGNORE_SPACE));
    EXPECT_FALSE(checked(bar, IDM_ALWAYS_TOP));
    d.command(IDM_IGNORE_TAB);
    d.command(IDM_IGNORE_SPACE);
    d.command(IDM_IGNORE_RETURN);
    EXPECT_FALSE(checked(bar, IDM_IGNORE_TAB));
    EXPECT_TRUE(checked(bar, IDM_IGNORE_SPACE));
    EXPECT_TRUE(checked(bar, IDM_IGNORE_RETURN));
    EXPECT_EQ(appState().settings.iDisableTab, 0);
    EXPECT_EQ(appState().settings.iDisableSpace, 1);
    EXPECT_EQ(appState().settings.iDisableEnter, 1);

    d.command(IDM_ALWAYS_TOP);
    EXPECT_TRUE(checked(bar, IDM_ALWAYS_TOP));
    EXPECT_EQ(appState().settings.iTopMost, 1);
    d.command(IDM_ALWAYS_TOP);
    EXPECT_FALSE(checked(bar, IDM_ALWAYS_TOP));
    EXPECT_EQ(appState().settings.iTopMost, 0);
}

TEST(InProcessDialog, RunningGreysTheFourMenusAndAbortRestoresThem) {
    Settings s;
    s.iInputMode = 1;
    s.iWaitSec = 30;
    InProcessDialog d(false, s);
    HMENU bar = d.menu();
    ASSERT_NE(bar, nullptr);
    SetDlgItemTextW(d.hwnd(), IDC_TEXT, L"x");
    d.command(IDC_START);
    for (UINT pos = 0; pos < 4; ++pos)
        EXPECT_TRUE(grayed(bar, pos)) << pos;
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d.hwnd(), IDC_LOOP)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d.hwnd(), IDC_START)));
    d.command(IDC_START);
    for (UINT pos = 0; pos < 4; ++pos)
        EXPECT_FALSE(grayed(bar, pos)) << pos;
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d.hwnd(), IDC_LOOP)));
    // The hidden menu buttons stay disabled after a run in light mode.
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d.hwnd(), IDC_MENU_FILE)));
}

TEST(InProcessDialog, AcceleratorKeysAndTheirCommands) {
    EXPECT_EQ(acceleratorCommand('L', true), IDM_LOAD_TEXT);
    EXPECT_EQ(acceleratorCommand('S', true), IDM_SAVE_TEXT);
    EXPECT_EQ(acceleratorCommand(VK_F10, false), IDM_ABOUT);
    EXPECT_EQ(acceleratorCommand('L', false), 0) << "L alone is typing";
    EXPECT_EQ(acceleratorCommand('S', false), 0);
    EXPECT_EQ(acceleratorCommand('A', true), 0);
    EXPECT_EQ(acceleratorCommand(VK_F1, false), 0) << "F1 arrives as the help message";
}
