// How a run ends when the program is closed, asked to close, or handed a
// file under it: nothing it pressed stays down, and nothing replaces the text
// it types. The dialog runs inside the test process; key state is read with
// GetAsyncKeyState, which Wine keeps for injected input as long as the X focus
// does not move.
#include "keystroke/pacing_timer_win32.h"
#include "keystroke/run_texts.h"
#include "resource.h"
#include "script/script_runner.h"
#include "support/in_process_dialog.h"
#include "support/win_driver.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <thread>

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

std::atomic<int> g_shiftReleases{0};

LRESULT CALLBACK countShiftReleases(int code, WPARAM wParam, LPARAM lParam) {
    const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    if (code == HC_ACTION && (wParam == WM_KEYUP || wParam == WM_SYSKEYUP) &&
        (key->vkCode == VK_SHIFT || key->vkCode == VK_LSHIFT || key->vkCode == VK_RSHIFT))
        ++g_shiftReleases;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Counts the Shift releases that reach a low-level keyboard hook on a thread
// of its own. The sender of an event waits for such a hook, so a release is
// counted before the thread that sent it goes on. Unlike the key state,
// which Wine reads again from X when a window goes, this cannot see a release
// that was never sent.
class ShiftReleaseWatch {
  public:
    ShiftReleaseWatch() {
        g_shiftReleases = 0;
        HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        thread_ = std::thread([this, ready] {
            MSG m;
            PeekMessageW(&m, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
            HHOOK hook =
                SetWindowsHookExW(WH_KEYBOARD_LL, countShiftReleases, GetModuleHandleW(nullptr), 0);
            id_ = GetCurrentThreadId();
            SetEvent(ready);
            while (GetMessageW(&m, nullptr, 0, 0) > 0)
                DispatchMessageW(&m);
            UnhookWindowsHookEx(hook);
        });
        WaitForSingleObject(ready, 5000);
        CloseHandle(ready);
    }
    ~ShiftReleaseWatch() {
        PostThreadMessageW(id_, WM_QUIT, 0, 0);
        thread_.join();
    }
    int releases() const { return g_shiftReleases.load(); }

  private:
    std::thread thread_;
    std::atomic<DWORD> id_{0};
};

} // namespace

// A script that holds Shift and waits in a box of its own when the program is
// closed: the box is answered, the script stops and lets Shift go, all before
// the dialog has gone (the process would end right after).
TEST(Closing, WaitsForTheScriptToReleaseWhatItHolds) {
    ShiftReleaseWatch watch;
    InProcessDialog d(false, InputMode::Script);
    startSoon(d, L"KEYBDEVENT(VK_SHIFT, 1)\r\nMESSAGE(\"holding\")\r\nKEYBDEVENT(VK_SHIFT, 0)");
    ASSERT_TRUE(pumpUntil([&] { return ownedBox(d.hwnd) != nullptr; }, 5000));
    ASSERT_TRUE(shiftDown());
    ASSERT_TRUE(scriptRunning.load());
    DestroyWindow(d.hwnd);
    d.hwnd = nullptr;
    EXPECT_FALSE(scriptRunning.load()) << "the script thread was left running";
    EXPECT_EQ(watch.releases(), 1) << "Shift stays down after the program has ended";
    EXPECT_FALSE(shiftDown());
}

// The close box, Alt+F4 and End task all reach the dialog as WM_CLOSE. During
// a run it stops the run as Abort does, letting go of a held Shift, and the
// dialog stays without asking; the next one asks as usual. The end of the
// Windows session, which Wine cannot bring about, is sent here directly: the
// question stops the run and the session may end, and so does the end itself.
TEST(CloseRequest, DuringARunAbortsItAndReleasesAndTheNextOneAsks) {
    InProcessDialog d;
    const auto holdShift = [&] {
        startSoon(d, L"[VK_SHIFT)xxxxxxxxxx");
        return pumpUntil(shiftDown, 5000);
    };
    ASSERT_TRUE(holdShift());
    SendMessageW(d.hwnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(d.hwnd));
    EXPECT_TRUE(idle(d)) << "the close request was ignored";
    EXPECT_FALSE(shiftDown());

    std::wstring asked;
    std::atomic<bool> answered{false};
    std::thread answer([&] {
        if (auto box =
                waitForMessageBox(GetCurrentProcessId(), L"Davudiru Dodovizar", 5000, d.hwnd)) {
            asked = box->text;
            pressButton(*box, L"No");
        }
        answered = true;
    });
    SendMessageW(d.hwnd, WM_CLOSE, 0, 0);
    pumpUntil([&] { return answered.load(); }, 6000);
    answer.join();
    EXPECT_NE(asked.find(L"Are you sure you want to exit?"), std::wstring::npos);
    EXPECT_TRUE(IsWindow(d.hwnd)) << "No keeps the dialog";

    ASSERT_TRUE(holdShift());
    EXPECT_NE(SendMessageW(d.hwnd, WM_QUERYENDSESSION, 0, 0), 0) << "the session may end";
    EXPECT_TRUE(idle(d));
    EXPECT_FALSE(shiftDown());
    ASSERT_TRUE(holdShift());
    SendMessageW(d.hwnd, WM_ENDSESSION, TRUE, 0);
    EXPECT_TRUE(idle(d));
    EXPECT_FALSE(shiftDown());
}

// The text box is locked during a run: a file dropped in the countdown would
// be what gets typed. Once the run is over, the same drop loads the file.
TEST(Drop, DuringARunLeavesTheLockedTextAlone) {
    InProcessDialog d;
    const std::wstring file = makeScratchDir(L"drop") + L"other.txt";
    std::ofstream(file.c_str(), std::ios::binary) << "dropped";
    SetDlgItemTextW(d.hwnd, IDC_TEXT, L"locked");
    d.command(IDC_START);
    ASSERT_FALSE(idle(d));
    dropFile(d.hwnd, file);
    EXPECT_EQ(d.text(IDC_TEXT), L"locked");
    d.command(IDC_START); // Abort
    dropFile(d.hwnd, file);
    EXPECT_EQ(d.text(IDC_TEXT), L"dropped");
}

namespace {

UINT_PTR WINAPI refuseWindowTimer(HWND, UINT_PTR, UINT, TIMERPROC) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
}

} // namespace

// A run whose timer Windows refuses would wait for ever with the controls
// locked; it ends with a message that gives the system's error instead.
TEST(TimerFailure, EndsTheRunWithAMessage) {
    InProcessDialog d;
    timerCalls().setTimer = refuseWindowTimer;
    std::wstring told;
    std::thread answer([&] {
        if (auto box =
                waitForMessageBox(GetCurrentProcessId(), L"Davudiru Dodovizar", 5000, d.hwnd)) {
            told = box->text;
            pressButton(*box, L"OK");
        }
    });
    SetDlgItemTextW(d.hwnd, IDC_TEXT, L"x");
    d.command(IDC_START);
    EXPECT_TRUE(pumpUntil([&] { return idle(d); }, 5000)) << "the run hangs";
    answer.join();
    timerCalls() = TimerCalls{};
    const std::u16string want = formatRunText(RunText::TimerFailed, Language::English, {u"8"});
    EXPECT_EQ(told, std::wstring(want.begin(), want.end()));
}
