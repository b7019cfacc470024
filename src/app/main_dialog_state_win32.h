// What the main dialog keeps while it exists. One instance for the process:
// the run, the script host and the message boxes use its window as owner.
#pragma once

#include "app/dialog_layout_win32.h"
#include "app/ui_language.h"

#include <windows.h>

#include <memory>

namespace tapwell {

class DialogRunHost;
class SimulationRun;

struct MainDialogState {
    HWND hwnd = nullptr;
    HMENU menu = nullptr; // the loaded menu: checks, key items, pop-ups
    HFONT textFont = nullptr;
    HWND tooltip = nullptr;
    HHOOK acceleratorHook = nullptr;
    UiLanguage language = UiLanguage::Japanese;
    std::unique_ptr<DialogAnchorLayout> layout;
    // Tops of 1041, 1001, 1004 and 1000 as laid out with a real menu bar.
    int rememberedTop[4] = {0, 0, 0, 0};
    bool menuButtonsShown = false;
    std::unique_ptr<DialogRunHost> runHost;
    std::unique_ptr<SimulationRun> run;
};

MainDialogState& mainDialogState();

// The dialog's handle while it exists, else null.
HWND mainWindow();

} // namespace tapwell
