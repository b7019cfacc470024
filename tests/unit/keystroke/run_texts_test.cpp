// The run's message texts and their arguments.
#include "keystroke/run_texts.h"

#include <gtest/gtest.h>

using namespace tapwell;

TEST(RunTexts, AnArgumentIsNotReadAgainAndAMissingOneLeavesThePlaceholder) {
    EXPECT_EQ(formatRunText(RunText::InvalidRepeatCount, Language::English, {u"%s%d"}),
              u"Invalid repeat number.\n%s%d");
    EXPECT_EQ(formatRunText(RunText::InvalidCharacter, Language::English, {}),
              u"Invalid character - '%c'");
}
