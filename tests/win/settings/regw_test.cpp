#include "settings/settings_store.h"
#include "settings/settings_stores_win32.h"
#include "win_test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace tapwell {
namespace {

class RegwTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::deleteProgramKey();
        REGW::setLanguage(Language::English);
    }
    void TearDown() override {
        REGW::setLanguage(Language::Japanese);
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

TEST_F(RegwTest, OversizedValuesKeepTheDefault) {
    // A number with leading zeros up to the cap still reads; one zero more
    // and it is refused, as is a huge binary value whose first four bytes
    // alone would make a number.
    // Texts are stored with their terminator (Wine adds one when missing).
    const std::wstring atCap = std::wstring(kLargestRegistryValue / 2 - 2, L'0') + L"7";
    const std::wstring overCap = L"0" + atCap;
    std::string huge(1 << 20, '\0');
    huge[0] = 5;
    test::writeRawValue(L"atCap", REG_SZ, atCap.c_str(),
                        static_cast<DWORD>((atCap.size() + 1) * sizeof(wchar_t)));
    test::writeRawValue(L"overCap", REG_SZ, overCap.c_str(),
                        static_cast<DWORD>((overCap.size() + 1) * sizeof(wchar_t)));
    test::writeRawValue(L"huge", REG_BINARY, huge.data(), static_cast<DWORD>(huge.size()));
    test::writeRawValue(L"small", REG_BINARY, huge.data(), 4);

    REGW reg;
    ASSERT_TRUE(reg.OpenKey(REGW::kReadOnly));
    EXPECT_EQ(reg.ReadIntegerW(u"atCap", 1), 7);
    EXPECT_EQ(reg.ReadIntegerW(u"overCap", 1), 1);
    EXPECT_EQ(reg.ReadIntegerW(u"huge", 1), 1);
    EXPECT_EQ(reg.ReadIntegerW(u"small", 1), 5);
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
    REGW::setLanguage(Language::Japanese);
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
