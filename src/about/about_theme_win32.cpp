#include "about/about_theme_win32.h"

#include "about/about_box_win32.h"
#include "theme/dark_mode_setting.h"
#include "theme/theme_colors.h"
#include "theme/theme_win32.h"

namespace tapwell::about {

namespace {

// Only the GUI thread touches the box.
bool g_aboutDark = false;
HBRUSH g_aboutBrush = nullptr;

HBRUSH aboutBrush() {
    // Some link-control implementations delete the brush they are given;
    // make a new one rather than hand out a dead handle.
    if (g_aboutBrush && GetObjectType(g_aboutBrush) != OBJ_BRUSH)
        g_aboutBrush = nullptr;
    if (!g_aboutBrush)
        g_aboutBrush = CreateSolidBrush(theme::toColorRef(theme::kDarkBackground));
    return g_aboutBrush;
}

void applyThemeChanged(HWND box, HWND tooltip) {
    theme::setImmersiveDarkMode(box, g_aboutDark);
    theme::applyAboutChildStyles(box, g_aboutDark);
    if (tooltip)
        theme::themeTooltipWindow(tooltip, g_aboutDark);
}

INT_PTR handled(HWND box, LRESULT value) {
    SetWindowLongPtrW(box, DWLP_MSGRESULT, value);
    return TRUE;
}

} // namespace

bool readAboutDarkFlag() {
    g_aboutDark = theme::darkFlagFromAppsUseLightTheme(theme::readAppsUseLightTheme());
    return g_aboutDark;
}

bool aboutDarkFlag() {
    return g_aboutDark;
}
bool aboutDarkMode() {
    return g_aboutDark;
}

bool handleAboutThemeMessage(HWND box, HWND tooltip, UINT msg, WPARAM wParam, LPARAM lParam,
                             INT_PTR& result) {
    if (theme::isControlColorMessage(msg)) {
        if (!g_aboutDark)
            return false;
        result = reinterpret_cast<INT_PTR>(theme::replyDarkControlColor(
            reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), aboutBrush()));
        return true;
    }
    switch (msg) {
    case WM_ERASEBKGND:
        theme::eraseDialogBackground(box, reinterpret_cast<HDC>(wParam), g_aboutDark, aboutBrush());
        result = handled(box, 1);
        return true;
    case WM_THEMECHANGED:
        applyThemeChanged(box, tooltip);
        return false;
    case WM_SETTINGCHANGE:
        if (theme::settingChangeNamesColorSet(reinterpret_cast<const char16_t*>(lParam))) {
            readAboutDarkFlag();
            theme::setImmersiveDarkMode(box, g_aboutDark);
            InvalidateRect(box, nullptr, TRUE);
        }
        applyThemeChanged(box, tooltip);
        RedrawWindow(box, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        result = g_aboutDark ? TRUE : FALSE;
        return true;
    default:
        return false;
    }
}

void releaseAboutBrush() {
    if (g_aboutBrush) {
        DeleteObject(g_aboutBrush);
        g_aboutBrush = nullptr;
    }
}

} // namespace tapwell::about
