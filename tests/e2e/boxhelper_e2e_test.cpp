// The message-box helper finds another program's box, reads it and answers it.
#include "support/win_driver.h"

#include <gtest/gtest.h>

using namespace tapwell::e2e;

TEST(MessageBoxHelper, ReadsCaptionTextButtonsAndPressesNo) {
    auto p = Process::start(quote(exeDir() + L"showbox.exe") +
                            L" \"Box caption\" \"Line one\" 4"); // MB_YESNO
    ASSERT_TRUE(p);
    auto box = waitForMessageBox(p->pid(), L"Box caption", 15000);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, L"Box caption");
    EXPECT_NE(box->text.find(L"Line one"), std::wstring::npos);
    ASSERT_EQ(box->buttons.size(), 2u);
    EXPECT_TRUE(pressButton(*box, L"no"));
    EXPECT_EQ(p->wait(10000), std::optional<DWORD>(IDNO));
}

TEST(MessageBoxHelper, UnknownButtonIsNotPressedAndMissingBoxTimesOut) {
    auto p = Process::start(quote(exeDir() + L"showbox.exe") + L" Other Text 0"); // MB_OK
    ASSERT_TRUE(p);
    auto box = waitForMessageBox(p->pid(), L"Other", 15000);
    ASSERT_TRUE(box);
    EXPECT_FALSE(pressButton(*box, L"Cancel"));
    EXPECT_FALSE(p->wait(300).has_value()); // still open
    EXPECT_TRUE(pressButton(*box, L"OK"));
    EXPECT_EQ(p->wait(10000), std::optional<DWORD>(IDOK));
    EXPECT_FALSE(waitForMessageBox(GetCurrentProcessId(), L"nothing here", 300));
}

TEST(MessageBoxHelper, CommandLineToolAnswersABox) {
    auto p = Process::start(quote(exeDir() + L"showbox.exe") + L" Tool Asked 1"); // OKCANCEL
    ASSERT_TRUE(p);
    auto helper = Process::start(quote(exeDir() + L"boxhelper.exe") + L" --pid " +
                                 std::to_wstring(p->pid()) + L" --press Cancel --timeout 15000");
    ASSERT_TRUE(helper);
    EXPECT_EQ(helper->wait(20000), std::optional<DWORD>(0));
    EXPECT_EQ(p->wait(10000), std::optional<DWORD>(IDCANCEL));
}
