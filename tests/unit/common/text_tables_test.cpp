// Every subsystem's table of texts: each text once, in both languages (but for
// the few shown in Japanese only), with the same placeholders in both.
#include "about/about_box.h"
#include "app/app_state.h"
#include "dialog/dialog_texts.h"
#include "files/file_texts.h"
#include "keystroke/run_texts.h"
#include "settings/settings_persistence.h"

#include <gtest/gtest.h>

#include <set>

using namespace tapwell;

std::size_t countOf(std::u16string_view text, std::u16string_view part) {
    std::size_t n = 0;
    for (auto at = text.find(part); at != std::u16string_view::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

// `japaneseOnly`: texts with no English; `ownPlaceholders`: texts whose two
// languages say different things on purpose (the Japanese names an address).
template <typename Id>
void expectCompleteTable(std::span<const TextEntry<Id>> table, Id last,
                         std::set<Id> japaneseOnly = {}, std::set<Id> ownPlaceholders = {}) {
    std::set<Id> seen;
    for (const TextEntry<Id>& e : table) {
        const int id = static_cast<int>(e.id);
        EXPECT_TRUE(seen.insert(e.id).second) << "text " << id << " listed twice";
        EXPECT_FALSE(e.japanese.empty()) << id;
        EXPECT_EQ(e.english.empty(), japaneseOnly.count(e.id) == 1) << id;
        if (e.english.empty() || ownPlaceholders.count(e.id))
            continue;
        for (std::u16string_view placeholder : {u"%s", u"%d", u"%c"})
            EXPECT_EQ(countOf(e.english, placeholder), countOf(e.japanese, placeholder)) << id;
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(last) + 1);
}

TEST(TextTables, EveryTableHasEveryTextOnceInBothLanguages) {
    expectCompleteTable(appTextTable(), AppText::CopiedRegistryToIni);
    expectCompleteTable(settingsTextTable(), SettingsText::RegistryWriteFailed);
    expectCompleteTable(fileTextTable(), FileText::AllFilesLabel);
    expectCompleteTable(runTextTable(),
                        static_cast<RunText>(static_cast<int>(RunText::Count_) - 1));
    expectCompleteTable(dialogTextTable(), DialogText::StopRunEscTooltip,
                        {DialogText::BigDialogNotice, DialogText::BigDialogCaption});
    expectCompleteTable(about::aboutTextTable(), about::AboutText::Description,
                        {about::AboutText::MailFilterNote}, {about::AboutText::BrowserFailed});
}
