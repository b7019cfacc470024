// The reader with the iconv stand-in reads what the program reads on a
// Japanese system whose detection fails, as it does under Wine.
#include "files/text_file.h"
#include "files/text_file_decoding.h"

#include <gtest/gtest.h>

namespace tapwell {
namespace {

const std::u16string kText = u"日本語のテキストです。\r\n2行目もあります";
const std::string kShiftJis =
    "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x83\x65\x83\x4C\x83\x58\x83\x67\x82\xC5\x82\xB7\x81\x42"
    "\x0D\x0A\x32\x8D\x73\x96\xDA\x82\xE0\x82\xA0\x82\xE8\x82\xDC\x82\xB7";
const std::string kEucJp =
    "\xC6\xFC\xCB\xDC\xB8\xEC\xA4\xCE\xA5\xC6\xA5\xAD\xA5\xB9\xA5\xC8\xA4\xC7\xA4\xB9\xA1\xA3"
    "\x0D\x0A\x32\xB9\xD4\xCC\xDC\xA4\xE2\xA4\xA2\xA4\xEA\xA4\xDE\xA4\xB9";

std::optional<std::u16string> read(std::string_view bytes) {
    std::u16string text;
    if (decodeTextFile(createIconvCodePageService, bytes, text) != kReadTextOk)
        return std::nullopt;
    return text;
}

TEST(IconvCodePages, JapaneseFilesWithoutAMarkReadAsOnAJapaneseSystem) {
    EXPECT_EQ(read(kShiftJis), kText);
    EXPECT_EQ(read(kEucJp), kText);
    EXPECT_EQ(read("\x82\xA0\x82\xA2"), u"あい");
    EXPECT_EQ(read("\xA4\xA2\xA4\xA4"), u"あい");
    // Up to the first zero character, whatever the encoding.
    EXPECT_EQ(read(std::string("\x82\xA0\0\x82\xA2", 5)), u"あ");
}

TEST(IconvCodePages, StrictDecodingRejectsWhatTheCodePageCannotHold) {
    auto service = createIconvCodePageService();
    EXPECT_FALSE(service->detectCodePage(kShiftJis));
    EXPECT_EQ(service->decodeStrict(kCodePageShiftJis, "\x82\xA0"), u"あ");
    EXPECT_EQ(service->decodeStrict(kCodePageEucJp, "\xA4\xA2"), u"あ");
    EXPECT_EQ(service->decodeStrict(kCodePageUtf8, "\xE3\x81\x82"), u"あ");
    EXPECT_EQ(service->decodeStrict(kCodePageShiftJis, ""), u"");
    EXPECT_FALSE(service->decodeStrict(kCodePageShiftJis, "\x82"));      // lead byte at the end
    EXPECT_FALSE(service->decodeStrict(kCodePageShiftJis, "a\x82\x20")); // bad trail byte
    EXPECT_FALSE(service->decodeStrict(kCodePageEucJp, "\x82\xA0"));
    EXPECT_FALSE(service->decodeStrict(kCodePageUtf8, "\xE3\x81"));
    EXPECT_FALSE(service->decodeStrict(437, "a")) << "a code page it does not know";
    // Undecodable in every candidate: UTF-8 with replacement characters.
    EXPECT_EQ(read("\xFF\xFF"), u"\uFFFD\uFFFD");
}

} // namespace
} // namespace tapwell
