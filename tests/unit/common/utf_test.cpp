#include "common/utf.h"

#include <gtest/gtest.h>

using namespace tapwell;

TEST(Utf, RoundTripsBmpAndSupplementaryCharacters) {
    std::string s = "A\xE3\x81\x82\xF0\x9F\x98\x80"; // A, あ, 😀
    std::u16string u = utf8ToUtf16(s);
    ASSERT_EQ(u, (std::u16string{u'A', u'\u3042', 0xD83D, 0xDE00}));
    EXPECT_EQ(utf16ToUtf8(u), s);
}

TEST(Utf, IllFormedBytesBecomeOneReplacementPerMaximalSubpart) {
    // Stray continuation, truncated 3-byte sequence, then a valid letter.
    EXPECT_EQ(utf8ToUtf16("\x80"), u"\uFFFD");
    EXPECT_EQ(utf8ToUtf16("\xE3\x81Z"), u"\uFFFDZ");
    // Overlong and encoded-surrogate forms are refused byte by byte.
    EXPECT_EQ(utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");
    EXPECT_EQ(utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(utf8ToUtf16("\xF4\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(utf8ToUtf16("\xF0\x9F\x98"), u"\uFFFD");
}

TEST(Utf, LoneSurrogatesBecomeReplacementInUtf8) {
    EXPECT_EQ(utf16ToUtf8(std::u16string{0xD800}), "\xEF\xBF\xBD");
    EXPECT_EQ(utf16ToUtf8(std::u16string{0xDC00, u'a'}), "\xEF\xBF\xBD"
                                                          "a");
    EXPECT_EQ(utf16ToUtf8(std::u16string{0xD800, 0xD800, 0xDC00}),
              "\xEF\xBF\xBD\xF0\x90\x80\x80");
}

TEST(Utf, ValidityCheckMatchesDecoder) {
    EXPECT_TRUE(isValidUtf8(""));
    EXPECT_TRUE(isValidUtf8("plain \xE4\xB8\x96"));
    EXPECT_FALSE(isValidUtf8("\x82\xA0")); // Shift_JIS あ
    EXPECT_FALSE(isValidUtf8("\xA4\xA2")); // EUC-JP あ
    EXPECT_TRUE(isValidUtf8(std::string("a\0b", 3)));
}
