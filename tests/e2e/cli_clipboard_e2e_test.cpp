// tapwell-cli's real script run puts text on the clipboard with a window of
// its own as the owner: the platform refuses data after an ownerless opening.
#include "support/win_driver.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace tapwell::e2e;

namespace {

std::wstring clipboardText() {
    std::wstring text;
    for (int attempt = 0; attempt < 20 && !OpenClipboard(nullptr); ++attempt)
        Sleep(50);
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (auto* p = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = p;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

DWORD clipboardOwnerProcess() {
    DWORD pid = 0;
    if (HWND owner = GetClipboardOwner())
        GetWindowThreadProcessId(owner, &pid);
    return pid;
}

} // namespace

TEST(CliClipboard, ScriptRunOwnsTheClipboardWithItsOwnWindow) {
    const std::wstring dir = makeScratchDir(L"cli-clipboard");
    const std::wstring script = dir + L"copy.qz";
    FILE* f = _wfopen(script.c_str(), L"wb");
    ASSERT_NE(f, nullptr);
    std::fputs("setclipboardtext(\"from the tool\")\r\nsleep(4000)\r\n", f);
    std::fclose(f);

    auto p = Process::start(
        quote(hostPath(TAPWELL_CLI_PATH)) + L" script --wait 0 " + quote(script), dir);
    ASSERT_TRUE(p);
    // While the script sleeps, its window still owns what it copied.
    bool owned = false;
    for (int i = 0; i < 60 && !owned; ++i) {
        owned = clipboardOwnerProcess() == p->pid();
        if (!owned)
            Sleep(50);
    }
    EXPECT_TRUE(owned) << "the clipboard's owner is not a window of tapwell-cli";
    EXPECT_EQ(clipboardText(), L"from the tool");
    EXPECT_EQ(p->wait(20000), std::optional<DWORD>(0));
    EXPECT_EQ(clipboardText(), L"from the tool") << "the text outlives the tool";
}
