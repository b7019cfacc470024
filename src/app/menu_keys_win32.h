// The Special Key Input menu on Windows: filling its three key submenus and
// inserting a command's notation into the text box.
#pragma once

#include "app/ui_language.h"

#include <windows.h>

namespace tapwell {

// `menuBar` is the loaded menu; its third menu holds the submenus at
// positions 3, 4 and 5, each with one placeholder item that is removed.
void fillKeySubmenus(HMENU menuBar, UiLanguage language);

// Replaces the text box's selection with the command's notation as one
// undoable edit. False when `commandId` inserts nothing.
bool insertNotationForCommand(HWND textBox, int commandId);

} // namespace tapwell
