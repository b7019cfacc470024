#include "fake_code_page_service.h"
#include "files/file_store.h"
#include "files/file_texts.h"
#include "files/hex_dump.h"
#include "files/text_file.h"

#include <gtest/gtest.h>

using namespace tapwell;
using namespace std::string_literals;
using tapwell::testing::FakeCodePageService;
using enum FileText;

// In-memory files that fail at the step named in `failAt`: "open", "size",
// "read", "create", "write" or "commit"; "huge" makes every file 4 GB. A
// replacement reaches `files` on commit only.
struct FakeFileStore : FileStore {
    std::map<FilePath, std::string> files;
    std::string failAt;

    struct File : InputFile, ReplacementFile {
        FakeFileStore& store;
        FilePath path;
        std::string staged;
        File(FakeFileStore& s, const FilePath& p) : store(s), path(p) {}
        std::optional<std::uint64_t> size() override {
            if (store.failAt == "size")
                return std::nullopt;
            return store.failAt == "huge" ? 0x100000000ull : store.files[path].size();
        }
        bool read(char* dest, std::size_t count) override {
            return store.failAt != "read" && count <= store.files[path].copy(dest, count);
        }
        bool write(std::string_view bytes) override {
            staged += bytes;
            return store.failAt != "write";
        }
        bool commit() override {
            if (store.failAt == "commit")
                return false;
            store.files[path] = staged;
            return true;
        }
    };
    std::unique_ptr<InputFile> openForReading(const FilePath& path) override {
        return failAt == "open" ? nullptr : std::make_unique<File>(*this, path);
    }
    std::unique_ptr<ReplacementFile> createReplacement(const FilePath& path) override {
        return failAt == "create" ? nullptr : std::make_unique<File>(*this, path);
    }
};

const CodePageServiceFactory freshService = [] { return std::make_unique<FakeCodePageService>(); };

TEST(TextDecoding, ByteOrderMarksDecideWithoutAskingTheService) {
    FakeCodePageService service; // fails the read if asked
    service.detected = 932;
    service.failConvert = true;
    const std::pair<std::string, std::u16string> cases[] = {
        {"\xFF\xFEx\0\x42\x30"s, u"x\u3042"},
        {"\xFE\xFF\0x\x30\x42"s, u"x\u3042"},
        {"\xEF\xBB\xBFok\xE3\x81\x82", u"ok\u3042"},
        {"", u""},
        // A trailing odd byte cannot form a unit and is dropped.
        {"\xFF\xFEx\0y"s, u"x"},
        // The first zero character ends the text.
        {"\xFF\xFEx\0\0\0y\0"s, u"x"},
        {"\xFE\xFF\0x\0\0\0y"s, u"x"},
        {"\xEF\xBB\xBFx\0y"s, u"x"},
    };
    for (const auto& [bytes, expected] : cases) {
        std::u16string text = u"old";
        EXPECT_EQ(decodeTextFileBytes(service, bytes, text), FileResult::Ok);
        EXPECT_EQ(text, expected);
    }
}

// Detection is trusted even for bytes that are valid UTF-8 too.
TEST(TextDecoding, DetectedCodePageIsConvertedByTheService) {
    FakeCodePageService service;
    service.detected = 1252;
    service.known[{1252, "\xC3\xA9\0x"s}] = u"\u00C3\u00A9\0x"s;
    std::u16string text;
    EXPECT_EQ(decodeTextFileBytes(service, "\xC3\xA9\0x"s, text), FileResult::Ok);
    EXPECT_EQ(text, u"\u00C3\u00A9"); // up to the first zero
    service.failConvert = true;
    EXPECT_EQ(decodeTextFileBytes(service, "abc", text), FileResult::ConversionFailed);
    EXPECT_EQ(text, u"\u00C3\u00A9");
}

// Undetected: valid UTF-8 is UTF-8 (even where CP932 takes the bytes too);
// otherwise the most plausible strict decoding wins, so Japanese beats what
// the ANSI code page makes of the same bytes.
TEST(TextDecoding, UndetectedTextTakesTheMostLikelyReading) {
    using Decodings = std::map<std::uint32_t, std::u16string>;
    const std::tuple<std::string, std::u16string, Decodings> cases[] = {
        {"\xE3\x81\x82", u"あ", {{932, u"\u7E3A\uFF82"}}},
        {"ab\0cd"s, u"ab", {}},
        {"\x82\xA0\x82\xA2", u"あい", {{932, u"あい"}, {1252, u"\u201A\u00A0\u201A\u00A2"}}},
        // Also valid CP932, as four half-width katakana.
        {"\xA4\xA2\xA4\xA4",
         u"あい",
         {{932, u"\uFF64\uFF62\uFF64\uFF64"},
          {20932, u"あい"},
          {1252, u"\u00A4\u00A2\u00A4\u00A4"}}},
        {"caf\xE9", u"caf\u00E9", {{1252, u"caf\u00E9"}}}};
    for (const auto& [bytes, expected, decodings] : cases) {
        FakeCodePageService service;
        for (const auto& [cp, text] : decodings)
            service.known[{cp, bytes}] = text;
        std::u16string text;
        EXPECT_EQ(decodeTextFileBytes(service, bytes, text), FileResult::Ok);
        EXPECT_EQ(text, expected);
    }
}

TEST(TextDecoding, CandidatesAreTriedOnceInOrderAndTheEarlierWinsATie) {
    FakeCodePageService service;
    EXPECT_EQ(decodeUndetectedText(service, "a\xFF"), u"a\uFFFD") << "none decodes";
    EXPECT_EQ(service.strictCalls, (std::vector<std::uint32_t>{932, 20932, 1252}));
    service.known[{932, "\x80"}] = u"x";
    service.known[{1252, "\x80"}] = u"y";
    EXPECT_EQ(decodeUndetectedText(service, "\x80"), u"x");
    service.known[{20932, "\x80"}] = u"\u3042";
    service.ansi = 932;
    service.strictCalls.clear();
    EXPECT_EQ(decodeUndetectedText(service, "\x80"), u"\u3042");
    EXPECT_EQ(service.strictCalls, (std::vector<std::uint32_t>{932, 20932}));
}

// Full-width kana, kanji and punctuation count for a reading; half-width
// katakana, controls, user-defined and replacement characters against it.
TEST(TextDecoding, PlausibilityOfEachKindOfCharacter) {
    const std::pair<std::u16string_view, long> cases[] = {
        {u"\u3000\u30FF\u4E00\u9FFF\uF900\uFAFF\uFF01\uFF60\uFFE0\uFFE6", 20},
        {u"\u2FFF\u3100\u4DFF\uA000\uFB00\uFF00\uFFA0\uFFDF\uFFE7 ~\u00A0\t\r\n", 0},
        {u"\uFF61\uFF9F", -2},
        {u"\x01\x1F\x7F\x9F\uFFFD", -15},
        {u"\uE000\uF8FF", -4}};
    for (const auto& [text, score] : cases)
        EXPECT_EQ(japaneseTextPlausibility(text), score) << text.size();
}

// Text and hex dump files share their reading: a failure leaves the text and
// its result names the message each command shows.
TEST(FileReads, FailuresLeaveTheText) {
    using R = FileResult;
    const std::tuple<const char*, R, FileText, FileText> cases[] = {
        {"open", R::CannotOpen, ReadCannotOpen, HexReadCannotOpen},
        {"size", R::ReadFailed, ReadFailed, HexReadFailed},
        {"read", R::ReadFailed, ReadFailed, HexReadFailed},
        // 4 GB and more: refused before any memory is taken for it.
        {"huge", R::ReadFailed, ReadFailed, HexReadFailed}};
    for (const auto& [step, result, message, hexMessage] : cases) {
        EXPECT_EQ(fileResultMessage(FileCommand::LoadText, result)->text, message);
        EXPECT_EQ(fileResultMessage(FileCommand::ReadHexDump, result)->text, hexMessage);
        FakeFileStore store;
        store.files[u"f"] = "\xFF\xFEx\0"s;
        store.failAt = step;
        std::u16string text = u"keep";
        EXPECT_EQ(ReadTextFile(store, freshService, u"f", text), result) << step;
        EXPECT_EQ(readHexDumpFile(store, u"f", text), result) << step;
        EXPECT_EQ(text, u"keep");
    }
    std::u16string text = u"keep"; // even a text with a mark needs the service
    EXPECT_EQ(decodeTextFile([] { return nullptr; }, "\xFF\xFEx\0"s, text), R::NoConverter);
    EXPECT_EQ(fileResultMessage(FileCommand::LoadText, R::NoConverter)->text, ReadNoConverter);
    EXPECT_EQ(fileResultMessage(FileCommand::LoadText, R::ConversionFailed)->text,
              ReadConversionFailed);
    EXPECT_EQ(fileResultMessage(FileCommand::LoadText, R::NoMemoryForText)->text, ReadUnknown);
    EXPECT_EQ(fileResultMessage(FileCommand::ReadHexDump, R::OutOfMemory)->text,
              HexReadNoMemoryForBytes);
    EXPECT_EQ(fileResultMessage(FileCommand::ReadHexDump, R::NoMemoryForText)->text,
              HexReadNoMemoryForText);
    EXPECT_EQ(fileText(ReadUnknown, Language::English), u"Unknown error.");
}

TEST(FileWrites, FailuresKeepTheOldFile) {
    using R = FileResult;
    const std::tuple<const char*, FileText, FileText> cases[] = {
        {"create", SaveCannotCreate, HexWriteCannotCreate},
        {"write", SaveWriteFailed, HexWriteFailed},
        // Written, but the target cannot be replaced (read-only, locked).
        {"commit", SaveCannotCreate, HexWriteCannotCreate}};
    FakeFileStore store;
    store.files[u"f"] = "old";
    for (const auto& [step, message, hexMessage] : cases) {
        store.failAt = step;
        const FileResult text = WriteTextFileUtf8(store, u"f", u"new");
        const FileResult dump = writeHexDumpFile(store, u"f", u"41");
        EXPECT_EQ(text, dump) << step;
        EXPECT_EQ(fileResultMessage(FileCommand::SaveText, text)->text, message) << step;
        EXPECT_TRUE(fileResultMessage(FileCommand::SaveText, text)->error) << step;
        EXPECT_EQ(fileResultMessage(FileCommand::WriteHexDump, dump)->text, hexMessage) << step;
    }
    EXPECT_EQ(store.files[u"f"], "old");
    // Only a saved text says so, with the information icon.
    const auto saved = fileResultMessage(FileCommand::SaveText, R::Ok);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->text, SaveDone);
    EXPECT_FALSE(saved->error);
    for (FileCommand quiet :
         {FileCommand::LoadText, FileCommand::ReadHexDump, FileCommand::WriteHexDump})
        EXPECT_FALSE(fileResultMessage(quiet, R::Ok));
    EXPECT_EQ(fileResultMessage(FileCommand::SaveText, R::OutOfMemory)->text, SaveOutOfMemory);
    EXPECT_EQ(fileResultMessage(FileCommand::SaveText, R::NoMemoryForText)->text,
              SaveNoMemoryForText);
    EXPECT_EQ(fileResultMessage(FileCommand::SaveText, R::ReadFailed)->text, SaveUnknown);
    EXPECT_EQ(fileResultMessage(FileCommand::WriteHexDump, R::NoMemoryForText)->text,
              HexWriteNoMemoryForText);
}

// Text files are a mark and UTF-8, dumps their bytes; both read back.
TEST(FileWrites, WhatIsWrittenReadsBack) {
    FakeFileStore store;
    const std::u16string written = u"行1\r\n\tline 2 \u00E9\U0001F600";
    EXPECT_EQ(WriteTextFileUtf8(store, u"t", written), FileResult::Ok);
    EXPECT_EQ(store.files[u"t"],
              "\xEF\xBB\xBF\xE8\xA1\x8C\x31\r\n\tline 2 \xC3\xA9\xF0\x9F\x98\x80");
    EXPECT_EQ(writeHexDumpFile(store, u"h", u"00 41 ff\r\n4"), FileResult::Ok);
    EXPECT_EQ(store.files[u"h"], "\0\x41\xFF"s);
    std::u16string text;
    EXPECT_EQ(ReadTextFile(store, freshService, u"t", text), FileResult::Ok);
    EXPECT_EQ(text, written);
    EXPECT_EQ(readHexDumpFile(store, u"h", text), FileResult::Ok);
    EXPECT_EQ(text, u"0041FF");

    EXPECT_EQ(WriteTextFileUtf8(store, u"t", u""), FileResult::Ok);
    EXPECT_EQ(store.files[u"t"], "\xEF\xBB\xBF");
    store.failAt = "write"; // no byte to write: an empty file replaces the old
    EXPECT_EQ(writeHexDumpFile(store, u"h", u"F"), FileResult::Ok);
    EXPECT_EQ(store.files[u"h"], "");
    store.failAt = "read"; // and an empty file is not read at all
    EXPECT_EQ(ReadTextFile(store, freshService, u"h", text), FileResult::Ok);
    EXPECT_EQ(text, u"");
}

// Every byte is two upper-case digits. Back, anything but a digit is skipped
// (letters past F, full-width digits, a prefix's x), so is a lone last digit.
TEST(HexDump, BytesBecomeTwoDigitsAndBack) {
    std::string all;
    for (int i = 0; i < 256; ++i)
        all.push_back(static_cast<char>(i));
    EXPECT_EQ(decodeHexDump(encodeHexDump(all)), all);
    const std::pair<std::u16string_view, std::string> cases[] = {
        {u"4 \r\n1", "\x41"},  {u"aBcD", "\xAB\xCD"}, {u"g1h2", "\x12"},
        {u"\uFF11\uFF12", ""}, {u"0x41", "\x04"},     {u"7", ""}};
    for (const auto& [text, bytes] : cases)
        EXPECT_EQ(decodeHexDump(text), bytes) << text.size();
}

// Drives and shares take the long form, whose characters are taken as they
// stand: separators become the platform's own first. Other paths stay.
TEST(ExtendedLengthPath, DrivesAndSharesTakeTheLongForm) {
    const std::pair<std::u16string_view, std::u16string_view> cases[] = {
        {u"A:\\", u"\\\\?\\A:\\"},          {u"Z:\\x", u"\\\\?\\Z:\\x"},
        {u"a:\\x", u"\\\\?\\a:\\x"},        {u"z:\\x", u"\\\\?\\z:\\x"},
        {u"\\\\s\\x", u"\\\\?\\UNC\\s\\x"}, {u"C:/d/t", u"\\\\?\\C:\\d\\t"}};
    for (const auto& [path, expected] : cases)
        EXPECT_EQ(extendedLengthPath(path), expected);
    for (std::u16string_view same :
         {u"\\\\?\\C:\\x", u"\\\\.\\COM1", u"rel/t", u"C:rel", u"1:\\x", u""})
        EXPECT_EQ(extendedLengthPath(same), same);
}
