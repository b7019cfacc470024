#include "app/app_texts.h"

#include <gtest/gtest.h>

#include <set>

namespace tapwell {
namespace {

std::size_t countOf(std::u16string_view text, std::u16string_view part) {
    std::size_t n = 0;
    for (auto at = text.find(part); at != std::u16string_view::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

TEST(AppTextsTest, EveryTextExistsOnceInBothLanguagesWithTheSamePlaceholders) {
    std::set<AppText> seen;
    for (const AppTextEntry& e : appTextTable()) {
        EXPECT_TRUE(seen.insert(e.id).second) << "text listed twice";
        EXPECT_FALSE(e.english.empty());
        EXPECT_FALSE(e.japanese.empty());
        EXPECT_EQ(countOf(e.english, u"%s"), countOf(e.japanese, u"%s"));
        EXPECT_LE(countOf(e.english, u"%s"), 1u);
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(AppText::RegistryWriteFailed) + 1);
}

TEST(AppTextsTest, LanguagesPickTheirColumn) {
    EXPECT_EQ(appText(AppText::ProgramTitle, UiLanguage::English), u"Davudiru Dodovizar");
    EXPECT_EQ(appText(AppText::ProgramTitle, UiLanguage::Japanese), u"doruviravad");
    EXPECT_EQ(appText(AppText::RegwCaption, UiLanguage::Japanese), u"Registory Class");
    EXPECT_EQ(appTextWith(AppText::IniWriteFailed, UiLanguage::English, u"iTopMost"),
              u".\\tapwell.ini[TAPWELL] - iTopMost write error.");
    EXPECT_EQ(appTextWith(AppText::RegistryOpenFailed, UiLanguage::English, u"iTopMost")
                  .find(u"iTopMost"),
              std::u16string::npos);
}

} // namespace
} // namespace tapwell
