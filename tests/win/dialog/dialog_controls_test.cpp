// The save rules against real controls: the numbers and check states are read
// the way the main dialog holds them.
#include "app/app_state.h"
#include "settings/settings_stores_win32.h"

#include <gtest/gtest.h>

#include <string>

namespace tapwell {
namespace {

namespace id = settings_control;

class DialogControlsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        parent = CreateWindowExW(0, L"STATIC", L"settings", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(parent, nullptr);
        for (int radio : {id::kModeKeyboard, id::kModeUnicode, 1020, id::kWaitAfterStart, 1007})
            child(L"BUTTON", radio, BS_AUTORADIOBUTTON);
        for (int edit :
             {id::kWaitSec, id::kTimeHour, id::kTimeMin, id::kTimeSec, id::kWaitMSec, id::kLoopNum})
            child(L"EDIT", edit, ES_AUTOHSCROLL);
    }
    void TearDown() override { DestroyWindow(parent); }

    void child(const wchar_t* cls, int controlId, DWORD style) {
        CreateWindowExW(0, cls, L"", WS_CHILD | style, 0, 0, 50, 20, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                        GetModuleHandleW(nullptr), nullptr);
    }
    void setText(int controlId, const wchar_t* text) { SetDlgItemTextW(parent, controlId, text); }
    std::wstring text(int controlId) {
        wchar_t buf[64] = {};
        GetDlgItemTextW(parent, controlId, buf, 64);
        return buf;
    }

    HWND parent = nullptr;
};

TEST_F(DialogControlsTest, TakesChecksAndNumbersAndResetsOnlyTheClockBoxes) {
    CheckDlgButton(parent, id::kModeUnicode, BST_CHECKED);
    CheckDlgButton(parent, 1007, BST_CHECKED);
    setText(id::kWaitSec, L"4294967295");
    setText(id::kTimeHour, L"24");
    setText(id::kTimeMin, L"7");
    setText(id::kTimeSec, L"60");
    setText(id::kWaitMSec, L"0");
    setText(id::kLoopNum, L"3");

    Settings s;
    DialogSettingsControls controls(parent);
    takeSettingsFromControls(s, controls);
    EXPECT_EQ(s.iInputMode, 1);
    EXPECT_EQ(s.iWaitMode, 1);
    EXPECT_EQ(s.g_BigDialog, 0) << "no check box 1005 in this dialog";
    EXPECT_EQ(s.iWaitSec, -1);
    EXPECT_EQ(s.iTimeHour, 0);
    EXPECT_EQ(s.iTimeMin, 7);
    EXPECT_EQ(s.iTimeSec, 0);
    EXPECT_EQ(s.iWaitMSec, 20);
    EXPECT_EQ(s.iLoopNum, 3);
    EXPECT_EQ(text(id::kTimeHour), L"0");
    EXPECT_EQ(text(id::kTimeSec), L"0");
    EXPECT_EQ(text(id::kTimeMin), L"7");
    EXPECT_EQ(text(id::kWaitMSec), L"0") << "the interval box is never rewritten";
}

} // namespace
} // namespace tapwell
