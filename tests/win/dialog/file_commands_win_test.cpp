// The messages of the file commands reach the program's message box with the
// program title and the right icon.
#include "dialog/file_commands_win32.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tapwell;

namespace {

struct ShownBox {
    HWND owner;
    std::wstring text, caption;
    UINT flags;
};
std::vector<ShownBox> shown;

int recordBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags) {
    shown.push_back({owner, text, caption, flags});
    return IDOK;
}

} // namespace

TEST(ReportReadError, ShowsTheReaderMessageInTheChosenLanguage) {
    shown.clear();
    FileCommandUi english{false, L"Davudiru Dodovizar", recordBox};
    FileCommandUi japanese{true, L"doruviravad", recordBox};
    EXPECT_EQ(ReportReadError(nullptr, 6, english), 6u);
    EXPECT_EQ(ReportReadError(nullptr, 1, japanese), 1u);
    EXPECT_EQ(ReportReadError(nullptr, 9, english), 9u);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].text, L"An error occurred during character code conversion..");
    EXPECT_EQ(shown[0].caption, L"Davudiru Dodovizar");
    EXPECT_EQ(shown[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(shown[1].text, L"ファイルを開けません。");
    EXPECT_EQ(shown[1].caption, L"doruviravad");
    EXPECT_EQ(shown[2].text, L"Unknown error.");
}
