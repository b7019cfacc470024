#include "files/file_texts.h"

#include <gtest/gtest.h>

using namespace tapwell;

TEST(FileTexts, ReaderCodesMapToTheirMessages) {
    EXPECT_EQ(fileText(readErrorText(1), Language::English), u"Cannot open the file.");
    EXPECT_EQ(fileText(readErrorText(2), Language::Japanese), u"ファイルを読み込めません。");
    EXPECT_EQ(fileText(readErrorText(5), Language::English),
              u"An error occurred while preparing for character code conversion.");
    EXPECT_EQ(fileText(readErrorText(6), Language::English),
              u"An error occurred during character code conversion..");
    for (unsigned unknown : {3u, 7u, 0xFFFFFFFFu})
        EXPECT_EQ(fileText(readErrorText(unknown), Language::Japanese),
                  u"不明なエラーによりファイルを読み込めません。");
}

TEST(FileTexts, SaveCodesMapToTheirMessages) {
    EXPECT_EQ(fileText(saveResultText(0), Language::English),
              u"The file has been saved in UTF-8 (with BOM).");
    EXPECT_EQ(fileText(saveResultText(1), Language::Japanese),
              u"ファイルを書き込みモードで開けません。");
    EXPECT_EQ(fileText(saveResultText(3), Language::English), u"Cannot write to the file.");
    EXPECT_EQ(fileText(saveResultText(4), Language::Japanese), u"メモリが足りません。");
    EXPECT_EQ(fileText(saveResultText(2), Language::English), u"Unknown error.");
}

