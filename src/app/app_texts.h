// Every user-visible text of start-up and settings, in both languages.
#pragma once

#include "app/ui_language.h"

#include <span>
#include <string_view>

namespace tapwell {

enum class AppText {
    ProgramTitle,
    HelpViewerFailed,
    CommandLineFileUnreadable,
    TextAndFileTogether,
    CopiedIniToRegistry,
    CopiedRegistryToIni,
    RegwCaption,
    RegwOpenKeyTwice,
    RegwReadUnopened,
    RegwWriteUnopened,
    RegwCloseUnopened,
    RegwClosedByDestructor,
    MainDialogMissing,
};

struct AppTextEntry {
    AppText id;
    std::u16string_view english;
    std::u16string_view japanese;
};

std::u16string_view appText(AppText id, UiLanguage language);

// The whole table, for tests that look at both languages at once.
std::span<const AppTextEntry> appTextTable();

} // namespace tapwell
