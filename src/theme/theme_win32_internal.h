// Pieces shared by the theme's Windows files.
#pragma once

#include <windows.h>

#include <string>

namespace tapwell::theme {

// The instance given to ReadDarkModeSetting, for the message-box hook.
HINSTANCE themeInstance();

std::u16string windowClassName(HWND window);

} // namespace tapwell::theme

namespace tapwell::theme {

inline constexpr UINT kMsgDrawMenuBar = 0x0091;
inline constexpr UINT kMsgDrawMenuBarItem = 0x0092;

// The two menu-bar drawing messages in dark mode (true when painted).
bool drawMenuBar(HWND window, LPARAM lParam);
bool drawMenuBarItem(HWND window, LPARAM lParam);

} // namespace tapwell::theme
