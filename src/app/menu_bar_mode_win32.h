// The menu bar, or in dark mode the four flat buttons that stand in for it.
#pragma once

#include "app/main_dialog_state_win32.h"

namespace tapwell {

// Attaches the menu bar (light) or shows the flat buttons and moves the
// controls below them down by one menu line (dark); then re-lays out.
void applyMenuBarMode(MainDialogState& dialog, bool dark);

// Pops up the menu of flat button `buttonId` below the button.
void popUpMenuOfButton(MainDialogState& dialog, int buttonId);

} // namespace tapwell
