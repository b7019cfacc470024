// How a run ends when the program is closed, asked to close, or handed a
// file under it: nothing it pressed stays down, and nothing replaces the text
// it types. The dialog runs inside the test process; key state is read with
// GetAsyncKeyState, which Wine keeps for injected input as long as the X focus
// does not move.
#include "keystroke/run_texts.h"
#include "resource.h"
#include "script/script_runner.h"
#include "support/in_process_dialog.h"
#include "support/win_driver.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace tapwell;
using namespace tapwell::e2e;

namespace {

bool shiftDown() {
    return (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0;
}

// A message box of another thread owned by `owner`.
HWND ownedBox(HWND owner) {
    HWND box = nullptr;
    while ((box = FindWindowExW(nullptr, box, L"#32770", nullptr)))
        if (GetWindow(box, GW_OWNER) == owner && IsWindowVisible(box))
            return box;
    return nullptr;
}

// Starts a run that sends nothing before one second has passed.
void startSoon(const InProcessDialog& d, const wchar_t* text, int intervalMs = 1000) {
    SetDlgItemInt(d.hwnd, IDC_WAIT_SEC, 0, FALSE);
    SetDlgItemInt(d.hwnd, IDC_INTERVAL, static_cast<UINT>(intervalMs), FALSE);
    SetDlgItemTextW(d.hwnd, IDC_TEXT, text);
    d.command(IDC_START);
}

bool idle(const InProcessDialog& d) {
    return d.text(IDC_START) == L"St&art";
}

} // namespace

// A script that holds Shift and waits in a box of its own when the program is
// closed: the box is answered, the script stops and lets Shift go, all before
// the dialog has gone (the process would end right after).
TEST(Closing, WaitsForTheScriptToReleaseWhatItHolds) {
    InProcessDialog d(false, 2);
    startSoon(d, L"KEYBDEVENT(VK_SHIFT, 1)\r\nMESSAGE(\"holding\")\r\nKEYBDEVENT(VK_SHIFT, 0)");
    ASSERT_TRUE(pumpUntil([&] { return ownedBox(d.hwnd) != nullptr; }, 5000));
    ASSERT_TRUE(shiftDown());
    ASSERT_TRUE(scriptRunning.load());
    DestroyWindow(d.hwnd);
    d.hwnd = nullptr;
    EXPECT_FALSE(scriptRunning.load()) << "the script thread was left running";
    EXPECT_FALSE(shiftDown()) << "Shift stays down after the program has ended";
}
