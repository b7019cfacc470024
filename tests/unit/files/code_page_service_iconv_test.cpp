// The reader with the iconv stand-in reads what the program reads on a
// Japanese system whose detection fails, as it does under Wine.
#include "files/text_file.h"
#include "files/text_file_decoding.h"

#include <gtest/gtest.h>

using namespace tapwell;

TEST(IconvCodePages, JapaneseFilesWithoutAMarkReadAsOnAJapaneseSystem) {
    const std::pair<std::string_view, std::u16string_view> cases[] = {
        {"\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x83\x65\x83\x4C\x83\x58\x83\x67\x0D\x0A\x32\x8D\x73",
         u"日本語のテキスト\r\n2行"},
        {"\xC6\xFC\xCB\xDC\xB8\xEC\xA4\xCE\xA5\xC6\xA5\xAD\xA5\xB9\xA5\xC8\x0D\x0A\x32\xB9\xD4",
         u"日本語のテキスト\r\n2行"},
        {"\xA4\xA2\xA4\xA4", u"あい"},
        {std::string_view("\x82\xA0\0\x82\xA2", 5), u"あ"}, // up to the first zero
        {"\xFF\xFF", u"\uFFFD\uFFFD"},                      // undecodable: UTF-8 with replacements
    };
    for (const auto& [bytes, expected] : cases) {
        std::u16string text;
        EXPECT_EQ(decodeTextFile(createIconvCodePageService, bytes, text), kReadTextOk);
        EXPECT_EQ(text, expected);
    }
}

TEST(IconvCodePages, StrictDecodingRejectsWhatTheCodePageCannotHold) {
    auto service = createIconvCodePageService();
    EXPECT_FALSE(service->detectCodePage("\x82\xA0"));
    EXPECT_EQ(service->ansiCodePage(), kCodePageShiftJis);
    EXPECT_EQ(service->convert(kCodePageShiftJis, "\x82\xA0"), u"あ");
    EXPECT_EQ(service->decodeStrict(kCodePageEucJp, "\xA4\xA2"), u"あ");
    EXPECT_EQ(service->decodeStrict(kCodePageUtf8, "\xE3\x81\x82"), u"あ");
    EXPECT_EQ(service->decodeStrict(kCodePageUtf16Be, "\x30\x42"), u"あ");
    EXPECT_EQ(service->decodeStrict(kCodePageShiftJis, ""), u"");
    EXPECT_FALSE(service->decodeStrict(kCodePageShiftJis, "\x82"));      // lead byte at the end
    EXPECT_FALSE(service->decodeStrict(kCodePageShiftJis, "a\x82\x20")); // bad trail byte
    EXPECT_FALSE(service->decodeStrict(kCodePageEucJp, "\x82\xA0"));
    EXPECT_FALSE(service->decodeStrict(kCodePageUtf8, "\xE3\x81"));
    EXPECT_FALSE(service->decodeStrict(437, "a")) << "a code page it does not know";
}
