// The iconv stand-in answers as a Japanese system that cannot detect (the trace
// tests read Shift_JIS through it): strict decodings decide, else UTF-8.
#include "files/text_file.h"
#include "files/text_file_decoding.h"

#include <gtest/gtest.h>

using namespace tapwell;

TEST(IconvCodePages, StrictDecodingsDecideAsOnAJapaneseSystem) {
    for (const auto& [bytes, expected] :
         {std::pair{"\xC6\xFC\xCB\xDC\xB8\xEC\x0D\x0A\xA4\xCE", u"日本語\r\nの"},
          {"\xFF\xFF", u"\uFFFD\uFFFD"}}) {
        std::u16string text;
        EXPECT_EQ(decodeTextFile(createIconvCodePageService, bytes, text), FileResult::Ok);
        EXPECT_EQ(text, expected);
    }
    auto service = createIconvCodePageService();
    EXPECT_EQ(service->detectCodePage("\x82\xA0"), std::nullopt);
    EXPECT_EQ(service->ansiCodePage(), kCodePageShiftJis);
    EXPECT_EQ(service->convert(kCodePageUtf16Be, "\x30\x42"), u"あ");
    EXPECT_EQ(service->decodeStrict(kCodePageShiftJis, "a\x82"), std::nullopt); // cut short
    EXPECT_EQ(service->decodeStrict(437, "a"), std::nullopt); // a code page it does not know
}
