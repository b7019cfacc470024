// Runs at the finest interval: nothing is lost or reordered, the dialog keeps
// answering while it sends, and Abort stops it at once, with the pacing
// thread and with the window timer that stands in for it.
#include "dialog_driver.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace tapwell::e2e;

namespace {

std::vector<std::string> charsOf(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (const std::string& l : lines)
        if (l.rfind("char ", 0) == 0)
            out.push_back(l);
    return out;
}

// 10,000 characters of ASCII, kana, kanji and emoji (two units each), none
// of them notation or a quote that would end the /T: argument.
std::wstring mixedText() {
    const std::wstring ascii = L"abcXYZ0189.,-=+*/:;?@#$%&_~";
    const std::wstring kana = L"あいうえおかきくけこアイウエオヴァ";
    const std::wstring kanji = L"漢字変換東京日本語鍵盤入力";
    const std::wstring emoji[] = {L"\U0001F600", L"\U0001F389", L"\U0001F44D"};
    std::wstring text;
    for (std::size_t i = 0; i < 10000; ++i) {
        switch (i % 7) {
        case 0:
        case 1:
        case 2:
            text += ascii[i * 5 % ascii.size()];
            break;
        case 3:
        case 4:
            text += kana[i * 3 % kana.size()];
            break;
        case 5:
            text += kanji[i % kanji.size()];
            break;
        default:
            text += emoji[i % 3];
        }
    }
    return text;
}

std::vector<std::string> expectedChars(const std::wstring& text) {
    std::vector<std::string> out;
    for (wchar_t unit : text)
        out.push_back("char " + std::to_string(static_cast<unsigned>(unit)));
    return out;
}

std::wstring editText(HWND edit) {
    DWORD_PTR length = 0;
    SendMessageTimeoutW(edit, WM_GETTEXTLENGTH, 0, 0, SMTO_BLOCK, 5000, &length);
    std::wstring text(length + 1, L'\0');
    DWORD_PTR got = 0;
    SendMessageTimeoutW(edit, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()),
                        SMTO_BLOCK, 5000, &got);
    text.resize(got);
    return text;
}

TapwellOptions fastRun(const std::wstring& text, unsigned intervalMs, int loops = 1) {
    return {false,
            {L"iInputMode=1", L"iWaitSec=3", L"iWaitMSec=" + std::to_wstring(intervalMs),
             L"iLoopNum=" + std::to_wstring(loops)},
            L"\"/T:" + text + L"\""};
}

bool answers(HWND window) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, 100, &ignored) != 0;
}

// Sends `intervalMs` runs of "z" endlessly, checks that the dialog answers
// within 100 ms throughout, aborts and checks that no more units come.
void abortAnEndlessRun(const std::wstring& tag, unsigned intervalMs, bool windowTimer = false) {
    if (windowTimer)
        SetEnvironmentVariableW(L"TPW_PACING", L"window");
    auto run = Tapwell::start(tag, fastRun(L"z", intervalMs, 0));
    SetEnvironmentVariableW(L"TPW_PACING", nullptr);
    ASSERT_TRUE(run);
    auto receiver = startReceiver(tag + L"-recv", 2500);
    ASSERT_TRUE(receiver);
    ASSERT_TRUE(waitUntil([&] { return charsOf(readLines(receiver->log)).size() >= 20; }, 20000))
        << "the endless run did not type";

    int unanswered = 0;
    const DWORD end = GetTickCount() + 2000;
    while (static_cast<int>(end - GetTickCount()) > 0) {
        if (!answers(run->dialog()))
            ++unanswered;
        Sleep(10);
    }
    EXPECT_EQ(unanswered, 0) << "the dialog did not answer WM_NULL within 100 ms";

    run->command(IDC_START); // Abort
    EXPECT_TRUE(waitUntil([&] { return run->title() == L"Davudiru Dodovizar"; }, 1000))
        << "Abort did not end the run at once";
    Sleep(500); // what was sent before the Abort reaches the receiver
    const std::size_t atAbort = charsOf(readLines(receiver->log)).size();
    Sleep(1000);
    EXPECT_EQ(charsOf(readLines(receiver->log)).size(), atAbort) << "units after the Abort";
    EXPECT_EQ(run->text(IDC_START), L"St&art");
    EXPECT_FALSE(run->process().wait(300).has_value()) << "Abort must not close the dialog";
    run->command(IDM_EXIT);
    EXPECT_EQ(run->process().wait(10000), 0u);
    stopReceiver(*receiver);
}

} // namespace

TEST(Pace, TenThousandMixedCharactersAtOneMillisecondArriveCompleteAndInOrder) {
    const std::wstring text = mixedText();
    auto run = Tapwell::start(L"pace-10k", fastRun(text, 1));
    ASSERT_TRUE(run);
    auto receiver = startReceiver(L"pace-10k-recv", 2500);
    ASSERT_TRUE(receiver);
    EXPECT_EQ(run->process().wait(240000), 0u) << "the run ends the program";
    std::vector<std::string> got = charsOf(stopReceiver(*receiver));
    std::vector<std::string> want = expectedChars(text);
    ASSERT_EQ(got.size(), want.size());
    EXPECT_TRUE(got == want) << "first difference at unit "
                             << std::mismatch(got.begin(), got.end(), want.begin()).first -
                                    got.begin();
}

TEST(Pace, TenThousandMixedCharactersAtOneMillisecondReachNotepad) {
    const std::wstring text = mixedText();
    auto run = Tapwell::start(L"pace-10k-pad", fastRun(text, 1));
    ASSERT_TRUE(run);
    auto pad = Process::start(L"notepad.exe");
    ASSERT_TRUE(pad);
    HWND padWindow = waitForWindow(pad->pid(), L"", L"Notepad", 15000);
    ASSERT_NE(padWindow, nullptr);
    HWND edit = FindWindowExW(padWindow, nullptr, L"Edit", nullptr);
    ASSERT_NE(edit, nullptr);
    const DWORD until = GetTickCount() + 2500;
    while (static_cast<int>(until - GetTickCount()) > 0) {
        if (GetForegroundWindow() != padWindow)
            SetForegroundWindow(padWindow);
        Sleep(100);
    }
    EXPECT_EQ(run->process().wait(240000), 0u);
    // Notepad's edit control takes its characters far slower than they are
    // sent (about a hundred a second here); the input queue holds the rest.
    // Wait while it makes progress.
    std::wstring got = editText(edit);
    for (DWORD idle = GetTickCount(); got.size() < text.size() && GetTickCount() - idle < 15000;) {
        Sleep(1000);
        std::wstring now = editText(edit);
        if (now.size() != got.size())
            idle = GetTickCount();
        got = std::move(now);
    }
    ASSERT_EQ(got.size(), text.size());
    EXPECT_TRUE(got == text) << "first difference at unit "
                             << std::mismatch(got.begin(), got.end(), text.begin()).first -
                                    got.begin();
    pad->kill();
}

TEST(Pace, AbortStopsAtOnceAndTheDialogAnswersAtOneMillisecond) {
    abortAnEndlessRun(L"pace-abort-1", 1);
}

TEST(Pace, AbortStopsAtOnceAtTwentyMilliseconds) {
    abortAnEndlessRun(L"pace-abort-20", 20);
}

TEST(Pace, AbortStopsAtOnceWithTheWindowTimerInstead) {
    abortAnEndlessRun(L"pace-abort-window", 1, true);
}

TEST(Pace, TheWindowTimerStandsInWhenTheSwitchForbidsTheFineTimer) {
    SetEnvironmentVariableW(L"TPW_PACING", L"window");
    auto run = Tapwell::start(L"pace-window", fastRun(L"fallback", 1));
    SetEnvironmentVariableW(L"TPW_PACING", nullptr);
    ASSERT_TRUE(run);
    auto receiver = startReceiver(L"pace-window-recv", 2500);
    ASSERT_TRUE(receiver);
    EXPECT_EQ(run->process().wait(30000), 0u);
    EXPECT_EQ(charsOf(stopReceiver(*receiver)), expectedChars(L"fallback"));
}
