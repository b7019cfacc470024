#include "common/clipboard.h"
#include "common/leaf_helpers.h"
#include "common/utf.h"

#include <gtest/gtest.h>

using namespace tapwell;
using namespace std::string_literals;

// Each ill-formed stretch (longest valid start, else one byte) and each lone
// surrogate becomes one replacement; what decodes cleanly converts back.
TEST(Utf, Utf8DecodesToUtf16AndBack) {
    const std::pair<std::string, std::u16string> cases[] = {
        {"A\xE3\x81\x82\xF0\x9F\x98\x80", {u'A', u'\u3042', 0xD83D, 0xDE00}},
        {"a\0b"s, u"a\0b"s},
        {"\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xED\x9F\xBF\xEF\xBF\xBF",
         u"\x7F\u0080\u07FF\u0800\uD7FF\uFFFF"},
        {"\xF0\x90\x80\x80\xF4\x8F\xBF\xBF", u"\U00010000\U0010FFFF"},
        {"\x82\xA0", u"\uFFFD\uFFFD"}, // Shift_JIS
        {"\xE3\x81Z", u"\uFFFDZ"},
        {"\xF0\x9F\x98", u"\uFFFD"},
        // Overlong, encoded-surrogate and too large forms, byte by byte.
        {"\xC1\xBF", u"\uFFFD\uFFFD"},
        {"\xE0\x9F\xBF", u"\uFFFD\uFFFD\uFFFD"},
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
        {"\xF0\x8F\xBF\xBF", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"\xF5\x80", u"\uFFFD\uFFFD"}};
    for (const auto& [bytes, units] : cases) {
        SCOPED_TRACE(bytes);
        EXPECT_EQ(utf8ToUtf16(bytes), units);
        const bool valid = units.find(u'\uFFFD') == std::u16string::npos;
        EXPECT_EQ(isValidUtf8(bytes), valid);
        if (valid) {
            EXPECT_EQ(utf16ToUtf8(units), bytes);
        }
    }
    const std::pair<std::u16string, std::string> surrogates[] = {
        {{0xD800}, "\xEF\xBF\xBD"},
        {{0xDC00, u'a'}, "\xEF\xBF\xBD\x61"},
        {{0xD800, 0xD800, 0xDC00}, "\xEF\xBF\xBD\xF0\x90\x80\x80"},
        {{0xDBFF, 0xE000}, "\xEF\xBF\xBD\xEE\x80\x80"}};
    for (const auto& [units, bytes] : surrogates)
        EXPECT_EQ(utf16ToUtf8(units), bytes);
}

// Unlike a text file's reader, the mark decoder keeps zero characters; without
// a UTF-16 mark the bytes are UTF-8.
TEST(BomText, Utf16MarksSelectTheByteOrder) {
    const std::pair<std::string, std::u16string> cases[] = {
        {"\xFF\xFEx\0\x42\x30"s, u"x\u3042"},
        {"\xFE\xFF\0x\x30\x42"s, u"x\u3042"},
        {"\xFF\xFEx\0y"s, u"x"},
        {"\xFF\xFEx\0\0\0y\0"s, u"x\0y"s},
        {"\xFF\xFE", u""},
        {"\xEF\xBB\xBF\xE3\x81\x82\0"s, u"\u3042\0"s},
        {"a\0b"s, u"a\0b"s}};
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(decodeBomText(bytes), text);
}

// Records the calls and fails at the step it is told to.
class FakeClipboard : public ClipboardSteps {
  public:
    std::string failAt, calls;
    std::size_t allocated = 0;
    std::u16string copied;

    bool open() override { return step("open"); }
    void close() override { calls += "close;"; }
    bool allocate(std::size_t bytes) override {
        allocated = bytes;
        return step("allocate");
    }
    bool lockAndCopy(std::u16string_view units) override {
        if (!step("lock"))
            return false;
        copied = units;
        return true;
    }
    bool empty() override { return step("empty"); }
    bool setUnicodeText() override { return step("set"); }
    void freeBlock() override { calls += "free;"; }

  private:
    bool step(const std::string& name) {
        calls += name + ";";
        return failAt != name;
    }
};

// The block is freed unless the clipboard took it, and the clipboard is closed
// whenever it was opened.
TEST(ClipboardSteps, OnlySuccessHandsTheBlockOverAndEveryOpenIsClosed) {
    const std::tuple<const char*, ClipboardResult, const char*> cases[] = {
        {"", ClipboardResult::Done, "open;allocate;lock;empty;set;close;"},
        {"open", ClipboardResult::OpenFailed, "open;"},
        {"allocate", ClipboardResult::OutOfMemory, "open;allocate;close;"},
        {"lock", ClipboardResult::LockFailed, "open;allocate;lock;free;close;"},
        {"empty", ClipboardResult::EmptyFailed, "open;allocate;lock;empty;free;close;"},
        {"set", ClipboardResult::SetFailed, "open;allocate;lock;empty;set;free;close;"}};
    for (const auto& [failAt, result, calls] : cases) {
        SCOPED_TRACE(failAt);
        FakeClipboard clip;
        clip.failAt = failAt;
        EXPECT_EQ(copyToClipboard(clip, u"report"), result);
        EXPECT_EQ(clip.calls, calls);
    }
    FakeClipboard clip;
    copyToClipboard(clip, u"report");
    EXPECT_EQ(clip.allocated, 14u); // six units and the terminator
    EXPECT_EQ(clip.copied, u"report");
}

// The classic locale's folding: the letters next to the alphabets, the
// full-width letters and bytes of UTF-8 sequences all stay as they are.
TEST(AsciiCase, OnlyTheTwentySixLettersFoldEitherWay) {
    EXPECT_EQ(std::u16string({asciiUpper(u'a'), asciiUpper(u'z'), asciiUpper(u'`'),
                              asciiUpper(u'{'), asciiUpper(u'A'), asciiUpper(u'ｚ')}),
              u"AZ`{Aｚ");
    EXPECT_EQ(std::u16string({asciiLower(u'A'), asciiLower(u'Z'), asciiLower(u'@'),
                              asciiLower(u'['), asciiLower(u'a'), asciiLower(u'Ｚ')}),
              u"az@[aＺ");
    EXPECT_EQ(asciiUpper('\xE1'), '\xE1');
    EXPECT_EQ(asciiLower('\xC1'), '\xC1');

    EXPECT_TRUE(equalsIgnoringAsciiCase(u"bUTTON", u"Button"));
    EXPECT_FALSE(equalsIgnoringAsciiCase(u"Butto", u"Button"));
    EXPECT_FALSE(equalsIgnoringAsciiCase(u"ｊａ", u"JA"));
    EXPECT_FALSE(equalsIgnoringAsciiCase(u"J@", u"J`")) << "@ and ` are no pair";
    EXPECT_TRUE(startsWithIgnoringAsciiCase(u"HTTPS://a.test/", u"https://"));
    EXPECT_TRUE(startsWithIgnoringAsciiCase(u"wait:", u"WAIT:"));
    EXPECT_FALSE(startsWithIgnoringAsciiCase(u"http:/", u"http://"));
    EXPECT_FALSE(startsWithIgnoringAsciiCase(u"ftp://a", u"http://"));
}

// Digits of every base up to 36 in either case; what is no digit is past them all.
TEST(AsciiDigits, LettersContinueTheDigitsInEitherCase) {
    EXPECT_EQ(std::vector({asciiDigitValue(u'0'), asciiDigitValue(u'9'), asciiDigitValue(u'a'),
                           asciiDigitValue(u'F'), asciiDigitValue(u'z'), asciiDigitValue(u'Z')}),
              std::vector({0, 9, 10, 15, 35, 35}));
    for (char16_t c : {u'/', u':', u'@', u'[', u'`', u'{', u'０', u'ａ'})
        EXPECT_EQ(asciiDigitValue(c), kNoDigit) << int(c);
}
