#include "app/app_state.h"

#include <gtest/gtest.h>

namespace tapwell {
namespace {

constexpr std::uint16_t kJapaneseJapan = 0x0411;
constexpr std::uint16_t kEnglishUs = 0x0409;

TEST(UiLanguageTest, VariableDecidesWhenSetAndNotEmpty) {
    EXPECT_EQ(chooseUiLanguage(u"JA", kEnglishUs), Language::Japanese);
    EXPECT_EQ(chooseUiLanguage(u"ja", kEnglishUs), Language::Japanese);
    EXPECT_EQ(chooseUiLanguage(u"jA", kEnglishUs), Language::Japanese);
    EXPECT_EQ(chooseUiLanguage(u"EN", kJapaneseJapan), Language::English);
    EXPECT_EQ(chooseUiLanguage(u"JAP", kJapaneseJapan), Language::English);
    EXPECT_EQ(chooseUiLanguage(u" JA", kJapaneseJapan), Language::English);
    EXPECT_EQ(chooseUiLanguage(u"ｊａ", kJapaneseJapan), Language::English);
}

TEST(UiLanguageTest, UnsetOrEmptyVariableFallsBackToThePrimarySystemLanguage) {
    EXPECT_EQ(chooseUiLanguage(std::nullopt, kJapaneseJapan), Language::Japanese);
    EXPECT_EQ(chooseUiLanguage(u"", kJapaneseJapan), Language::Japanese);
    EXPECT_EQ(chooseUiLanguage(std::nullopt, kEnglishUs), Language::English);
    // Only the low 10 bits name the language; the sublanguage does not matter.
    EXPECT_EQ(chooseUiLanguage(std::nullopt, 0x0011), Language::Japanese);
    EXPECT_EQ(chooseUiLanguage(std::nullopt, 0xFC11), Language::Japanese);
    EXPECT_EQ(chooseUiLanguage(std::nullopt, 0x0811), Language::Japanese);
    // Bits 8 and 9 belong to the primary language: 0x111 is not Japanese.
    EXPECT_EQ(chooseUiLanguage(std::nullopt, 0x0511), Language::English);
    EXPECT_EQ(chooseUiLanguage(std::nullopt, 0x0412), Language::English);
}

} // namespace
} // namespace tapwell
