// The script's clipboard service against the real clipboard; the built-ins
// above it are unit-tested on fakes.
#include "script/services_win32.h"

#include <gtest/gtest.h>

namespace tapwell {

// A message-only window to own the clipboard, as the main dialog does.
struct Owner {
    HWND hwnd =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ~Owner() { DestroyWindow(hwnd); }
};

TEST(Win32Services, ClipboardTextIsWrittenOnlyWithAnOwnerWindow) {
    Owner owner, fallback;
    Win32ScriptServices services(fallback.hwnd);
    for (std::u16string_view text : {u"日本 x\r\n", u""}) {
        ASSERT_TRUE(services.setClipboardText(owner.hwnd, text));
        EXPECT_EQ(GetClipboardOwner(), owner.hwnd);
        EXPECT_EQ(services.clipboardText(owner.hwnd), std::u16string(text));
    }
    // A run without an owner (the command-line tool) uses its own window;
    // with no window at all nothing is written rather than an ownerless text.
    ASSERT_TRUE(services.setClipboardText(nullptr, u"fallback"));
    EXPECT_EQ(GetClipboardOwner(), fallback.hwnd);
    EXPECT_FALSE(systemScriptServices().setClipboardText(nullptr, u"lost"));
    EXPECT_EQ(services.clipboardText(nullptr), std::u16string(u"fallback"));
}

} // namespace tapwell
