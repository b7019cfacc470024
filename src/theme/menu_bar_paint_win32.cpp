// Dark painting of the menu bar through the two undocumented drawing
// messages. The structures follow the platform's layout for them.
#include "theme/theme_rules.h"
#include "theme/theme_win32_internal.h"

namespace tapwell::theme {

namespace {

union MenuItemMetrics {
    struct {
        DWORD cx;
        DWORD cy;
    } rgsizeBar[2];
    struct {
        DWORD cx;
        DWORD cy;
    } rgsizePopup[4];
};

struct MenuPopupMetrics {
    DWORD rgcx[4];
    DWORD fUpdateMaxWidths : 2;
};

struct DrawMenuBarParams {
    HMENU hmenu;
    HDC hdc;
    DWORD dwFlags;
};

struct MenuBarItem {
    int iPosition;
    MenuItemMetrics umim;
    MenuPopupMetrics umpm;
};

struct DrawMenuBarItemParams {
    DRAWITEMSTRUCT dis;
    DrawMenuBarParams um;
    MenuBarItem umi;
};

void fill(HDC dc, const RECT& rect, Rgb colour) {
    HBRUSH brush = CreateSolidBrush(toColorRef(colour));
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

} // namespace

bool drawMenuBar(HWND window, LPARAM lParam) {
    const auto* params = reinterpret_cast<const DrawMenuBarParams*>(lParam);
    if (!params || !params->hdc)
        return false;
    MENUBARINFO info{};
    info.cbSize = sizeof(info);
    if (!GetMenuBarInfo(window, OBJID_MENU, 0, &info))
        return false;
    RECT frame;
    GetWindowRect(window, &frame);
    RECT bar = info.rcBar;
    OffsetRect(&bar, -frame.left, -frame.top);
    fill(params->hdc, bar, kMenuBarNormal);
    return true;
}

bool drawMenuBarItem(HWND window, LPARAM lParam) {
    auto* params = reinterpret_cast<DrawMenuBarItemParams*>(lParam);
    if (!params || !params->um.hdc)
        return false;
    wchar_t text[261] = {};
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_STRING;
    item.dwTypeData = text;
    item.cch = 260;
    GetMenuItemInfoW(params->um.hmenu, static_cast<UINT>(params->umi.iPosition), TRUE, &item);

    const MenuBarItemLook look = menuBarItemLook(params->dis.itemState);
    HDC dc = params->um.hdc;
    RECT rect = params->dis.rcItem;
    fill(dc, rect, look.fill);

    DWORD format = DT_CENTER | DT_SINGLELINE | DT_VCENTER;
    if (look.hidePrefix)
        format |= DT_HIDEPREFIX;
    const auto& api = themeApi();
    HTHEME menuTheme = api.openThemeData ? api.openThemeData(window, L"MENU") : nullptr;
    bool drawn = false;
    if (menuTheme && api.drawThemeTextEx) {
        DTTOPTS options{};
        options.dwSize = sizeof(options);
        options.dwFlags = DTT_TEXTCOLOR;
        options.crText = toColorRef(look.text);
        drawn = SUCCEEDED(api.drawThemeTextEx(menuTheme, dc, kMenuPartBarItem,
                                              static_cast<int>(look.state), text, -1, format, &rect,
                                              &options));
    }
    if (menuTheme && api.closeThemeData)
        api.closeThemeData(menuTheme);
    if (!drawn) {
        // Without the theme library the text still has to be readable.
        SetTextColor(dc, toColorRef(look.text));
        SetBkMode(dc, TRANSPARENT);
        DrawTextW(dc, text, -1, &rect, format);
    }
    return true;
}

} // namespace tapwell::theme
