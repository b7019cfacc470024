#include "settings/settings_stores_win32.h"
#include "win_test_support.h"

#include <gtest/gtest.h>

namespace tapwell {
namespace {

class RegwTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::deleteProgramKey();
        REGW::setJapanese(false);
    }
    void TearDown() override {
        REGW::setJapanese(true);
        test::deleteProgramKey();
    }

    void expectOneWarning(const wchar_t* text) {
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, text);
        EXPECT_EQ(boxes.shown[0].caption, L"Registory Class");
        EXPECT_EQ(boxes.shown[0].owner, nullptr);
        EXPECT_EQ(boxes.shown[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
        boxes.shown.clear();
    }

    test::MessageRecorder boxes;
};

TEST_F(RegwTest, ReadOnlyOpenNeverCreatesTheKey) {
    REGW reg;
    EXPECT_FALSE(reg.OpenKey(REGW::kReadOnly));
    EXPECT_FALSE(test::programKeyExists());
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(RegwTest, CorrectUseWritesReadsAndWarnsAboutNothing) {
    {
        REGW reg;
        ASSERT_TRUE(reg.OpenKey(REGW::kCreate));
        EXPECT_TRUE(reg.WriteIntegerW(u"iLoopNum", -5));
        EXPECT_TRUE(reg.CloseKey());
    }
    REGW reg;
    ASSERT_TRUE(reg.OpenKey(REGW::kReadOnly));
    EXPECT_EQ(reg.ReadIntegerW(u"iLoopNum", 1), -5);
    EXPECT_EQ(reg.ReadIntegerW(u"absent", 42), 42);
    EXPECT_TRUE(reg.CloseKey());
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(RegwTest, MisuseIsSurvivedWithAWarningEach) {
    {
        REGW reg;
        EXPECT_EQ(reg.ReadIntegerW(u"iLoopNum", 9), 9);
        expectOneWarning(L"An error has occurred in ReadIntegerW.");
        EXPECT_FALSE(reg.WriteIntegerW(u"iLoopNum", 9));
        expectOneWarning(L"An error has occurred in WriteIntegerW.");
        EXPECT_FALSE(reg.CloseKey());
        expectOneWarning(L"An error has occurred in REGW::CloseKey().");
        ASSERT_TRUE(reg.OpenKey(REGW::kCreate));
        EXPECT_TRUE(boxes.shown.empty());
        EXPECT_TRUE(reg.OpenKey(REGW::kCreate)) << "the second open still gives an open key";
        expectOneWarning(L"An error has occurred in REGW::OpenKey().");
    }
    expectOneWarning(L"An error has occurred in REGW::~REGW().");
}

TEST_F(RegwTest, WarningsFollowTheLanguageFlag) {
    REGW::setJapanese(true);
    REGW reg;
    reg.CloseKey();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text,
              L"レジストリを多重クローズしようとしたので保護しました(REGW::CloseKey)。\n"
              L"このメッセージが表示されたら、現在編集している/していたダイアログの名前を、"
              L"メッセージの内容と共に正確に作者まで報告して下さい。");
    EXPECT_EQ(boxes.shown[0].caption, L"Registory Class");
}

} // namespace
} // namespace tapwell
