// Caps Lock around a key presses run: turned on by a real key press (an X
// event from xdotool, as a user's), it is off while tapwell types and on
// again afterwards; left as it is, letters arrive in the other case. Wine
// has no Japanese IME: the IME side is tested through the native seam.
#include "resource.h"
#include "support/win_driver.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace tapwell::e2e;
using Lines = std::vector<std::string>;

namespace {

// A real Caps Lock press and release in the window titled `title`. Wine
// cannot wait for a Linux process: the shell leaves a file once the key has
// gone out; a search meeting a window that closes is retried.
bool pressCapsLockIn(const std::wstring& title) {
    const std::wstring mark = L"/tmp/tapwell-caps-" + std::to_wstring(GetTickCount());
    auto p = Process::start(L"Z:\\bin\\sh -c \"for i in 1 2 3 4 5; do xdotool search --name " +
                            title + L" windowfocus key Caps_Lock && touch " + mark +
                            L" && break; sleep 0.1; done\"");
    const std::wstring windowsMark = hostPath(toUtf8(mark).c_str());
    const bool sent = p && waitUntil([&] { return exists(windowsMark); }, 10000);
    DeleteFileW(windowsMark.c_str());
    return sent;
}

// The characters the receiver got, as text.
std::string typed(const Lines& lines) {
    std::string out;
    for (const std::string& l : lines)
        if (l.starts_with("char "))
            out.push_back(static_cast<char>(std::stoi(l.substr(5))));
    return out;
}

std::ptrdiff_t capsLockPresses(const Lines& lines) {
    return std::count(lines.begin(), lines.end(), "keydown 20");
}

bool capsLockOn() {
    return (GetKeyState(VK_CAPITAL) & 1) != 0;
}

} // namespace

TEST(CapsLock, TurnedOffForAKeyPressesRunAndOnAgainOrLeftAsItIs) {
    for (const bool leave : {false, true}) {
        SCOPED_TRACE(leave ? "leave as it is" : "turn off and restore");
        auto t = Tapwell::start({L"iInputMode=1", L"iWaitSec=2", L"iDelivery=1", L"iTargetLayout=1",
                                 leave ? L"iCapsLockMode=1" : L"iCapsLockMode=0"});
        ASSERT_TRUE(t);
        auto r = Receiver::start(L"--hold-focus 1500 --title caps-receiver");
        ASSERT_TRUE(r);
        ASSERT_TRUE(pressCapsLockIn(L"caps-receiver"));
        ASSERT_TRUE(waitUntil([&] { return capsLockPresses(r->lines()) == 1; }, 3000));
        EXPECT_TRUE(waitUntil(capsLockOn, 2000)) << "the real press did not turn Caps Lock on";

        t->setText(IDC_TEXT, L"Hello");
        t->command(IDC_START);
        ASSERT_TRUE(waitUntil([&] { return typed(r->lines()).size() == 5; }, 15000));
        ASSERT_TRUE(waitUntil([&] { return textOf(t->dialog) == L"Davudiru Dodovizar"; }, 5000));
        const Lines lines = r->stop();
        EXPECT_EQ(typed(lines), leave ? "hELLO" : "Hello");
        // Ours: one press before the first letter, one after the last.
        EXPECT_EQ(capsLockPresses(lines), leave ? 1 : 3);
        EXPECT_TRUE(waitUntil(capsLockOn, 2000)) << "Caps Lock was not turned on again";

        // Back off for whoever uses the display next.
        auto cleanup = Receiver::start(L"--hold-focus 1500 --title caps-cleanup");
        ASSERT_TRUE(cleanup);
        EXPECT_TRUE(pressCapsLockIn(L"caps-cleanup"));
        EXPECT_TRUE(waitUntil([] { return !capsLockOn(); }, 2000));
        cleanup->stop();
        t->process = {};
    }
}
