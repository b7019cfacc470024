#include "app/ui_language.h"

#include <gtest/gtest.h>

namespace tapwell {
namespace {

constexpr std::uint16_t kJapaneseJapan = 0x0411;
constexpr std::uint16_t kEnglishUs = 0x0409;

TEST(UiLanguageTest, VariableDecidesWhenSetAndNotEmpty) {
    EXPECT_EQ(chooseUiLanguage(u"JA", kEnglishUs), UiLanguage::Japanese);
    EXPECT_EQ(chooseUiLanguage(u"ja", kEnglishUs), UiLanguage::Japanese);
    EXPECT_EQ(chooseUiLanguage(u"jA", kEnglishUs), UiLanguage::Japanese);
    EXPECT_EQ(chooseUiLanguage(u"EN", kJapaneseJapan), UiLanguage::English);
    EXPECT_EQ(chooseUiLanguage(u"JAP", kJapaneseJapan), UiLanguage::English);
    EXPECT_EQ(chooseUiLanguage(u" JA", kJapaneseJapan), UiLanguage::English);
    EXPECT_EQ(chooseUiLanguage(u"ｊａ", kJapaneseJapan), UiLanguage::English);
}

TEST(UiLanguageTest, UnsetOrEmptyVariableFallsBackToThePrimarySystemLanguage) {
    EXPECT_EQ(chooseUiLanguage(std::nullopt, kJapaneseJapan), UiLanguage::Japanese);
    EXPECT_EQ(chooseUiLanguage(u"", kJapaneseJapan), UiLanguage::Japanese);
    EXPECT_EQ(chooseUiLanguage(std::nullopt, kEnglishUs), UiLanguage::English);
    // Only the low 10 bits name the language; the sublanguage does not matter.
    EXPECT_EQ(chooseUiLanguage(std::nullopt, 0x0011), UiLanguage::Japanese);
    EXPECT_EQ(chooseUiLanguage(std::nullopt, 0xFC11), UiLanguage::Japanese);
    EXPECT_EQ(chooseUiLanguage(std::nullopt, 0x0811), UiLanguage::Japanese);
    // Bits 8 and 9 belong to the primary language: 0x111 is not Japanese.
    EXPECT_EQ(chooseUiLanguage(std::nullopt, 0x0511), UiLanguage::English);
    EXPECT_EQ(chooseUiLanguage(std::nullopt, 0x0412), UiLanguage::English);
}

} // namespace
} // namespace tapwell
