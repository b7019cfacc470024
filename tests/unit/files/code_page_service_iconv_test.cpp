// The reader with the iconv stand-in reads what the program reads on a
// Japanese system whose detection fails, as it does under Wine.
#include "files/text_file.h"
#include "files/text_file_decoding.h"

#include <gtest/gtest.h>

using namespace tapwell;
using namespace std::string_literals;

TEST(IconvCodePages, JapaneseFilesWithoutAMarkReadAsOnAJapaneseSystem) {
    const std::pair<std::string, std::u16string> cases[] = {
        {"\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x0D\x0A\x32\x8D\x73", u"日本語の\r\n2行"},
        {"\xC6\xFC\xCB\xDC\xB8\xEC\xA4\xCE\x0D\x0A\x32\xB9\xD4", u"日本語の\r\n2行"},
        {"\x82\xA0\0\x82\xA2"s, u"あ"}, // up to the first zero
        {"\xFF\xFF", u"\uFFFD\uFFFD"}}; // no code page takes it: UTF-8
    for (const auto& [bytes, expected] : cases) {
        std::u16string text;
        EXPECT_EQ(decodeTextFile(createIconvCodePageService, bytes, text), kReadTextOk);
        EXPECT_EQ(text, expected);
    }
}

// Strict: a lead byte at the end, a bad trail byte or a code page it does
// not know fail the decoding.
TEST(IconvCodePages, StrictDecodingRejectsWhatTheCodePageCannotHold) {
    auto service = createIconvCodePageService();
    EXPECT_EQ(service->detectCodePage("\x82\xA0"), std::nullopt);
    EXPECT_EQ(service->ansiCodePage(), kCodePageShiftJis);
    EXPECT_EQ(service->convert(kCodePageUtf8, "\xE3\x81\x82"), u"あ");
    EXPECT_EQ(service->decodeStrict(kCodePageUtf16Be, "\x30\x42"), u"あ");
    EXPECT_EQ(service->decodeStrict(kCodePageShiftJis, ""), u"");
    EXPECT_EQ(service->decodeStrict(kCodePageShiftJis, "\x82"), std::nullopt);
    EXPECT_EQ(service->decodeStrict(kCodePageShiftJis, "a\x82\x20"), std::nullopt);
    EXPECT_EQ(service->decodeStrict(437, "a"), std::nullopt);
}
