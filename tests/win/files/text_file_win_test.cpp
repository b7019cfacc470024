// Text files on real files: the platform's code pages through MLang, and
// saves that replace a file only once the new one is whole.
#include "files/file_store.h"
#include "files/hex_dump.h"
#include "files/text_file.h"
#include "files/text_file_win32.h"
#include "support/win_driver.h"

#include <gtest/gtest.h>

#include <objbase.h>

#include <filesystem>
#include <fstream>

using namespace tapwell;

// Passes everything to the real store, but every write fails after part of
// it reached the disk.
struct FailingWrites : FileStore {
    struct Failing : ReplacementFile {
        std::unique_ptr<ReplacementFile> inner;
        bool write(std::string_view b) override { return !inner->write(b.substr(0, 3)); }
        bool commit() override { return inner->commit(); }
    };
    std::unique_ptr<InputFile> openForReading(const FilePath& p) override {
        return win32FileStore().openForReading(p);
    }
    std::unique_ptr<ReplacementFile> createReplacement(const FilePath& p) override {
        auto failing = std::make_unique<Failing>();
        failing->inner = win32FileStore().createReplacement(p);
        return failing->inner ? std::move(failing) : nullptr;
    }
};

TEST(TextFileWin, OnlyAnOkFromMlangIsAConversion) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    auto service = createMlangCodePageService();
    ASSERT_NE(service, nullptr);
    EXPECT_EQ(service->decodeStrict(932, "\x82\xA0"), std::u16string(u"あ"));
    EXPECT_EQ(service->decodeStrict(20932, "\xA4\xA2"), std::u16string(u"あ"));
    EXPECT_FALSE(service->decodeStrict(932, "\x82")); // lead byte at the end
    EXPECT_FALSE(service->decodeStrict(20932, "\x82\xA0"));
    EXPECT_EQ(service->convert(932, "\x82\xA0"), std::u16string(u"あ"));

    // Wine's MLang never answers S_FALSE ("not supported", nothing
    // converted), so the call's result comes from a stand-in here.
    HRESULT answer = S_OK;
    service = createMlangCodePageServiceWith(
        [&answer](DWORD*, UINT, CHAR* src, UINT* srcSize, WCHAR* dst, UINT* dstSize) {
            for (UINT i = 0; i < *srcSize; ++i)
                dst[i] = WCHAR(src[i]);
            *dstSize = answer == S_OK ? *srcSize : 0;
            return answer;
        });
    ASSERT_NE(service, nullptr);
    EXPECT_EQ(service->convert(932, "ab"), std::u16string(u"ab"));
    for (HRESULT failure : {S_FALSE, E_FAIL, HRESULT(2)}) {
        answer = failure;
        EXPECT_FALSE(service->convert(932, "ab")) << std::hex << failure;
    }
    CoUninitialize();
}

TEST(TextFileWin, AFailedSaveKeepsTheOldFile) {
    const auto dir = std::filesystem::temp_directory_path() / "tpw-save";
    std::filesystem::create_directories(dir);
    const std::wstring keep = dir / "keep.txt";
    std::ofstream(dir / "keep.txt", std::ios::binary) << "old text";
    FailingWrites failing;
    const FilePath keepPath(keep.begin(), keep.end());
    EXPECT_EQ(WriteTextFileUtf8(failing, keepPath, u"a longer new text"), FileResult::WriteFailed);
    EXPECT_EQ(writeHexDumpFile(failing, keepPath, u"41424344454647"), FileResult::WriteFailed);
    EXPECT_EQ(e2e::readFileBytes(keep), "old text");
    EXPECT_EQ(WriteTextFileUtf8(dir / "none" / "x.txt", u"new"), FileResult::CannotOpen);
    ASSERT_EQ(WriteTextFileUtf8(keep, u"日本"), FileResult::Ok);
    EXPECT_EQ(e2e::readFileBytes(keep), "\xEF\xBB\xBF\xE6\x97\xA5\xE6\x9C\xAC");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1)
        << "no replacement file left behind";
    std::filesystem::remove_all(dir);
}

// The build machine prepared target.txt ("old") and link.txt, a symbolic
// link to it (Wine cannot make one); after the test a check there sees the
// link still a link.
TEST(TextFileWin, SavingThroughASymbolicLinkWritesItsTarget) {
    const char* dir = std::getenv("TAPWELL_TEST_LINK_DIR");
    if (!dir || !*dir)
        GTEST_SKIP() << "no symbolic link prepared";
    const std::wstring link = e2e::hostPath(dir);
    ASSERT_EQ(e2e::readFileBytes(link + L"\\target.txt"), "old");
    EXPECT_EQ(WriteTextFileUtf8(link + L"\\link.txt", u"new"), FileResult::Ok);
    EXPECT_EQ(e2e::readFileBytes(link + L"\\target.txt"), "\xEF\xBB\xBF"
                                                          "new");
}
