// The destination's input state as Windows reports it, on a window of this
// test's own: its focus, its layout's language, and the IME's open status
// through the default IME window. Wine has no East Asian IME; its IME window
// answers the status requests as Windows does for a layout without one.
#include "keystroke/keystroke_win32.h"
#include "support/win_driver.h"

#include <windows.h>

#include <gtest/gtest.h>

using namespace tapwell;

namespace {

// A top-level window with an edit control that holds the focus.
struct FocusedEdit {
    HWND top = nullptr;
    HWND edit = nullptr;
    FocusedEdit() {
        top = CreateWindowExW(0, L"STATIC", L"input-state", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                              200, 100, nullptr, nullptr, nullptr, nullptr);
        edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, top, nullptr,
                               nullptr, nullptr);
        e2e::pumpUntil([&] { return SetForegroundWindow(top) && GetForegroundWindow() == top; },
                       1000);
        SetFocus(edit);
        e2e::pumpUntil([] { return false; }, 0);
    }
    ~FocusedEdit() { DestroyWindow(top); }
};

} // namespace

TEST(DestinationInputState, TheFocusedChildItsLayoutAndItsImeStatus) {
    FocusedEdit window;
    ASSERT_EQ(GetForegroundWindow(), window.top);
    DestinationInputState& state = systemDestinationInputState();
    const WindowId focus = state.focusWindow();
    EXPECT_EQ(focus, reinterpret_cast<WindowId>(window.edit));

    const HKL layout = GetKeyboardLayout(0);
    EXPECT_EQ(state.layoutLanguage(focus),
              PRIMARYLANGID(LOWORD(reinterpret_cast<UINT_PTR>(layout))));

    // The IME window answers in time; closed stays closed, and a layout
    // without an IME cannot be opened.
    EXPECT_NE(state.imeOpen(focus), std::nullopt);
    state.setImeOpen(focus, false);
    EXPECT_EQ(state.imeOpen(focus), std::optional<bool>(false));
    if (!composesWithIme(state.layoutLanguage(focus))) {
        state.setImeOpen(focus, true);
        EXPECT_EQ(state.imeOpen(focus), std::optional<bool>(false));
    }
    // No window, no IME window to ask.
    EXPECT_EQ(state.imeOpen(0), std::nullopt);
}
