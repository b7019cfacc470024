#include "quick/run_question.h"

#include "keystroke/keyboard_layout.h"
#include "quick/literal_text.h"

#include <gtest/gtest.h>

namespace tapwell {
namespace {

const TableKeyboardLayout kUs(usLayoutTable());

std::u16string join(const std::vector<std::u16string>& v) {
    std::u16string out;
    for (const auto& s : v)
        out += s + u"|";
    return out;
}

TEST(RunQuestion, KeylessCharactersOnceEachInOrder) {
    // Kanji, an e with acute and a pair have no US key; Tab, Enter and space
    // are keys; repeats are listed once.
    EXPECT_EQ(join(keylessCharacters(u"日本 語\té\n日\U0001F600a[]", kUs)),
              u"日|本|語|é|\U0001F600|");
    EXPECT_TRUE(keylessCharacters(u"Hello, world! {x}", kUs).empty());
    // A lone surrogate goes out as Unicode as well.
    std::u16string lone(1, char16_t(0xD83D));
    EXPECT_EQ(join(keylessCharacters(lone + u"a", kUs)), lone + u"|");
}

TEST(RunQuestion, AsksAboveTheThresholdOrForSeveralLines) {
    RunQuestionInput in;
    in.windowTitle = u"Console";
    std::u16string shortText(kQuestionThreshold, u'x');
    in.text = shortText;
    EXPECT_FALSE(runQuestion(in));

    std::u16string longText(1234, u'x');
    in.text = longText;
    EXPECT_EQ(runQuestion(in), u"Type 1,234 characters into \"Console\"?");
    std::u16string longer = shortText + u"x";
    in.text = longer;
    EXPECT_TRUE(runQuestion(in));

    std::u16string lines = literalText(u"a\r\nb\r\n\r\nd\r\n");
    in.text = lines;
    EXPECT_EQ(runQuestion(in), u"Type 6 characters (4 lines) into \"Console\"?");

    in.askLongRuns = false;
    EXPECT_FALSE(runQuestion(in));
    in.language = Language::Japanese;
    in.askLongRuns = true;
    EXPECT_EQ(runQuestion(in), u"6 文字（4 行）を「Console」に入力しますか?");
}

TEST(RunQuestion, KeylessCharactersAskEvenForAShortText) {
    RunQuestionInput in;
    in.windowTitle = u"VM";
    in.keyPressLayout = &kUs;
    in.layoutName = u"US";
    in.askLongRuns = false;
    in.text = u"日本語 ok";
    EXPECT_EQ(runQuestion(in), u"Type 6 characters into \"VM\"?\n\n3 characters have no key on "
                               u"the US layout and go out as Unicode: 日 本 語");
    in.text = u"café";
    EXPECT_EQ(runQuestion(in), u"Type 4 characters into \"VM\"?\n\n1 character has no key on "
                               u"the US layout and goes out as Unicode: é");
    in.text = u"plain ascii";
    EXPECT_FALSE(runQuestion(in));
    // As written, nothing is keyless.
    in.keyPressLayout = nullptr;
    in.text = u"日本語";
    EXPECT_FALSE(runQuestion(in));
}

TEST(RunQuestion, ListsAtMostTwentyKeylessCharacters) {
    std::u16string many;
    for (char16_t c = u'あ'; c < u'あ' + 25; ++c)
        many.push_back(c);
    RunQuestionInput in;
    in.keyPressLayout = &kUs;
    in.layoutName = u"US";
    in.text = many;
    std::u16string q = *runQuestion(in);
    EXPECT_NE(q.find(u"25 characters have no key"), std::u16string::npos);
    EXPECT_NE(q.find(std::u16string(1, char16_t(u'あ' + 19)) + u" …"), std::u16string::npos);
    EXPECT_EQ(q.find(char16_t(u'あ' + 20)), std::u16string::npos);
}

} // namespace
} // namespace tapwell
