// Quick type on Windows: the two global hotkeys, the notification-area icon
// and its menu, the start of a quick run (mask key, the wait for released
// modifiers, the destination brought back), "Click where to type…", the
// progress window and the Hotkeys dialog. One instance for the process,
// alive while the main dialog is.
#pragma once

#include "common/language.h"
#include "settings/settings.h"

#include <string>
#include <windows.h>

namespace tapwell {

class SimulationRun;

// What quick type needs from the main dialog.
struct QuickTypeHost {
    HWND dialog = nullptr;
    SimulationRun* run = nullptr;
    Settings* settings = nullptr;
    HMENU menu = nullptr; // the loaded menu, for the Settings items' checks
    Language language = Language::English;
    std::u16string programTitle;
};

// The hidden window that receives the hotkeys and the icon's messages; a
// second start of the program finds the first one by it.
inline constexpr wchar_t kQuickWindowClass[] = L"TapwellQuickType";
// The icon's callback message, and the request of a second start to show
// the dialog.
inline constexpr UINT kTrayCallbackMessage = WM_APP + 40;
inline constexpr UINT kShowDialogMessage = WM_APP + 41;
// Hotkey ids on the quick window.
inline constexpr int kClipboardHotkeyId = 1;
inline constexpr int kTextHotkeyId = 2;

// Registers the saved hotkeys (a refused one is reported), shows the icon
// when it is on, checks the Settings menu's items.
void startQuickType(const QuickTypeHost& host);
void stopQuickType();

// The Settings menu's quick-type items; false for any other command.
bool onQuickTypeCommand(int commandId);
// Messages the main dialog hands over first: minimising to the icon, the
// Pause key. True when the message needs nothing more.
bool onQuickTypeDialogMessage(UINT message, WPARAM wParam, LPARAM lParam);

// A second start with the icon on: asks the running program to show itself.
// True when there was one.
bool showRunningInstance();

} // namespace tapwell
