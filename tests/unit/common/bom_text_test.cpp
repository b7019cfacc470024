#include "common/utf.h"

#include <gtest/gtest.h>

using namespace tapwell;

TEST(BomText, MarksSelectTheEncoding) {
    EXPECT_EQ(decodeBomText("\xEF\xBB\xBFok"), u"ok");
    EXPECT_EQ(decodeBomText(std::string("\xFF\xFE"
                                        "A\0\x42\x30",
                                        6)),
              u"A\u3042");
    EXPECT_EQ(decodeBomText(std::string("\xFE\xFF\0A\x30\x42", 6)), u"A\u3042");
    EXPECT_EQ(decodeBomText("no mark"), u"no mark");
}

TEST(BomText, OddTrailingByteAndEmbeddedZeroInUtf16) {
    EXPECT_EQ(decodeBomText(std::string("\xFF\xFE"
                                        "A\0B",
                                        5)),
              u"A");
    EXPECT_EQ(decodeBomText(std::string("\xFF\xFE"
                                        "A\0\0\0B\0",
                                        8)),
              std::u16string(u"A\0B", 3));
    EXPECT_EQ(decodeBomText("\xFF\xFE"), u"");
}
