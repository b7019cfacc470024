// Shared by the theme's Windows files and nothing else.
#pragma once

#include <windows.h>

#include <uxtheme.h>

#include <string>

namespace tapwell::theme {

// The theme library and the window manager's attribute call, resolved once
// at run time. Every pointer may be null: callers then keep the light look.
struct ThemeApi {
    HRESULT(WINAPI* setWindowTheme)(HWND, LPCWSTR, LPCWSTR) = nullptr;
    HTHEME(WINAPI* openThemeData)(HWND, LPCWSTR) = nullptr;
    HRESULT(WINAPI* closeThemeData)(HTHEME) = nullptr;
    HRESULT(WINAPI* drawThemeTextEx)
    (HTHEME, HDC, int, int, LPCWSTR, int, DWORD, LPRECT, const DTTOPTS*) = nullptr;
    // Exports known only by their ordinals: 135 takes the preferred
    // application mode, 104 refreshes the colour policy.
    int(WINAPI* setPreferredAppMode)(int) = nullptr;
    void(WINAPI* refreshImmersiveColorPolicy)() = nullptr;
    HRESULT(WINAPI* dwmSetWindowAttribute)(HWND, DWORD, LPCVOID, DWORD) = nullptr;
};

// Loaded on first use (thread-safe) and kept for the life of the process.
const ThemeApi& themeApi();

// The instance given to ReadDarkModeSetting, for the message-box hook.
HINSTANCE themeInstance();

std::u16string windowClassName(HWND window);

// The two undocumented menu-bar drawing messages, painted dark by
// menu_bar_paint_win32 (true when painted).
inline constexpr UINT kMsgDrawMenuBar = 0x0091;
inline constexpr UINT kMsgDrawMenuBarItem = 0x0092;

bool drawMenuBar(HWND window, LPARAM lParam);
bool drawMenuBarItem(HWND window, LPARAM lParam);

} // namespace tapwell::theme
