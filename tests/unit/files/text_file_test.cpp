#include "fake_code_page_service.h"
#include "fake_file_store.h"
#include "files/text_file.h"
#include "files/text_file_decoding.h"

#include <gtest/gtest.h>

using namespace tapwell;
using namespace tapwell::testing;

namespace {

std::string bytes(std::initializer_list<unsigned char> list) {
    return std::string(list.begin(), list.end());
}

// Forwards to a service that outlives the read, so a test can look at what
// the reader asked of it.
struct Forwarder : CodePageService {
    FakeCodePageService& to;
    explicit Forwarder(FakeCodePageService& t) : to(t) {}
    std::optional<std::uint32_t> detectCodePage(std::string_view b) override {
        return to.detectCodePage(b);
    }
    std::optional<std::u16string> convert(std::uint32_t cp, std::string_view b) override {
        return to.convert(cp, b);
    }
    std::optional<std::u16string> decodeStrict(std::uint32_t cp, std::string_view b) override {
        return to.decodeStrict(cp, b);
    }
    std::uint32_t ansiCodePage() override { return to.ansiCodePage(); }
};

struct ReadFixture : ::testing::Test {
    FakeFileStore store;
    FakeCodePageService service;
    bool serviceAvailable = true;

    CodePageServiceFactory factory() {
        return [this]() -> std::unique_ptr<CodePageService> {
            if (!serviceAvailable)
                return nullptr;
            return std::make_unique<Forwarder>(service);
        };
    }

    unsigned read(const std::string& content, std::u16string& text) {
        store.files[u"in.txt"] = content;
        return ReadTextFile(store, factory(), u"in.txt", text);
    }
};

} // namespace

TEST_F(ReadFixture, ByteOrderMarksDecideWithoutAskingTheService) {
    service.detected = 932;
    struct Case {
        std::string content;
        std::u16string text;
    } cases[] = {
        {bytes({0xFF, 0xFE, 'A', 0, 0x42, 0x30}), u"A\u3042"},
        {bytes({0xFE, 0xFF, 0, 'A', 0x30, 0x42}), u"A\u3042"},
        {bytes({0xEF, 0xBB, 0xBF, 'o', 'k', 0xE3, 0x81, 0x82}), u"ok\u3042"},
        // a surrogate pair survives both byte orders
        {bytes({0xFF, 0xFE, 0x3D, 0xD8, 0x00, 0xDE}), u"\U0001F600"},
        {bytes({0xFE, 0xFF, 0xD8, 0x3D, 0xDE, 0x00}), u"\U0001F600"},
        // only a mark
        {bytes({0xFF, 0xFE}), u""},
        {bytes({0xEF, 0xBB, 0xBF}), u""},
    };
    for (const auto& c : cases) {
        std::u16string text = u"old";
        EXPECT_EQ(read(c.content, text), 0u);
        EXPECT_EQ(text, c.text);
    }
    EXPECT_EQ(service.detectCalls, 0);
    EXPECT_EQ(service.convertCalls, 0);
}

TEST_F(ReadFixture, OddLengthUtf16DropsTheHalfCharacter) {
    std::u16string text;
    EXPECT_EQ(read(bytes({0xFF, 0xFE, 'A', 0, 'B'}), text), 0u);
    EXPECT_EQ(text, u"A");
    EXPECT_EQ(read(bytes({0xFE, 0xFF, 0, 'A', 0}), text), 0u);
    EXPECT_EQ(text, u"A");
    EXPECT_EQ(read(bytes({0xFF, 0xFE, 'A'}), text), 0u);
    EXPECT_EQ(text, u"");
}

TEST_F(ReadFixture, ZeroCharacterEndsTheText) {
    std::u16string text;
    EXPECT_EQ(read(bytes({0xFF, 0xFE, 'A', 0, 0, 0, 'B', 0}), text), 0u);
    EXPECT_EQ(text, u"A");
    EXPECT_EQ(read(bytes({0xFE, 0xFF, 0, 'A', 0, 0, 0, 'B'}), text), 0u);
    EXPECT_EQ(text, u"A");
    EXPECT_EQ(read(bytes({0xEF, 0xBB, 0xBF, 'x', 0, 'y'}), text), 0u);
    EXPECT_EQ(text, u"x");
    EXPECT_EQ(read(std::string("ab\0cd", 5), text), 0u);
    EXPECT_EQ(text, u"ab");
}

TEST_F(ReadFixture, DetectedCodePageGoesThroughTheServiceConversion) {
    const auto sample = japaneseSamples()[0]; // Shift_JIS
    teach(service, sample);
    service.detected = 932;
    std::u16string text;
    EXPECT_EQ(read(sample.bytes, text), 0u);
    EXPECT_EQ(text, sample.expected);
    EXPECT_EQ(service.convertCalls, 1);
    EXPECT_TRUE(service.strictCalls.empty());

    // Detection is trusted even for bytes that would also be valid UTF-8.
    service.detected = 1252;
    service.known[{1252, "\xC3\xA9"}] = u"\u00C3\u00A9";
    EXPECT_EQ(read("\xC3\xA9", text), 0u);
    EXPECT_EQ(text, u"\u00C3\u00A9");
}

TEST_F(ReadFixture, FailingConversionLeavesTheTextAlone) {
    service.detected = 932;
    service.failConvert = true;
    std::u16string text = u"keep";
    EXPECT_EQ(read("abc", text), 6u);
    EXPECT_EQ(text, u"keep");
}

TEST_F(ReadFixture, ResultCodesOfTheSteps) {
    std::u16string text = u"keep";
    EXPECT_EQ(ReadTextFile(store, factory(), u"missing.txt", text), 1u);

    store.failRead = true;
    EXPECT_EQ(read("abc", text), 2u);
    store.failRead = false;

    store.failSize = true;
    EXPECT_EQ(read("abc", text), 2u);
    store.failSize = false;

    // 4 GB and more cannot be held in a 32-bit size: refused before any
    // memory is taken for it.
    store.reportedSize = 0x100000000ull;
    EXPECT_EQ(read("abc", text), 2u);
    store.reportedSize.reset();

    serviceAvailable = false;
    EXPECT_EQ(read("abc", text), 5u);
    EXPECT_EQ(read(bytes({0xFF, 0xFE, 'A', 0}), text), 5u);
    EXPECT_EQ(text, u"keep");
    serviceAvailable = true;

    EXPECT_EQ(read("", text), 0u);
    EXPECT_EQ(text, u"");
}

// Detection fails (as it does everywhere on some systems and on short texts
// elsewhere): the strict decodings decide.
struct FallbackTest : ::testing::TestWithParam<EncodedSample> {};

TEST_P(FallbackTest, UndetectedJapaneseTextLoads) {
    FakeCodePageService service;
    teach(service, GetParam());
    std::u16string text;
    EXPECT_EQ(decodeTextFileBytes(service, GetParam().bytes, text), 0u);
    EXPECT_EQ(text, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Samples, FallbackTest, ::testing::ValuesIn(japaneseSamples()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Fallback, ValidUtf8IsTakenAsUtf8WithoutStrictDecoding) {
    FakeCodePageService service;
    // Even when CP932 would accept the bytes as well.
    service.known[{932, "\xE3\x81\x82"}] = u"\u7E3A\uFF82";
    struct {
        std::string bytes;
        std::u16string text;
    } cases[] = {
        {"ab", u"ab"},
        {"plain ASCII text\r\nwith two lines", u"plain ASCII text\r\nwith two lines"},
        {"\xE3\x81\x82", u"\u3042"},
        {"\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xA7\xE3\x81\x99", u"日本語です"},
    };
    for (const auto& c : cases) {
        std::u16string text;
        EXPECT_EQ(decodeTextFileBytes(service, c.bytes, text), 0u);
        EXPECT_EQ(text, c.text);
    }
    EXPECT_TRUE(service.strictCalls.empty());
}

TEST(Fallback, NothingDecodesStrictlyGivesUtf8WithReplacement) {
    FakeCodePageService service;
    std::u16string text;
    EXPECT_EQ(decodeTextFileBytes(service,
                                  "a\xFF"
                                  "b",
                                  text),
              0u);
    EXPECT_EQ(text, u"a\uFFFD"
                    u"b");
    EXPECT_EQ(service.strictCalls, (std::vector<std::uint32_t>{932, 20932, 1252}));
}

TEST(Fallback, AnsiCodePageAlreadyTriedIsNotTriedTwice) {
    FakeCodePageService service;
    service.ansi = 932;
    service.known[{932, "\x82\xA0"}] = u"\u3042";
    EXPECT_EQ(decodeUndetectedText(service, "\x82\xA0"), u"\u3042");
    EXPECT_EQ(service.strictCalls, (std::vector<std::uint32_t>{932, 20932}));
}

TEST(Fallback, EarlierCandidateWinsATie) {
    FakeCodePageService service;
    service.known[{932, "\x80"}] = u"x";
    service.known[{1252, "\x80"}] = u"y";
    EXPECT_EQ(decodeUndetectedText(service, "\x80"), u"x");
    service.known[{20932, "\x80"}] = u"\u3042";
    EXPECT_EQ(decodeUndetectedText(service, "\x80"), u"\u3042");
}

TEST(Plausibility, FullWidthForItHalfWidthAndControlsAgainst) {
    EXPECT_GT(japaneseTextPlausibility(u"あい"), japaneseTextPlausibility(u"ab"));
    EXPECT_GT(japaneseTextPlausibility(u"漢字"),
              japaneseTextPlausibility(u"\uFF64\uFF62\uFF64\uFF64"));
    EXPECT_GT(japaneseTextPlausibility(u"ＡＢ。"), 0);
    EXPECT_LT(japaneseTextPlausibility(u"\uFF71"), japaneseTextPlausibility(u"a"));
    EXPECT_LT(japaneseTextPlausibility(u"a\x01"), japaneseTextPlausibility(u"a"));
    EXPECT_LT(japaneseTextPlausibility(u"\u0085"), japaneseTextPlausibility(u"a"));
    EXPECT_LT(japaneseTextPlausibility(u"\uE000"), japaneseTextPlausibility(u"a"));
    EXPECT_LT(japaneseTextPlausibility(u"\uFFFD"), japaneseTextPlausibility(u"a"));
    // Line breaks and tabs are ordinary text.
    EXPECT_EQ(japaneseTextPlausibility(u"a\r\n\tb"), japaneseTextPlausibility(u"ab"));
}

TEST(WriteTextFile, WritesMarkThenUtf8) {
    FakeFileStore store;
    EXPECT_EQ(WriteTextFileUtf8(store, u"out.txt", u"abc"), 0u);
    EXPECT_EQ(store.files[u"out.txt"], "\xEF\xBB\xBF"
                                       "abc");

    EXPECT_EQ(WriteTextFileUtf8(store, u"out.txt", u"あ\r\n\U0001F600"), 0u);
    EXPECT_EQ(store.files[u"out.txt"], "\xEF\xBB\xBF\xE3\x81\x82\r\n\xF0\x9F\x98\x80");

    EXPECT_EQ(WriteTextFileUtf8(store, u"out.txt", u""), 0u);
    EXPECT_EQ(store.files[u"out.txt"], "\xEF\xBB\xBF");
}

TEST(WriteTextFile, FailuresKeepTheOldFile) {
    FakeFileStore store;
    store.files[u"out.txt"] = "old content";

    store.failCreate = true;
    EXPECT_EQ(WriteTextFileUtf8(store, u"out.txt", u"new"), 1u);
    store.failCreate = false;

    store.writableBytes = 4; // the mark fits, the text does not
    EXPECT_EQ(WriteTextFileUtf8(store, u"out.txt", u"new text"), 3u);
    store.writableBytes = SIZE_MAX;

    store.failCommit = true;
    EXPECT_EQ(WriteTextFileUtf8(store, u"out.txt", u"new"), 1u);
    store.failCommit = false;

    EXPECT_EQ(store.files[u"out.txt"], "old content");
    EXPECT_EQ(store.replacementsAlive, 0);
}

TEST(WriteTextFile, WhatIsWrittenReadsBack) {
    FakeFileStore store;
    const std::u16string text = u"行1\r\n\tline 2 \u00E9\U0001F600";
    ASSERT_EQ(WriteTextFileUtf8(store, u"t.txt", text), 0u);
    std::u16string back;
    EXPECT_EQ(ReadTextFile(
                  store, [] { return std::make_unique<FakeCodePageService>(); }, u"t.txt", back),
              0u);
    EXPECT_EQ(back, text);
}
