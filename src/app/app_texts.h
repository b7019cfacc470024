// Every user-visible text of start-up, in both languages.
#pragma once

#include "common/text_table.h"

#include <span>

namespace tapwell {

enum class AppText {
    ProgramTitle,
    HelpViewerFailed,
    CommandLineFileUnreadable,
    TextAndFileTogether,
    CopiedIniToRegistry,
    CopiedRegistryToIni,
};

using AppTextEntry = TextEntry<AppText>;

std::u16string_view appText(AppText id, Language language);

// The whole table, for tests that look at both languages at once.
std::span<const AppTextEntry> appTextTable();

} // namespace tapwell
