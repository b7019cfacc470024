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
#include <functional>
#include <thread>

using namespace tapwell;
using namespace tapwell::e2e;

namespace {

bool shiftDown() {
    return (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0;
}

// Starts a run that sends nothing before one second has passed.
void startSoon(const InProcessDialog& d, const wchar_t* text) {
    SetDlgItemInt(d.hwnd, IDC_WAIT_SEC, 0, FALSE);
    SetDlgItemInt(d.hwnd, IDC_INTERVAL, 1000, FALSE);
    SetDlgItemTextW(d.hwnd, IDC_TEXT, text);
    d.command(IDC_START);
}

bool idle(const InProcessDialog& d) {
    return d.text(IDC_START) == L"St&art";
}

// The text of the next box `d` shows, answered with `button` from a thread
// of its own while this one goes on dispatching the dialog's messages.
std::wstring answerBox(const InProcessDialog& d, const wchar_t* button,
                       const std::function<void()>& showIt) {
    std::wstring text;
    std::atomic<bool> answered{false};
    std::thread answer([&] {
        if (auto box =
                waitForMessageBox(GetCurrentProcessId(), L"Davudiru Dodovizar", 5000, d.hwnd)) {
            text = box->text;
            pressButton(*box, button);
        }
        answered = true;
    });
    showIt();
    pumpUntil([&] { return answered.load(); }, 6000);
    answer.join();
    return text;
}

std::atomic<int> g_shiftReleases{0};

// Counts the Shift releases that reach a low-level keyboard hook on a thread
// of its own. The sender of an event waits for such a hook, so a release is
// counted before the thread that sent it goes on. Unlike the key state,
// which Wine reads again from X when a window goes, this cannot see a release
// that was never sent.
struct ShiftReleaseWatch {
    std::atomic<DWORD> threadId{0};
    std::thread thread{[this] {
        HHOOK hook = SetWindowsHookExW(
            WH_KEYBOARD_LL,
            [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
                const DWORD vk = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam)->vkCode;
                if (code == HC_ACTION && (wParam == WM_KEYUP || wParam == WM_SYSKEYUP) &&
                    (vk == VK_SHIFT || vk == VK_LSHIFT || vk == VK_RSHIFT))
                    ++g_shiftReleases;
                return CallNextHookEx(nullptr, code, wParam, lParam);
            },
            GetModuleHandleW(nullptr), 0);
        MSG m;
        PeekMessageW(&m, nullptr, WM_USER, WM_USER, PM_NOREMOVE); // the queue, for WM_QUIT
        threadId = GetCurrentThreadId();
        while (GetMessageW(&m, nullptr, 0, 0) > 0)
            DispatchMessageW(&m);
        UnhookWindowsHookEx(hook);
    }};
    ShiftReleaseWatch() {
        g_shiftReleases = 0;
        waitUntil([&] { return threadId != 0; }, 5000);
    }
    ~ShiftReleaseWatch() {
        PostThreadMessageW(threadId, WM_QUIT, 0, 0);
        thread.join();
    }
};

} // namespace

// A script that holds Shift and waits in a box of its own when the program is
// closed: the box is answered, the script stops and lets Shift go, all before
// the dialog has gone (the process would end right after).
TEST(Closing, WaitsForTheScriptToReleaseWhatItHolds) {
    ShiftReleaseWatch watch;
    InProcessDialog d(false, InputMode::Script);
    startSoon(d, L"KEYBDEVENT(VK_SHIFT, 1)\r\nMESSAGE(\"holding\")\r\nKEYBDEVENT(VK_SHIFT, 0)");
    ASSERT_TRUE(pumpUntil(
        [&] { return waitForWindow(GetCurrentProcessId(), L"", L"#32770", 0, d.hwnd); }, 5000));
    ASSERT_TRUE(shiftDown());
    ASSERT_TRUE(scriptRunning.load());
    DestroyWindow(d.hwnd);
    d.hwnd = nullptr;
    EXPECT_FALSE(scriptRunning.load()) << "the script thread was left running";
    EXPECT_EQ(g_shiftReleases.load(), 1) << "Shift stays down after the program has ended";
    EXPECT_FALSE(shiftDown());
}

// The close box, Alt+F4 and End task all reach the dialog as WM_CLOSE. During
// a run it stops the run as Abort does, letting go of a held Shift, and the
// dialog stays without asking; the next one asks as usual. The end of the
// Windows session, which Wine cannot bring about, is sent here directly: the
// question stops the run and the session may end, and so does the end itself.
TEST(CloseRequest, DuringARunAbortsItAndReleasesAndTheNextOneAsks) {
    InProcessDialog d;
    const std::pair<UINT, WPARAM> requests[] = {
        {WM_CLOSE, 0}, {WM_QUERYENDSESSION, 0}, {WM_ENDSESSION, TRUE}};
    for (const auto& [message, wParam] : requests) {
        SCOPED_TRACE(message);
        startSoon(d, L"[VK_SHIFT)xxxxxxxxxx");
        ASSERT_TRUE(pumpUntil(shiftDown, 5000));
        const LRESULT answer = SendMessageW(d.hwnd, message, wParam, 0);
        EXPECT_TRUE(message != WM_QUERYENDSESSION || answer) << "the session may not end";
        EXPECT_TRUE(IsWindow(d.hwnd));
        EXPECT_TRUE(idle(d)) << "the request was ignored";
        EXPECT_FALSE(shiftDown());
    }
    const std::wstring asked = answerBox(d, L"No", [&] { SendMessageW(d.hwnd, WM_CLOSE, 0, 0); });
    EXPECT_NE(asked.find(L"Are you sure you want to exit?"), std::wstring::npos);
    EXPECT_TRUE(IsWindow(d.hwnd)) << "No keeps the dialog";
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

// A run whose timer Windows refuses would wait for ever with the controls
// locked; it ends with a message that gives the system's error instead.
TEST(TimerFailure, EndsTheRunWithAMessage) {
    InProcessDialog d;
    timerCalls().setTimer = [](HWND, UINT_PTR, UINT, TIMERPROC) -> UINT_PTR {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return 0;
    };
    SetDlgItemTextW(d.hwnd, IDC_TEXT, L"x");
    const std::wstring told = answerBox(d, L"OK", [&] { d.command(IDC_START); });
    EXPECT_TRUE(pumpUntil([&] { return idle(d); }, 5000)) << "the run hangs";
    timerCalls() = TimerCalls{};
    const std::u16string want = formatRunText(RunText::TimerFailed, Language::English, {u"8"});
    EXPECT_EQ(told, std::wstring(want.begin(), want.end()));
}
