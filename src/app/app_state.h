// Start-up's part of the process-wide state: the UI language and the title
// that goes with it, and every text start-up shows.
#pragma once

#include "common/language.h"
#include "settings/process_state.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tapwell {

// Sets the language and the program title that goes with it.
void setUiLanguage(AppState& state, Language language);

// `tpwLang` is the TPW_LANG variable (nullopt when unset). A non-empty value
// decides on its own: "JA" in any case is Japanese, anything else English.
// Otherwise the system's default language id decides (primary language 0x11).
Language chooseUiLanguage(std::optional<std::u16string_view> tpwLang,
                          std::uint16_t systemLanguageId);

// Every user-visible text of start-up, in both languages.

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
