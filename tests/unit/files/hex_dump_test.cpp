#include "fake_file_store.h"
#include "files/hex_dump.h"

#include <gtest/gtest.h>

using namespace tapwell;
using namespace tapwell::testing;

TEST(HexDump, EveryByteRoundTripsAsTwoUpperCaseDigits) {
    std::string all;
    for (int i = 0; i < 256; ++i)
        all.push_back(static_cast<char>(i));
    const std::u16string text = encodeHexDump(all);
    ASSERT_EQ(text.size(), 512u);
    EXPECT_EQ(text.substr(0, 6), u"000102");
    EXPECT_EQ(text.substr(0x9A * 2, 4), u"9A9B");
    EXPECT_EQ(text.substr(506), u"FDFEFF");
    EXPECT_EQ(decodeHexDump(text), all);
}

TEST(HexDump, DigitsPairUpAcrossAnythingElse) {
    const std::pair<std::u16string_view, std::string> cases[] = {
        {u"00 41 ff\r\n4", std::string("\x00\x41\xFF", 3)}, // a lone last digit is dropped
        {u"4 \r\n1", "\x41"},
        {u"aBcD", "\xAB\xCD"},
        {u"g1h2", "\x12"},     // letters past F
        {u"\uFF11\uFF12", ""}, // full-width digits
        {u"0x41", "\x04"},     // a prefix's x is no digit either
        {u"", ""},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(decodeHexDump(text), expected) << text.size();
}

TEST(HexDumpFile, ReadShowsTheBytesAndFailuresLeaveTheText) {
    FakeFileStore store;
    store.files[u"a.bin"] = std::string("\x00\x41\xFF", 3);
    std::u16string text = u"old";
    EXPECT_EQ(readHexDumpFile(store, u"none.bin", text), HexReadResult::CannotOpen);
    store.failAt = "read";
    EXPECT_EQ(readHexDumpFile(store, u"a.bin", text), HexReadResult::ReadFailed);
    store.failAt = "";
    store.reportedSize = 0x100000000ull; // 4 GB
    EXPECT_EQ(readHexDumpFile(store, u"a.bin", text), HexReadResult::ReadFailed);
    EXPECT_EQ(text, u"old");
    store.reportedSize.reset();
    EXPECT_EQ(readHexDumpFile(store, u"a.bin", text), HexReadResult::Ok);
    EXPECT_EQ(text, u"0041FF");
    store.files[u"a.bin"] = "";
    EXPECT_EQ(readHexDumpFile(store, u"a.bin", text), HexReadResult::Ok);
    EXPECT_EQ(text, u"");
}

TEST(HexDumpFile, WriteTurnsDigitsIntoBytesAndFailuresKeepTheOldFile) {
    FakeFileStore store;
    store.files[u"o.bin"] = "old";
    const std::pair<const char*, HexWriteResult> failures[] = {
        {"create", HexWriteResult::CannotCreate},
        {"write", HexWriteResult::WriteFailed},
        {"commit", HexWriteResult::CannotCreate}};
    for (const auto& [step, result] : failures) {
        store.failAt = step;
        EXPECT_EQ(writeHexDumpFile(store, u"o.bin", u"41"), result) << step;
    }
    EXPECT_EQ(store.files[u"o.bin"], "old");
    // No byte to write: an empty file, nothing left of the old one.
    store.failAt = "write";
    EXPECT_EQ(writeHexDumpFile(store, u"o.bin", u"F"), HexWriteResult::Ok);
    EXPECT_EQ(store.files[u"o.bin"], "");
    store.failAt = "";
    EXPECT_EQ(writeHexDumpFile(store, u"o.bin", u"00 41 ff\r\n4"), HexWriteResult::Ok);
    EXPECT_EQ(store.files[u"o.bin"], std::string("\x00\x41\xFF", 3));
}
