#include "fake_code_page_service.h"
#include "fake_file_store.h"
#include "files/file_texts.h"
#include "files/text_file.h"

#include <gtest/gtest.h>

using namespace tapwell;
using namespace tapwell::testing;

namespace {

std::string bytes(std::initializer_list<unsigned char> list) {
    return std::string(list.begin(), list.end());
}

std::unique_ptr<CodePageService> freshService() {
    return std::make_unique<FakeCodePageService>();
}

} // namespace

TEST(TextDecoding, ByteOrderMarksDecideWithoutAskingTheService) {
    FakeCodePageService service;
    service.detected = 932;
    const std::pair<std::string, std::u16string> cases[] = {
        {bytes({0xFF, 0xFE, 'A', 0, 0x42, 0x30}), u"A\u3042"},
        {bytes({0xFE, 0xFF, 0, 'A', 0x30, 0x42}), u"A\u3042"},
        {bytes({0xEF, 0xBB, 0xBF, 'o', 'k', 0xE3, 0x81, 0x82}), u"ok\u3042"},
        {bytes({0xFF, 0xFE, 0x3D, 0xD8, 0x00, 0xDE}), u"\U0001F600"},
        {bytes({0xFE, 0xFF, 0xD8, 0x3D, 0xDE, 0x00}), u"\U0001F600"},
        {bytes({0xFF, 0xFE}), u""},
        {bytes({0xEF, 0xBB, 0xBF}), u""},
        {"", u""},
        // A trailing odd byte cannot form a unit and is dropped.
        {bytes({0xFF, 0xFE, 'A', 0, 'B'}), u"A"},
        {bytes({0xFE, 0xFF, 0, 'A', 0}), u"A"},
        {bytes({0xFF, 0xFE, 'A'}), u""},
        // The first zero character ends the text.
        {bytes({0xFF, 0xFE, 'A', 0, 0, 0, 'B', 0}), u"A"},
        {bytes({0xFE, 0xFF, 0, 'A', 0, 0, 0, 'B'}), u"A"},
        {bytes({0xEF, 0xBB, 0xBF, 'x', 0, 'y'}), u"x"},
    };
    for (const auto& [content, expected] : cases) {
        std::u16string text = u"old";
        EXPECT_EQ(decodeTextFileBytes(service, content, text), 0u);
        EXPECT_EQ(text, expected);
    }
    EXPECT_EQ(service.detectCalls, 0);
    EXPECT_EQ(service.convertCalls, 0);
}

TEST(TextDecoding, DetectedCodePageIsTrustedAndConvertedByTheService) {
    FakeCodePageService service;
    service.detected = 932;
    service.known[{932, "\x82\xA0"}] = u"\u3042";
    service.known[{932, std::string("a\0b", 3)}] = std::u16string(u"a\0b", 3);
    service.known[{1252, "\xC3\xA9"}] = u"\u00C3\u00A9";
    std::u16string text;
    EXPECT_EQ(decodeTextFileBytes(service, "\x82\xA0", text), 0u);
    EXPECT_EQ(text, u"\u3042");
    EXPECT_EQ(decodeTextFileBytes(service, std::string("a\0b", 3), text), 0u);
    EXPECT_EQ(text, u"a");
    // Even bytes that would also be valid UTF-8.
    service.detected = 1252;
    EXPECT_EQ(decodeTextFileBytes(service, "\xC3\xA9", text), 0u);
    EXPECT_EQ(text, u"\u00C3\u00A9");
    EXPECT_EQ(service.convertCalls, 3);
    EXPECT_TRUE(service.strictCalls.empty());

    service.failConvert = true;
    EXPECT_EQ(decodeTextFileBytes(service, "\xC3\xA9", text), kReadTextConversionFailed);
    EXPECT_EQ(text, u"\u00C3\u00A9");
}

// Detection fails (everywhere on some systems, on short texts elsewhere):
// valid UTF-8 is UTF-8, even where CP932 would accept the bytes too.
TEST(TextDecoding, UndetectedValidUtf8IsTakenAsUtf8) {
    FakeCodePageService service;
    service.known[{932, "\xE3\x81\x82"}] = u"\u7E3A\uFF82";
    const std::pair<std::string, std::u16string> cases[] = {
        {"plain text\r\nwith two lines", u"plain text\r\nwith two lines"},
        {"\xE3\x81\x82", u"\u3042"},
        {std::string("ab\0cd", 5), u"ab"},
    };
    for (const auto& [content, expected] : cases) {
        std::u16string text;
        EXPECT_EQ(decodeTextFileBytes(service, content, text), 0u);
        EXPECT_EQ(text, expected);
    }
    EXPECT_TRUE(service.strictCalls.empty());
}

// Otherwise the most plausible strict decoding wins: Japanese beats what the
// ANSI code page makes of the same bytes.
TEST(TextDecoding, UndetectedJapaneseTextLoads) {
    const struct {
        std::string bytes;
        std::u16string expected;
        std::map<std::uint32_t, std::u16string> decodings;
    } samples[] = {
        {"\x82\xA0\x82\xA2", u"あい", {{932, u"あい"}, {1252, u"\u201A\u00A0\u201A\u00A2"}}},
        {"\x8A\xBF\x8E\x9A", u"漢字", {{932, u"漢字"}, {1252, u"\u0160\u00BF\u017D\u0161"}}},
        // Also valid CP932, as four half-width katakana.
        {"\xA4\xA2\xA4\xA4",
         u"あい",
         {{932, u"\uFF64\uFF62\uFF64\uFF64"},
          {20932, u"あい"},
          {1252, u"\u00A4\u00A2\u00A4\u00A4"}}},
        {"\xB4\xC1\xBB\xFA", u"漢字", {{20932, u"漢字"}, {1252, u"\u00B4\u00C1\u00BB\u00FA"}}},
        {"caf\xE9 au lait", u"caf\u00E9 au lait", {{1252, u"caf\u00E9 au lait"}}},
    };
    for (const auto& sample : samples) {
        SCOPED_TRACE(sample.bytes);
        FakeCodePageService service;
        for (const auto& [cp, text] : sample.decodings)
            service.known[{cp, sample.bytes}] = text;
        std::u16string text;
        EXPECT_EQ(decodeTextFileBytes(service, sample.bytes, text), 0u);
        EXPECT_EQ(text, sample.expected);
    }
}

TEST(TextDecoding, CandidatesAreTriedOnceInOrderAndTheEarlierWinsATie) {
    FakeCodePageService service;
    // None decodes: UTF-8 with replacement characters.
    EXPECT_EQ(decodeUndetectedText(service, "a\xFF"), u"a\uFFFD");
    EXPECT_EQ(service.strictCalls, (std::vector<std::uint32_t>{932, 20932, 1252}));

    service.known[{932, "\x80"}] = u"x";
    service.known[{1252, "\x80"}] = u"y";
    EXPECT_EQ(decodeUndetectedText(service, "\x80"), u"x");
    service.known[{20932, "\x80"}] = u"\u3042";
    EXPECT_EQ(decodeUndetectedText(service, "\x80"), u"\u3042");

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
        {u"\u2FFF\u3100\u4DFF\uA000\uFB00\uFF00\uFFA0\uFFDF\uFFE7 ~\u00A0", 0},
        {u"\uFF61\uFF9F", -2},
        {u"\x01\x1F\x7F\x9F\uFFFD", -15},
        {u"\uE000\uF8FF", -4},
        {u"a\r\n\tb", 0},
    };
    for (const auto& [text, score] : cases)
        EXPECT_EQ(japaneseTextPlausibility(text), score) << text.size();
}

TEST(TextFile, ReadFailuresLeaveTheText) {
    FakeFileStore store;
    store.files[u"in.txt"] = "abc";
    std::u16string text = u"keep";
    EXPECT_EQ(ReadTextFile(store, freshService, u"missing.txt", text), kReadTextCannotOpen);
    for (const char* step : {"size", "read"}) {
        store.failAt = step;
        EXPECT_EQ(ReadTextFile(store, freshService, u"in.txt", text), kReadTextReadFailed);
    }
    store.failAt = "";
    // 4 GB and more cannot be held in a 32-bit size: refused before any
    // memory is taken for it.
    store.reportedSize = 0x100000000ull;
    EXPECT_EQ(ReadTextFile(store, freshService, u"in.txt", text), kReadTextReadFailed);
    store.reportedSize.reset();
    auto none = [] { return std::unique_ptr<CodePageService>(); };
    EXPECT_EQ(ReadTextFile(store, none, u"in.txt", text), kReadTextNoConverter);
    store.files[u"in.txt"] = bytes({0xFF, 0xFE, 'A', 0});
    EXPECT_EQ(ReadTextFile(store, none, u"in.txt", text), kReadTextNoConverter);
    EXPECT_EQ(text, u"keep");

    // An empty file is not read at all.
    store.files[u"in.txt"] = "";
    store.failAt = "read";
    EXPECT_EQ(ReadTextFile(store, freshService, u"in.txt", text), kReadTextOk);
    EXPECT_EQ(text, u"");
}

TEST(TextFile, WritesMarkThenUtf8AndReadsBackAsWritten) {
    FakeFileStore store;
    EXPECT_EQ(WriteTextFileUtf8(store, u"t.txt", u""), kWriteTextOk);
    EXPECT_EQ(store.files[u"t.txt"], "\xEF\xBB\xBF");
    EXPECT_EQ(WriteTextFileUtf8(store, u"t.txt", u"\u3042\r\n\U0001F600"), kWriteTextOk);
    EXPECT_EQ(store.files[u"t.txt"], "\xEF\xBB\xBF\xE3\x81\x82\r\n\xF0\x9F\x98\x80");

    const std::u16string text = u"行1\r\n\tline 2 \u00E9\U0001F600";
    ASSERT_EQ(WriteTextFileUtf8(store, u"t.txt", text), kWriteTextOk);
    std::u16string back;
    EXPECT_EQ(ReadTextFile(store, freshService, u"t.txt", back), kReadTextOk);
    EXPECT_EQ(back, text);
}

TEST(TextFile, FailedWritesKeepTheOldFile) {
    FakeFileStore store;
    store.files[u"t.txt"] = "old";
    const std::pair<const char*, unsigned> cases[] = {
        {"create", kWriteTextCannotCreate},
        {"write", kWriteTextWriteFailed},
        // The text is written but cannot replace the target (read-only, locked).
        {"commit", kWriteTextCannotCreate}};
    for (const auto& [step, code] : cases) {
        store.failAt = step;
        EXPECT_EQ(WriteTextFileUtf8(store, u"t.txt", u"new"), code) << step;
    }
    EXPECT_EQ(store.files[u"t.txt"], "old");
}

TEST(TextFile, ResultCodesNameTheirMessages) {
    const std::pair<unsigned, FileText> reads[] = {
        {kReadTextCannotOpen, FileText::ReadCannotOpen},
        {kReadTextReadFailed, FileText::ReadFailed},
        {kReadTextOutOfMemory, FileText::ReadOutOfMemory},
        {kReadTextNoConverter, FileText::ReadNoConverter},
        {kReadTextConversionFailed, FileText::ReadConversionFailed},
        {3, FileText::ReadUnknown},
        {7, FileText::ReadUnknown},
    };
    for (const auto& [code, text] : reads)
        EXPECT_EQ(readErrorText(code), text) << code;
    const std::pair<unsigned, FileText> saves[] = {
        {kWriteTextOk, FileText::SaveDone},
        {kWriteTextCannotCreate, FileText::SaveCannotCreate},
        {kWriteTextWriteFailed, FileText::SaveWriteFailed},
        {kWriteTextOutOfMemory, FileText::SaveOutOfMemory},
        {2, FileText::SaveUnknown},
    };
    for (const auto& [code, text] : saves)
        EXPECT_EQ(saveResultText(code), text) << code;
}
