// The process-wide state that start-up fills and the rest of the program
// reads: language, title, the chosen settings store, the settings record and
// the text to be typed. It lives beside the settings so that the settings
// functions and the dialog can reach it without knowing start-up.
#pragma once

#include "common/language.h"
#include "settings/settings.h"

#include <string>

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

} // namespace tapwell
