// The theme messages of the main dialog.
#include "theme/dark_mode_setting.h"
#include "theme/theme_colors.h"
#include "theme/theme_win32.h"
#include "theme/theme_win32_internal.h"

namespace tapwell {

namespace theme {

HBRUSH replyDarkControlColor(HDC dc, HWND control, HBRUSH brush) {
    SetTextColor(dc, toColorRef(kDarkText));
    SetBkColor(dc, toColorRef(kDarkBackground));
    // Edit and list controls draw selections and scrolled lines over their
    // old pixels; a transparent background would leave the old text behind.
    const std::u16string cls = control ? windowClassName(control) : std::u16string();
    const bool opaque =
        cls == u"Edit" || cls == u"ListBox" || cls == u"ComboBox" || cls == u"ComboLBox";
    SetBkMode(dc, opaque ? OPAQUE : TRANSPARENT);
    return brush;
}

void eraseDialogBackground(HWND window, HDC dc, bool dark, HBRUSH darkBrush) {
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, dark ? darkBrush : GetSysColorBrush(COLOR_BTNFACE));
}

bool isControlColorMessage(UINT msg) {
    switch (msg) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return true;
    default:
        return false;
    }
}

namespace {

// Covers the light line that the system draws between menu bar and client.
void drawNonClientLine(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    RECT frame;
    GetWindowRect(window, &frame);
    OffsetRect(&client, -frame.left, -frame.top);
    RECT line{client.left, client.top - 1, client.right, client.top};
    HDC dc = GetWindowDC(window);
    if (!dc)
        return;
    HBRUSH brush = CreateSolidBrush(toColorRef(kMenuBarLine));
    FillRect(dc, &line, brush);
    DeleteObject(brush);
    ReleaseDC(window, dc);
}

INT_PTR handled(HWND dialog, LRESULT value) {
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, value);
    return TRUE;
}

} // namespace

} // namespace theme

bool HandleDialogThemeMessage(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam,
                              INT_PTR& result) {
    const bool dark = IsDarkMode();
    if (theme::isControlColorMessage(msg)) {
        if (!dark)
            return false;
        result = reinterpret_cast<INT_PTR>(theme::replyDarkControlColor(
            reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), DarkBrush()));
        return true;
    }
    switch (msg) {
    case WM_ERASEBKGND:
        theme::eraseDialogBackground(dialog, reinterpret_cast<HDC>(wParam), dark, DarkBrush());
        result = theme::handled(dialog, 1);
        return true;
    case WM_THEMECHANGED:
        ThemeChildren(dialog);
        return false; // the default processing still runs
    case WM_NCPAINT:
        if (!dark)
            return false;
        DefWindowProcW(dialog, msg, wParam, lParam);
        theme::drawNonClientLine(dialog);
        result = theme::handled(dialog, 0);
        return true;
    case theme::kMsgDrawMenuBar:
        if (!dark || !theme::drawMenuBar(dialog, lParam))
            return false;
        result = theme::handled(dialog, 1);
        return true;
    case theme::kMsgDrawMenuBarItem:
        if (!dark || !theme::drawMenuBarItem(dialog, lParam))
            return false;
        result = theme::handled(dialog, 1);
        return true;
    default:
        return false;
    }
}

bool OnThemeSettingChange(HWND dialog, LPARAM lParam) {
    ThemeChildren(dialog);
    if (theme::settingChangeNamesColorSet(reinterpret_cast<const char16_t*>(lParam))) {
        ReadDarkModeSetting(theme::themeInstance());
        theme::setImmersiveDarkMode(dialog, IsDarkMode());
        InvalidateRect(dialog, nullptr, TRUE);
    }
    return IsDarkMode();
}

} // namespace tapwell
