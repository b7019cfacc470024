// Every user-visible text of start-up and settings, in both languages.
#pragma once

#include "app/ui_language.h"

#include <span>
#include <string>
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
    // Descriptions of one failed settings write; "%s" stands for the name.
    IniWriteFailed,
    RegistryOpenFailed,
    RegistryWriteFailed,
};

struct AppTextEntry {
    AppText id;
    std::u16string_view english;
    std::u16string_view japanese;
};

std::u16string_view appText(AppText id, UiLanguage language);

// The text with its one "%s" replaced by `value`.
std::u16string appTextWith(AppText id, UiLanguage language, std::u16string_view value);

// The whole table, for tests that look at both languages at once.
std::span<const AppTextEntry> appTextTable();

} // namespace tapwell
