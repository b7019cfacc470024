#include "files/hex_dump.h"
#include "fake_file_store.h"

#include <gtest/gtest.h>

using namespace tapwell;
using namespace tapwell::testing;

TEST(HexDumpCodec, EncodesEveryByteAsTwoUpperCaseDigits) {
    EXPECT_EQ(EncodeHexDump(std::string("\x00\x41\xFF", 3)), u"0041FF");
    EXPECT_EQ(EncodeHexDump(""), u"");
    std::string all;
    for (int i = 0; i < 256; ++i)
        all.push_back(static_cast<char>(i));
    auto text = EncodeHexDump(all);
    ASSERT_EQ(text.size(), 512u);
    EXPECT_EQ(text.substr(0, 6), u"000102");
    EXPECT_EQ(text.substr(0x9A * 2, 4), u"9A9B");
    EXPECT_EQ(text.substr(506), u"FDFEFF");
    EXPECT_EQ(DecodeHexDump(text), all);
}

TEST(HexDumpCodec, PairsDigitsAcrossAnythingElse) {
    EXPECT_EQ(DecodeHexDump(u"00 41 ff\r\n4"), std::string("\x00\x41\xFF", 3));
    EXPECT_EQ(DecodeHexDump(u"4 1"), "\x41");
    EXPECT_EQ(DecodeHexDump(u"4\r\n1"), "\x41");
    EXPECT_EQ(DecodeHexDump(u"aBcD"), "\xAB\xCD");
    // Not hex digits: letters past F, full-width digits, a 0x prefix's x.
    EXPECT_EQ(DecodeHexDump(u"g1h2"), "\x12");
    EXPECT_EQ(DecodeHexDump(u"\uFF11\uFF12"), "");
    EXPECT_EQ(DecodeHexDump(u"0x41"), "\x04");
    EXPECT_EQ(DecodeHexDump(u"7"), "");
    EXPECT_EQ(DecodeHexDump(u""), "");
}

TEST(HexDumpFiles, ReadShowsTheBytes) {
    FakeFileStore store;
    store.files[u"a.bin"] = std::string("\x00\x41\xFF", 3);
    std::u16string text = u"old";
    EXPECT_EQ(ReadHexDumpFile(store, u"a.bin", text), HexReadResult::Ok);
    EXPECT_EQ(text, u"0041FF");

    store.files[u"empty.bin"] = "";
    EXPECT_EQ(ReadHexDumpFile(store, u"empty.bin", text), HexReadResult::Ok);
    EXPECT_EQ(text, u"");
}

TEST(HexDumpFiles, ReadFailuresLeaveTheText) {
    FakeFileStore store;
    store.files[u"a.bin"] = "abc";
    std::u16string text = u"keep";
    EXPECT_EQ(ReadHexDumpFile(store, u"none.bin", text), HexReadResult::CannotOpen);
    store.failRead = true;
    EXPECT_EQ(ReadHexDumpFile(store, u"a.bin", text), HexReadResult::ReadFailed);
    store.failRead = false;
    store.reportedSize = 0x100000000ull;
    EXPECT_EQ(ReadHexDumpFile(store, u"a.bin", text), HexReadResult::ReadFailed);
    EXPECT_EQ(text, u"keep");
}

TEST(HexDumpFiles, WriteTurnsDigitsIntoBytes) {
    FakeFileStore store;
    EXPECT_EQ(WriteHexDumpFile(store, u"o.bin", u"00 41 ff\r\n4"), HexWriteResult::Ok);
    EXPECT_EQ(store.files[u"o.bin"], std::string("\x00\x41\xFF", 3));

    EXPECT_EQ(WriteHexDumpFile(store, u"o.bin", u""), HexWriteResult::Ok);
    ASSERT_TRUE(store.files.count(u"o.bin"));
    EXPECT_EQ(store.files[u"o.bin"], "");

    // Only a lone digit: still an empty file, no leftover of the old one.
    store.files[u"p.bin"] = "old";
    EXPECT_EQ(WriteHexDumpFile(store, u"p.bin", u"F"), HexWriteResult::Ok);
    EXPECT_EQ(store.files[u"p.bin"], "");
}

TEST(HexDumpFiles, FailedWriteKeepsTheOldFile) {
    FakeFileStore store;
    store.files[u"o.bin"] = "old";
    store.writableBytes = 1;
    EXPECT_EQ(WriteHexDumpFile(store, u"o.bin", u"414243"), HexWriteResult::WriteFailed);
    store.writableBytes = SIZE_MAX;
    store.failCreate = true;
    EXPECT_EQ(WriteHexDumpFile(store, u"o.bin", u"41"), HexWriteResult::CannotCreate);
    store.failCreate = false;
    store.failCommit = true;
    EXPECT_EQ(WriteHexDumpFile(store, u"o.bin", u"41"), HexWriteResult::CannotCreate);
    EXPECT_EQ(store.files[u"o.bin"], "old");
    EXPECT_EQ(store.replacementsAlive, 0);
}
