#include "quick/literal_text.h"

#include <gtest/gtest.h>

namespace tapwell {
namespace {

TEST(LiteralText, EveryKindOfLineEndIsOneLineFeed) {
    EXPECT_EQ(literalText(u"a\r\nb\rc\nd"), u"a\nb\nc\nd");
    // CR CR LF: a lone CR, then a CR LF.
    EXPECT_EQ(literalText(u"a\r\r\nb"), u"a\n\nb");
    // LF CR: two breaks, not one.
    EXPECT_EQ(literalText(u"a\n\rb"), u"a\n\nb");
}

TEST(LiteralText, OneFinalBreakIsDroppedAndNoneAdded) {
    EXPECT_EQ(literalText(u"ls -l\r\n"), u"ls -l");
    EXPECT_EQ(literalText(u"ls -l\r"), u"ls -l");
    EXPECT_EQ(literalText(u"ls -l"), u"ls -l");
    // Only one: an empty last line the user copied stays.
    EXPECT_EQ(literalText(u"a\n\n"), u"a\n");
    EXPECT_EQ(literalText(u"\r\n"), u"");
    EXPECT_EQ(literalText(u""), u"");
}

TEST(LiteralText, NotationAndTabsStayCharacters) {
    EXPECT_EQ(literalText(u"[VK_RETURN]{3:x}!(a)\tb"), u"[VK_RETURN]{3:x}!(a)\tb");
}

TEST(LiteralText, CountsCharactersAndLines) {
    // U+1F600 as a pair is one character; a lone surrogate is one too.
    EXPECT_EQ(characterCount(u"a\U0001F600b"), 3u);
    EXPECT_EQ(characterCount(std::u16string(u"a") + char16_t(0xD800)), 2u);
    EXPECT_EQ(characterCount(std::u16string(1, char16_t(0xDC00)) + char16_t(0xD800)), 2u);
    EXPECT_EQ(lineCount(u""), 0u);
    EXPECT_EQ(lineCount(u"one"), 1u);
    EXPECT_EQ(lineCount(u"a\n\nb"), 3u);
}

} // namespace
} // namespace tapwell
