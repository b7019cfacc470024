#include "keystroke/run_texts.h"

#include <gtest/gtest.h>

using namespace tapwell;

TEST(RunTexts, FormatFillsPlaceholdersInOrder) {
    EXPECT_EQ(formatRunText(RunText::CountdownTitle, Language::English, {u"-3", u"T"}),
              u"-3 sec... Activate the destination window and wait - T");
    EXPECT_EQ(formatRunText(RunText::ProgressTitle, Language::English, {u"42"}),
              u"Keyboard Simulating(42%)...");
    EXPECT_EQ(formatRunText(RunText::ProgressTitle, Language::Japanese, {u"100"}),
              u"入力中(100%)...");
    // An argument holding % or a placeholder is not read again.
    EXPECT_EQ(formatRunText(RunText::InvalidRepeatCount, Language::English, {u"%s%d"}),
              u"Invalid repeat number.\n%s%d");
    // A missing argument leaves the placeholder.
    EXPECT_EQ(formatRunText(RunText::InvalidCharacter, Language::English, {}),
              u"Invalid character - '%c'");
}

TEST(RunTexts, ButtonTextsInBothLanguages) {
    EXPECT_EQ(runText(RunText::StartButton, Language::English), u"St&art");
    EXPECT_EQ(runText(RunText::StartButton, Language::Japanese), u"入力開始(&A)");
    EXPECT_EQ(runText(RunText::AbortButton, Language::Japanese), u"中止");
}
