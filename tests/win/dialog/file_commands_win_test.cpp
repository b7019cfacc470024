// The File commands: the options their dialogs are shown with, the retry
// after a refused name, and the messages that reach the program's message
// box with the program title and the right icon.
#include "dialog/file_commands_win32.h"

#include <cderr.h>
#include <commdlg.h>

#include <gtest/gtest.h>

#include <cwchar>
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
    FileCommandUi english{Language::English, L"Davudiru Dodovizar", recordBox};
    FileCommandUi japanese{Language::Japanese, L"doruviravad", recordBox};
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

namespace {

// What a file dialog was shown with.
struct ShownDialog {
    bool save;
    DWORD flags;
    std::wstring title, defaultExtension, filter;
    DWORD filterIndex, bufferSize;
    wchar_t bufferOnEntry;
};

// How the next dialog answers: a chosen path, or a failure with its error.
struct DialogAnswer {
    std::wstring path; // empty: fails with `error`
    DWORD error = 0;
};

std::vector<ShownDialog> dialogs;
std::vector<DialogAnswer> answers;

// "label\0pattern\0...\0\0" with each zero shown as '|'.
std::wstring filterText(const wchar_t* filter) {
    std::wstring out;
    for (const wchar_t* p = filter; *p; p += wcslen(p) + 1)
        out += std::wstring(p) + L"|";
    return out;
}

bool answerDialog(OPENFILENAMEW& ofn, bool save, DWORD& error) {
    dialogs.push_back({save, ofn.Flags, ofn.lpstrTitle ? ofn.lpstrTitle : L"",
                       ofn.lpstrDefExt ? ofn.lpstrDefExt : L"", filterText(ofn.lpstrFilter),
                       ofn.nFilterIndex, ofn.nMaxFile, ofn.lpstrFile[0]});
    DialogAnswer answer = answers.empty() ? DialogAnswer{} : answers.front();
    if (!answers.empty())
        answers.erase(answers.begin());
    if (answer.path.empty()) {
        // A refused name leaves the buffer as the user typed it.
        wcscpy(ofn.lpstrFile, L"bad:name?");
        error = answer.error;
        return false;
    }
    wcscpy(ofn.lpstrFile, answer.path.c_str());
    return true;
}

class FileCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        shown.clear();
        dialogs.clear();
        answers.clear();
        wchar_t tmp[MAX_PATH];
        GetTempPathW(MAX_PATH, tmp);
        dir_ = std::wstring(tmp) + L"tapwell-filecmd-" + std::to_wstring(GetCurrentProcessId()) +
               L"-" + std::to_wstring(++counter_) + L"\\";
        CreateDirectoryW(dir_.c_str(), nullptr);
        box_ = CreateWindowExW(0, L"EDIT", L"", ES_MULTILINE, 0, 0, 100, 100, nullptr, nullptr,
                               nullptr, nullptr);
        ui_ = {Language::English, L"Davudiru Dodovizar", recordBox, answerDialog};
    }
    void TearDown() override {
        DestroyWindow(box_);
        WIN32_FIND_DATAW fd;
        HANDLE h = FindFirstFileW((dir_ + L"*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE) {
            do
                DeleteFileW((dir_ + fd.cFileName).c_str());
            while (FindNextFileW(h, &fd));
            FindClose(h);
        }
        RemoveDirectoryW(dir_.c_str());
    }
    std::string bytesOf(const std::wstring& name) const {
        std::string out;
        HANDLE h = CreateFileW((dir_ + name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            return "<missing>";
        char buffer[256];
        DWORD got = 0;
        while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0)
            out.append(buffer, got);
        CloseHandle(h);
        return out;
    }
    void put(const std::wstring& name, const std::string& bytes) const {
        HANDLE h = CreateFileW((dir_ + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                               nullptr);
        DWORD put = 0;
        WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr);
        CloseHandle(h);
    }
    std::wstring boxText() const {
        wchar_t text[256] = {};
        GetWindowTextW(box_, text, 256);
        return text;
    }

    std::wstring dir_;
    HWND box_ = nullptr;
    FileCommandUi ui_;
    static inline int counter_ = 0;
};

} // namespace

TEST_F(FileCommands, SavingTellsOfUtf8WithMarkAndShowsTheSaveDialogsOptions) {
    SetWindowTextW(box_, L"abc");
    answers.push_back({dir_ + L"saved.txt"});
    EXPECT_TRUE(saveTextToFile(nullptr, box_, ui_));
    EXPECT_EQ(bytesOf(L"saved.txt"), "\xEF\xBB\xBF"
                                     "abc");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, L"The file has been saved in UTF-8 (with BOM).");
    EXPECT_EQ(shown[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));

    ASSERT_EQ(dialogs.size(), 1u);
    const ShownDialog& d = dialogs[0];
    EXPECT_TRUE(d.save);
    EXPECT_EQ(d.title, L"Save to file(UTF-8)");
    EXPECT_EQ(d.defaultExtension, L"txt");
    EXPECT_EQ(d.filter, L"Text/Script files(*.txt;*.rsc)|*.txt;*.rsc|All files(*.*)|*.*|");
    EXPECT_EQ(d.filterIndex, 1u);
    EXPECT_EQ(d.bufferSize, kFileDialogBufferSize);
    EXPECT_EQ(d.flags, static_cast<DWORD>(OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT |
                                          OFN_HIDEREADONLY | OFN_NOCHANGEDIR));

    // A folder that does not exist: the error and the Japanese wording.
    ui_.language = Language::Japanese;
    answers.push_back({dir_ + L"missing\\x.txt"});
    EXPECT_FALSE(saveTextToFile(nullptr, box_, ui_));
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].text, L"ファイルを書き込みモードで開けません。");
    EXPECT_EQ(shown[1].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(dialogs[1].title, L"ファイルへ保存(UTF-8)");
}

TEST_F(FileCommands, OpenDialogsRequireAnExistingFile) {
    put(L"in.txt", "\xEF\xBB\xBF"
                   "loaded");
    answers.push_back({dir_ + L"in.txt"});
    EXPECT_TRUE(loadTextFromFile(nullptr, box_, ui_));
    EXPECT_EQ(boxText(), L"loaded");
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_FALSE(dialogs[0].save);
    EXPECT_EQ(dialogs[0].title, L"Choose a file");
    EXPECT_EQ(dialogs[0].flags, static_cast<DWORD>(OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST |
                                                   OFN_HIDEREADONLY | OFN_NOCHANGEDIR));
    EXPECT_TRUE(shown.empty()) << "a successful load says nothing";

    answers.push_back({dir_ + L"in.txt"});
    EXPECT_TRUE(readHexDumpFromFile(nullptr, box_, ui_));
    EXPECT_EQ(dialogs[1].title, L"Choose a binary file");
    EXPECT_EQ(dialogs[1].defaultExtension, L"bin");
    EXPECT_EQ(dialogs[1].filter, L"Binary files(*.bin)|*.bin|All files(*.*)|*.*|");
    EXPECT_EQ(boxText(), L"EFBBBF6C6F61646564");
}

TEST_F(FileCommands, HexDumpFailuresSayWhatWentWrong) {
    SetWindowTextW(box_, L"keep");
    answers.push_back({dir_ + L"none.bin"});
    EXPECT_FALSE(readHexDumpFromFile(nullptr, box_, ui_));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, L"Cannot open the file.");
    EXPECT_EQ(boxText(), L"keep") << "a failure leaves the text box as it was";

    SetWindowTextW(box_, L"41 42");
    answers.push_back({dir_ + L"no-folder\\out.bin"});
    EXPECT_FALSE(writeHexDumpToFile(nullptr, box_, ui_));
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].text, L"Cannot open flie.");
    EXPECT_EQ(shown[1].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));

    ui_.language = Language::Japanese;
    answers.push_back({dir_ + L"none.bin"});
    EXPECT_FALSE(readHexDumpFromFile(nullptr, box_, ui_));
    EXPECT_EQ(shown[2].text, L"ファイルを開けません。");
    EXPECT_EQ(dialogs[2].title, L"ファイルを開く(16進ダンプ)");

    answers.push_back({dir_ + L"out.bin"});
    EXPECT_TRUE(writeHexDumpToFile(nullptr, box_, ui_));
    EXPECT_EQ(bytesOf(L"out.bin"), "AB");
    EXPECT_EQ(shown.size(), 3u) << "a written hex dump says nothing";
    EXPECT_EQ(dialogs[3].title, L"バイナリファイルへ保存");
}

TEST_F(FileCommands, ARefusedNameIsAskedForOnceMoreWithAnEmptyBuffer) {
    put(L"in.txt", "x");
    answers.push_back({L"", FNERR_INVALIDFILENAME});
    answers.push_back({dir_ + L"in.txt"});
    wchar_t buffer[kFileDialogBufferSize];
    wcscpy(buffer, L"left over");
    EXPECT_TRUE(ChooseFileToOpen(nullptr, L"All\0*.*\0", buffer, L"t", L"txt", answerDialog));
    ASSERT_EQ(dialogs.size(), 2u);
    EXPECT_EQ(dialogs[0].bufferOnEntry, L'\0');
    EXPECT_EQ(dialogs[1].bufferOnEntry, L'\0') << "the refused name is not offered again";
    EXPECT_EQ(std::wstring(buffer), dir_ + L"in.txt");

    // Refused twice, or cancelled: no path, an empty buffer, no third try.
    dialogs.clear();
    answers = {{L"", FNERR_INVALIDFILENAME}, {L"", FNERR_INVALIDFILENAME}, {dir_ + L"in.txt"}};
    EXPECT_FALSE(ChooseFileToSave(nullptr, L"All\0*.*\0", buffer, L"t", answerDialog));
    EXPECT_EQ(dialogs.size(), 2u);
    EXPECT_EQ(buffer[0], L'\0');

    dialogs.clear();
    answers = {{L"", 0}, {dir_ + L"in.txt"}};
    EXPECT_FALSE(ChooseFileToOpen(nullptr, L"All\0*.*\0", buffer, L"t", L"txt", answerDialog));
    EXPECT_EQ(dialogs.size(), 1u) << "a cancel is not retried";
    EXPECT_EQ(buffer[0], L'\0');
    EXPECT_TRUE(shown.empty());
}
