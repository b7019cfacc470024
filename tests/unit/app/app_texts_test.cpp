#include "app/app_state.h"
#include "settings/settings_persistence.h"

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

// Each id once, both languages filled, the same placeholders in both.
template <typename Id> void expectCompleteTable(std::span<const TextEntry<Id>> table, Id last) {
    std::set<Id> seen;
    for (const TextEntry<Id>& e : table) {
        EXPECT_TRUE(seen.insert(e.id).second) << "text listed twice";
        EXPECT_FALSE(e.english.empty());
        EXPECT_FALSE(e.japanese.empty());
        EXPECT_EQ(countOf(e.english, u"%s"), countOf(e.japanese, u"%s"));
        EXPECT_LE(countOf(e.english, u"%s"), 1u);
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(last) + 1);
}

TEST(TextTablesTest, StartUpAndSettingsTextsExistOnceInBothLanguages) {
    expectCompleteTable(appTextTable(), AppText::CopiedRegistryToIni);
    expectCompleteTable(settingsTextTable(), SettingsText::RegistryWriteFailed);
}

TEST(TextTablesTest, LanguagesPickTheirColumn) {
    EXPECT_EQ(appText(AppText::ProgramTitle, Language::English), u"Davudiru Dodovizar");
    EXPECT_EQ(appText(AppText::ProgramTitle, Language::Japanese), u"doruviravad");
    EXPECT_EQ(settingsText(SettingsText::RegwCaption, Language::Japanese), u"Registory Class");
    EXPECT_EQ(
        describeWriteFailure(true, StoreWriteResult::WriteFailed, u"iTopMost", Language::English),
        u".\\tapwell.ini[TAPWELL] - iTopMost write error.");
    EXPECT_EQ(
        describeWriteFailure(false, StoreWriteResult::OpenFailed, u"iTopMost", Language::English)
            .find(u"iTopMost"),
        std::u16string::npos);
}

} // namespace
} // namespace tapwell
