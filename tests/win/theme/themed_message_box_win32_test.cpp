#include "theme_test_support.h"

#include "support/win_driver.h"
#include "theme/theme_win32.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace tapwell::wintest {
namespace {

constexpr COLORREF kDark = RGB(56, 56, 56);
constexpr COLORREF kWhite = RGB(255, 255, 255);

bool answersDark(HWND box) {
    const ColorReply reply = askControlColor(box, WM_CTLCOLORDLG, box);
    return reply.brush == kDark && reply.text == kWhite;
}

// A dialog made now on this thread: is it themed by a hook left behind?
bool newDialogIsDark() {
    HWND dlg = createTestDialog(false);
    const bool dark = answersDark(dlg);
    DestroyWindow(dlg);
    return dark;
}

// Waits for the box with `caption`, records whether it answers dark, presses OK.
std::thread answerBox(const wchar_t* caption, std::atomic<int>& darkSeen) {
    return std::thread([caption, &darkSeen] {
        auto box = e2e::waitForMessageBox(GetCurrentProcessId(), caption, 10000);
        if (!box)
            return;
        darkSeen = answersDark(box->hwnd) ? 1 : 0;
        e2e::pressButton(*box, L"OK");
    });
}

TEST(ThemedMessageBox, DarkModeBoxAnswersDarkAndLeavesNoHook) {
    AppsUseLightThemeOverride dark(0);
    ASSERT_TRUE(ReadDarkModeSetting(GetModuleHandleW(nullptr)));
    std::atomic<int> seen{-1};
    std::thread driver = answerBox(L"Dark box", seen);
    EXPECT_EQ(ThemedMessageBox(nullptr, L"text", L"Dark box", MB_OK), IDOK);
    driver.join();
    EXPECT_EQ(seen, 1);
    EXPECT_FALSE(newDialogIsDark());
}

TEST(ThemedMessageBox, LightModeBoxIsThePlainBox) {
    for (std::optional<DWORD> value : {std::optional<DWORD>(1), std::optional<DWORD>()}) {
        AppsUseLightThemeOverride light(value);
        ASSERT_FALSE(ReadDarkModeSetting(GetModuleHandleW(nullptr)));
        std::atomic<int> seen{-1};
        std::thread driver = answerBox(L"Light box", seen);
        EXPECT_EQ(ThemedMessageBox(nullptr, L"text", L"Light box", MB_OK), IDOK);
        driver.join();
        EXPECT_EQ(seen, 0);
    }
}

TEST(ThemedMessageBox, WorkerThreadBoxIsDarkWhileTheGuiThreadHasOneOpen) {
    AppsUseLightThemeOverride dark(0);
    ASSERT_TRUE(ReadDarkModeSetting(GetModuleHandleW(nullptr)));
    std::atomic<int> workerSeen{-1}, mainSeen{-1};
    std::thread worker([] { ThemedMessageBox(nullptr, L"from the worker", L"Worker box", MB_OK); });
    std::thread driver([&] {
        auto mainBox = e2e::waitForMessageBox(GetCurrentProcessId(), L"Main box", 10000);
        auto workerBox = e2e::waitForMessageBox(GetCurrentProcessId(), L"Worker box", 10000);
        if (workerBox) {
            workerSeen = answersDark(workerBox->hwnd) ? 1 : 0;
            e2e::pressButton(*workerBox, L"OK");
        }
        Sleep(200);
        if (mainBox) {
            mainSeen = answersDark(mainBox->hwnd) ? 1 : 0;
            e2e::pressButton(*mainBox, L"OK");
        }
    });
    EXPECT_EQ(ThemedMessageBox(nullptr, L"from the GUI", L"Main box", MB_OK), IDOK);
    driver.join();
    worker.join();
    EXPECT_EQ(workerSeen, 1);
    EXPECT_EQ(mainSeen, 1);
    EXPECT_FALSE(newDialogIsDark());
}

// A timer fires while a box waits and shows a second box on the same thread
// (as an error during a pause does). The outer box's hook must survive the
// inner one and be gone afterwards.
struct NestedState {
    std::atomic<int> innerSeen{-1};
    std::atomic<int> outerAfterInnerDark{-1};
};
NestedState* g_nested = nullptr;

void CALLBACK showInnerBox(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    std::thread driver = answerBox(L"Inner box", g_nested->innerSeen);
    ThemedMessageBox(nullptr, L"inner", L"Inner box", MB_OK);
    driver.join();
    // Now let the outer box go.
    if (auto outer = e2e::waitForMessageBox(GetCurrentProcessId(), L"Outer box", 5000)) {
        g_nested->outerAfterInnerDark = answersDark(outer->hwnd) ? 1 : 0;
        e2e::pressButton(*outer, L"OK");
    }
}

TEST(ThemedMessageBox, NestedBoxesOnOneThreadRestoreTheOuterHook) {
    AppsUseLightThemeOverride dark(0);
    ASSERT_TRUE(ReadDarkModeSetting(GetModuleHandleW(nullptr)));
    NestedState state;
    g_nested = &state;
    SetTimer(nullptr, 0, 300, showInnerBox);
    ThemedMessageBox(nullptr, L"outer", L"Outer box", MB_OK);
    g_nested = nullptr;
    EXPECT_EQ(state.innerSeen, 1);
    EXPECT_EQ(state.outerAfterInnerDark, 1) << "the outer box lost its look";
    EXPECT_FALSE(newDialogIsDark()) << "a hook was left installed";
}

// Only the box is the hook's: its owner, re-activated while the box closes,
// and a dialog that a timer opens meanwhile keep their own colours, and the
// box's colours follow the setting.
HWND g_openedDuringBox = nullptr;
HWND g_boxOwner = nullptr;

void CALLBACK openDialogDuringBox(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    g_openedDuringBox = createTestDialog(false);
    // The owner comes back to the front while the box is still up, as it
    // does when the box closes.
    HWND box = GetActiveWindow();
    SetActiveWindow(g_boxOwner);
    SetActiveWindow(box);
}

TEST(ThemedMessageBox, OnlyTheBoxItselfIsThemed) {
    AppsUseLightThemeOverride dark(0);
    ASSERT_TRUE(ReadDarkModeSetting(GetModuleHandleW(nullptr)));
    HWND owner = createTestDialog(false);
    ShowWindow(owner, SW_SHOW);
    SetForegroundWindow(owner);
    pumpFor(200);
    g_openedDuringBox = nullptr;
    g_boxOwner = owner;
    SetTimer(nullptr, 0, 100, openDialogDuringBox);
    std::atomic<int> darkWhileDark{-1}, darkAfterLight{-1};
    std::thread driver([&] {
        auto box = e2e::waitForMessageBox(GetCurrentProcessId(), L"Owned box", 10000);
        if (!box)
            return;
        Sleep(400); // the timer's dialog opens meanwhile
        darkWhileDark = answersDark(box->hwnd) ? 1 : 0;
        {
            AppsUseLightThemeOverride light(1);
            ReadDarkModeSetting(GetModuleHandleW(nullptr));
            darkAfterLight = answersDark(box->hwnd) ? 1 : 0;
        }
        ReadDarkModeSetting(GetModuleHandleW(nullptr));
        e2e::pressButton(*box, L"OK");
    });
    EXPECT_EQ(ThemedMessageBox(owner, L"text", L"Owned box", MB_OK), IDOK);
    driver.join();
    EXPECT_EQ(darkWhileDark, 1);
    EXPECT_EQ(darkAfterLight, 0) << "the box's colours did not follow the setting";
    ASSERT_NE(g_openedDuringBox, nullptr);
    EXPECT_FALSE(answersDark(g_openedDuringBox)) << "another dialog was themed";
    EXPECT_FALSE(answersDark(owner)) << "the owner was themed when it came back";
    DestroyWindow(g_openedDuringBox);
    DestroyWindow(owner);
}

} // namespace
} // namespace tapwell::wintest
