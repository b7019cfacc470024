// Theming of the About box, with its own dark flag and brush.
#pragma once

#include <windows.h>

namespace tapwell::about {

// Reads the system's choice into the box's flag and returns it.
bool readAboutDarkFlag();
bool aboutDarkFlag();

// The About box's share of the theme messages. Returns true when handled;
// `result` is then the dialog procedure's return value.
bool handleAboutThemeMessage(HWND box, HWND tooltip, UINT msg, WPARAM wParam, LPARAM lParam,
                             INT_PTR& result);

// Frees the box's brush (it is made again on next use).
void releaseAboutBrush();

} // namespace tapwell::about
