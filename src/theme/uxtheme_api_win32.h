// The theme library and the window manager's attribute call, resolved once
// at run time. Every pointer may be null: callers then keep the light look.
#pragma once

#include <windows.h>

#include <uxtheme.h>

namespace tapwell::theme {

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

} // namespace tapwell::theme
