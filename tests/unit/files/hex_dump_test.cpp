#include "fake_file_store.h"
#include "files/hex_dump.h"

#include <gtest/gtest.h>

using namespace tapwell;
using namespace tapwell::testing;

TEST(HexDumpCodec, EncodesEveryByteAsTwoUpperCaseDigits) {
    EXPECT_EQ(encodeHexDump(std::string("\x00\x41\xFF", 3)), u"0041FF");
    EXPECT_EQ(encodeHexDump(""), u"");
    std::string all;
    for (int i = 0; i < 256; ++i)
        all.push_back(static_cast<char>(i));
    auto text = encodeHexDump(all);
    ASSERT_EQ(text.size(), 512u);
    EXPECT_EQ(text.substr(0, 6), u"000102");
    EXPECT_EQ(text.substr(0x9A * 2, 4), u"9A9B");
    EXPECT_EQ(text.substr(506), u"FDFEFF");
    EXPECT_EQ(decodeHexDump(text), all);
}

TEST(HexDumpCodec, PairsDigitsAcrossAnythingElse) {
    EXPECT_EQ(decodeHexDump(u"00 41 ff\r\n4"), std::string("\x00\x41\xFF", 3));
    EXPECT_EQ(decodeHexDump(u"4 1"), "\x41");
    EXPECT_EQ(decodeHexDump(u"4\r\n1"), "\x41");
    EXPECT_EQ(decodeHexDump(u"aBcD"), "\xAB\xCD");
    // Not hex digits: letters past F, full-width digits, a 0x prefix's x.
    EXPECT_EQ(decodeHexDump(u"g1h2"), "\x12");
    EXPECT_EQ(decodeHexDump(u"\uFF11\uFF12"), "");
    EXPECT_EQ(decodeHexDump(u"0x41"), "\x04");
    EXPECT_EQ(decodeHexDump(u"7"), "");
    EXPECT_EQ(decodeHexDump(u""), "");
}

TEST(HexDumpFiles, ReadShowsTheBytes) {
    FakeFileStore store;
    store.files[u"a.bin"] = std::string("\x00\x41\xFF", 3);
    std::u16string text = u"old";
    EXPECT_EQ(readHexDumpFile(store, u"a.bin", text), HexReadResult::Ok);
    EXPECT_EQ(text, u"0041FF");

    store.files[u"empty.bin"] = "";
    EXPECT_EQ(readHexDumpFile(store, u"empty.bin", text), HexReadResult::Ok);
    EXPECT_EQ(text, u"");
}

TEST(HexDumpFiles, ReadFailuresLeaveTheText) {
    FakeFileStore store;
    store.files[u"a.bin"] = "abc";
    std::u16string text = u"keep";
    EXPECT_EQ(readHexDumpFile(store, u"none.bin", text), HexReadResult::CannotOpen);
    store.failRead = true;
    EXPECT_EQ(readHexDumpFile(store, u"a.bin", text), HexReadResult::ReadFailed);
    store.failRead = false;
    store.reportedSize = 0x100000000ull;
    EXPECT_EQ(readHexDumpFile(store, u"a.bin", text), HexReadResult::ReadFailed);
    EXPECT_EQ(text, u"keep");
}

TEST(HexDumpFiles, WriteTurnsDigitsIntoBytes) {
    FakeFileStore store;
    EXPECT_EQ(writeHexDumpFile(store, u"o.bin", u"00 41 ff\r\n4"), HexWriteResult::Ok);
    EXPECT_EQ(store.files[u"o.bin"], std::string("\x00\x41\xFF", 3));

    EXPECT_EQ(writeHexDumpFile(store, u"o.bin", u""), HexWriteResult::Ok);
    ASSERT_TRUE(store.files.count(u"o.bin"));
    EXPECT_EQ(store.files[u"o.bin"], "");

    // Only a lone digit: still an empty file, no leftover of the old one.
    store.files[u"p.bin"] = "old";
    EXPECT_EQ(writeHexDumpFile(store, u"p.bin", u"F"), HexWriteResult::Ok);
    EXPECT_EQ(store.files[u"p.bin"], "");
}

TEST(HexDumpFiles, FailedWriteKeepsTheOldFile) {
    FakeFileStore store;
    store.files[u"o.bin"] = "old";
    store.writableBytes = 1;
    EXPECT_EQ(writeHexDumpFile(store, u"o.bin", u"414243"), HexWriteResult::WriteFailed);
    store.writableBytes = SIZE_MAX;
    store.failCreate = true;
    EXPECT_EQ(writeHexDumpFile(store, u"o.bin", u"41"), HexWriteResult::CannotCreate);
    store.failCreate = false;
    store.failCommit = true;
    EXPECT_EQ(writeHexDumpFile(store, u"o.bin", u"41"), HexWriteResult::CannotCreate);
    EXPECT_EQ(store.files[u"o.bin"], "old");
    EXPECT_EQ(store.replacementsAlive, 0);
}
