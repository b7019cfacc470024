// The process-wide state that start-up fills and the rest of the program
// reads: language, title, the chosen settings store, the settings record and
// the text to be typed.
#pragma once

#include "common/language.h"
#include "settings/settings.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tapwell {

struct AppState {
    Language language = Language::Japanese;
    std::u16string programTitle = u"doruviravad";
    bool UseIniFile = false;
    // The ini store's full path, set at start-up; empty: the current folder's.
    std::u16string iniFilePath;
    Settings settings;
    // The working copy of the text; during a run it holds the built text.
    std::u16string InputText;
    bool textFromT = false;
    bool textFromF = false;

    bool autoRun() const { return textFromT || textFromF; }
};

// The one instance for the process. Written during start-up on the GUI
// thread; afterwards only `settings` and `InputText` change.
AppState& appState();

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
