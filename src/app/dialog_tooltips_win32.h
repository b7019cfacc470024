// The main dialog's tooltips: one window, shown even while the dialog is not
// active, one tool per control of the language's table.
#pragma once

#include "app/ui_language.h"

#include <windows.h>

namespace tapwell {

// Returns the tooltip window (owned by the dialog, destroyed with it).
HWND createDialogTooltips(HWND dialog, UiLanguage language);

} // namespace tapwell
