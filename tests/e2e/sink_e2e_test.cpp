// The real Win32 key event sink typing into a receiver window.
#include "keystroke/keystroke_win32.h"
#include "support/win_driver.h"

#include <gtest/gtest.h>

using namespace tapwell;
using namespace tapwell::e2e;

namespace {

struct Receiver {
    std::wstring log;
    Process proc;
};

Receiver startReceiver(const std::wstring& tag) {
    Receiver r;
    r.log = makeScratchDir(tag) + L"keys.log";
    auto p = Process::start(quote(exeDir() + L"receiver.exe") + L" " + quote(r.log) +
                            L" --seconds 30");
    EXPECT_TRUE(p.has_value());
    if (p)
        r.proc = std::move(*p);
    EXPECT_TRUE(waitForFile(r.log + L".ready", 15000)) << "receiver never got the focus";
    return r;
}

std::vector<std::string> stopReceiver(Receiver& r) {
    Sleep(500); // let the last events arrive
    HWND w = waitForWindow(r.proc.pid(), L"tapwell receiver", L"", 2000);
    if (w)
        PostMessageW(w, WM_CLOSE, 0, 0);
    r.proc.wait(5000);
    return readLines(r.log);
}

} // namespace

TEST(Win32Sink, ShiftAUnicodeAndEnterReachTheFocusedWindow) {
    Receiver r = startReceiver(L"sink");
    KeyEventSink& sink = systemKeyEventSink();
    sink.sendKey(VK_SHIFT, false);
    pressAndRelease(sink, 'A');
    sink.sendKey(VK_SHIFT, true);
    sink.sendUnicodePair(u'\u3042');
    pressAndRelease(sink, VK_RETURN);
    std::vector<std::string> want = {"keydown 16", "keydown 65", "char 65",    "keyup 65",
                                     "keyup 16",   "keydown 231", "char 12354", "keyup 231",
                                     "keydown 13", "char 13",    "keyup 13"};
    EXPECT_EQ(stopReceiver(r), want);
}

TEST(Win32Sink, LowerCaseWithoutShiftAndSurrogatePairs) {
    Receiver r = startReceiver(L"sink2");
    KeyEventSink& sink = systemKeyEventSink();
    pressAndRelease(sink, 'B');
    // 😀 as two units, high surrogate first, each its own pair of events.
    sink.sendUnicodePair(0xD83D);
    sink.sendUnicodePair(0xDE00);
    EXPECT_EQ(sink.sendUnicodeUnit(u'x', false), 1u);
    EXPECT_EQ(sink.sendUnicodeUnit(u'x', true), 1u);
    std::vector<std::string> got = stopReceiver(r);
    std::vector<std::string> want = {"keydown 66",  "char 98",   "keyup 66",    "keydown 231",
                                     "char 55357",  "keyup 231", "keydown 231", "char 56832",
                                     "keyup 231",   "keydown 231", "char 120",  "keyup 231"};
    EXPECT_EQ(got, want);
}
