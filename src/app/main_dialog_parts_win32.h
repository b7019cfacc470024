// The pieces of the main dialog's procedure, one file each: initialisation,
// commands and dropped files. Internal to the dialog.
#pragma once

#include "app/file_commands_win32.h"

#include <shellapi.h>
#include <windows.h>

namespace tapwell {

bool dialogIsJapanese();
// The file commands' view of the program: language, title, message box.
FileCommandUi fileCommandUi();
void checkMenu(HMENU menu, int id, bool on);
// Above all windows (on) or back among the normal ones, without moving.
void placeTopMost(HWND hwnd, bool on);

// WM_INITDIALOG, in the order the dialog is built up.
BOOL initialiseMainDialog(HWND hwnd);
void onMainDialogCommand(HWND hwnd, int id, int notification);
// Loads the first of the dropped files into the text box.
void onMainDialogDropFiles(HWND hwnd, HDROP drop);

} // namespace tapwell
