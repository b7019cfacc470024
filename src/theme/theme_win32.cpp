// Dark-mode theming of the program's windows on Windows: the dark flag and
// the shared brush, the theme library resolved at run time, the visual styles
// of children and tooltips, and the main dialog's theme messages.
#include "theme/theme_win32.h"

#include "common/windows_glue_win32.h"
#include "theme/theme_rules.h"
#include "theme/theme_win32_internal.h"

#include <commctrl.h>

#include <atomic>
#include <mutex>
#include <string>

namespace tapwell {

namespace {

// Read by the script thread's message boxes, written on the GUI thread.
std::atomic<bool> g_dark{false};
std::atomic<HINSTANCE> g_instance{nullptr};
std::atomic<HBRUSH> g_darkBrush{nullptr};

constexpr DWORD kImmersiveDarkModeAttribute = 20;

} // namespace

namespace theme {

namespace {

// ---- The theme library, resolved once ---------------------------------------

template <typename Fn> void resolve(HMODULE module, Fn& fn, const char* name) {
    if (module)
        fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

ThemeApi loadThemeApi() {
    ThemeApi api;
    HMODULE uxtheme = tapwell::loadSystemLibrary(L"uxtheme.dll");
    resolve(uxtheme, api.setWindowTheme, "SetWindowTheme");
    resolve(uxtheme, api.openThemeData, "OpenThemeData");
    resolve(uxtheme, api.closeThemeData, "CloseThemeData");
    resolve(uxtheme, api.drawThemeTextEx, "DrawThemeTextEx");
    resolve(uxtheme, api.setPreferredAppMode, MAKEINTRESOURCEA(135));
    resolve(uxtheme, api.refreshImmersiveColorPolicy, MAKEINTRESOURCEA(104));
    HMODULE dwmapi = tapwell::loadSystemLibrary(L"dwmapi.dll");
    resolve(dwmapi, api.dwmSetWindowAttribute, "DwmSetWindowAttribute");
    return api;
}

// ---- Child windows and tooltips ---------------------------------------------

using StyleRule = VisualStyle (*)(ChildKind, bool);

struct ChildPass {
    StyleRule rule;
    bool dark;
};

void setVisualStyle(HWND window, VisualStyle style) {
    const auto& api = themeApi();
    if (!api.setWindowTheme)
        return;
    const std::u16string_view name = visualStyleName(style);
    api.setWindowTheme(
        window, name.empty() ? nullptr : reinterpret_cast<const wchar_t*>(name.data()), nullptr);
}

BOOL CALLBACK styleChild(HWND child, LPARAM param) {
    const auto* pass = reinterpret_cast<const ChildPass*>(param);
    const auto style = static_cast<std::uint32_t>(GetWindowLongPtrW(child, GWL_STYLE));
    setVisualStyle(child, pass->rule(classifyChild(windowClassName(child), style), pass->dark));
    return TRUE;
}

void applyChildStyles(HWND window, StyleRule rule, bool dark) {
    ChildPass pass{rule, dark};
    EnumChildWindows(window, styleChild, reinterpret_cast<LPARAM>(&pass));
}

struct TooltipPass {
    HWND owner;
    bool dark;
};

BOOL CALLBACK themeTooltipIfOwned(HWND candidate, LPARAM param) {
    const auto* pass = reinterpret_cast<const TooltipPass*>(param);
    if (GetWindow(candidate, GW_OWNER) != pass->owner && GetParent(candidate) != pass->owner)
        return TRUE;
    if (windowClassName(candidate) == u"tooltips_class32")
        themeTooltipWindow(candidate, pass->dark);
    return TRUE;
}

// Every top-level tooltip window that belongs to `window`.
void themeTooltipsOf(HWND window, bool dark) {
    TooltipPass pass{window, dark};
    EnumWindows(themeTooltipIfOwned, reinterpret_cast<LPARAM>(&pass));
}

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

} // namespace

const ThemeApi& themeApi() {
    static std::once_flag once;
    static ThemeApi api;
    std::call_once(once, [] { api = loadThemeApi(); });
    return api;
}

// ---- Dark flag --------------------------------------------------------------

std::optional<std::uint32_t> readAppsUseLightTheme() {
    DWORD value = 0;
    DWORD size = sizeof(value);
    DWORD type = 0;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, reinterpret_cast<const wchar_t*>(kPersonalizeKey.data()),
                      0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::nullopt;
    const LONG rc =
        RegQueryValueExW(key, reinterpret_cast<const wchar_t*>(kAppsUseLightThemeValue.data()),
                         nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS || type != REG_DWORD || size != sizeof(value))
        return std::nullopt;
    return value;
}

void setImmersiveDarkMode(HWND window, bool dark) {
    const auto& api = themeApi();
    if (!api.dwmSetWindowAttribute || !window)
        return;
    const BOOL value = dark ? TRUE : FALSE;
    api.dwmSetWindowAttribute(window, kImmersiveDarkModeAttribute, &value, sizeof(value));
}

HINSTANCE themeInstance() {
    return g_instance.load();
}

// ---- Child windows and tooltips ---------------------------------------------

std::u16string windowClassName(HWND window) {
    wchar_t name[64] = {};
    const int n = GetClassNameW(window, name, 64);
    return std::u16string(reinterpret_cast<const char16_t*>(name), n > 0 ? n : 0);
}

void applyAboutChildStyles(HWND window, bool dark) {
    applyChildStyles(window, aboutChildStyle, dark);
}

void themeTooltipWindow(HWND tooltip, bool dark) {
    setVisualStyle(tooltip, dark ? VisualStyle::Off : VisualStyle::Default);
    const COLORREF back = dark ? toColorRef(kTooltipBackground) : GetSysColor(COLOR_INFOBK);
    const COLORREF text = dark ? toColorRef(kTooltipText) : GetSysColor(COLOR_INFOTEXT);
    SendMessageW(tooltip, TTM_SETTIPBKCOLOR, back, 0);
    SendMessageW(tooltip, TTM_SETTIPTEXTCOLOR, text, 0);
}

// ---- Control colours and background -----------------------------------------

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
    // WM_CTLCOLORMSGBOX, EDIT, LISTBOX, BTN, DLG, SCROLLBAR and STATIC are
    // numbered consecutively.
    return msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC;
}

} // namespace theme

bool ReadDarkModeSetting(HINSTANCE instance) {
    g_instance.store(instance);
    darkBrush();
    const bool dark = theme::darkFlagFromAppsUseLightTheme(theme::readAppsUseLightTheme());
    g_dark.store(dark);
    return dark;
}

bool isDarkMode() {
    return g_dark.load();
}

HBRUSH darkBrush() {
    HBRUSH brush = g_darkBrush.load();
    // A control that deletes the brush it was given must not leave every
    // later reply with a dead handle.
    if (brush && GetObjectType(brush) == OBJ_BRUSH)
        return brush;
    HBRUSH made = CreateSolidBrush(theme::toColorRef(theme::kDarkBackground));
    HBRUSH expected = brush;
    if (!g_darkBrush.compare_exchange_strong(expected, made)) {
        DeleteObject(made); // another thread was first
        return expected ? expected : darkBrush();
    }
    return made;
}

void releaseDarkBrush() {
    if (HBRUSH brush = g_darkBrush.exchange(nullptr))
        DeleteObject(brush);
}

void PrepareDarkMenus() {
    const auto& api = theme::themeApi();
    if (api.setPreferredAppMode && api.refreshImmersiveColorPolicy) {
        api.setPreferredAppMode(1);
        api.refreshImmersiveColorPolicy();
    }
}

void ThemeChildren(HWND window) {
    const bool dark = isDarkMode();
    theme::applyChildStyles(window, theme::dialogChildStyle, dark);
    theme::themeTooltipsOf(window, dark);
    UpdateWindow(window);
}

bool theme::handleColorMessage(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam, bool dark,
                               INT_PTR& result) {
    if (isControlColorMessage(msg)) {
        if (!dark)
            return false;
        result = reinterpret_cast<INT_PTR>(replyDarkControlColor(
            reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), darkBrush()));
        return true;
    }
    if (msg != WM_ERASEBKGND)
        return false;
    eraseDialogBackground(dialog, reinterpret_cast<HDC>(wParam), dark, darkBrush());
    result = dialogMessageResult(dialog, 1);
    return true;
}

bool handleDialogThemeMessage(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam,
                              INT_PTR& result) {
    const bool dark = isDarkMode();
    if (theme::handleColorMessage(dialog, msg, wParam, lParam, dark, result))
        return true;
    switch (msg) {
    case WM_THEMECHANGED:
        ThemeChildren(dialog);
        return false; // the default processing still runs
    case WM_NCPAINT:
        if (!dark)
            return false;
        DefWindowProcW(dialog, msg, wParam, lParam);
        theme::drawNonClientLine(dialog);
        result = dialogMessageResult(dialog, 0);
        return true;
    case theme::kMsgDrawMenuBar:
        if (!dark || !theme::drawMenuBar(dialog, lParam))
            return false;
        result = dialogMessageResult(dialog, 1);
        return true;
    case theme::kMsgDrawMenuBarItem:
        if (!dark || !theme::drawMenuBarItem(dialog, lParam))
            return false;
        result = dialogMessageResult(dialog, 1);
        return true;
    default:
        return false;
    }
}

bool onThemeSettingChange(HWND dialog, LPARAM lParam) {
    // The flag first: children styled before it would keep the old look.
    const bool colorSet =
        theme::settingChangeNamesColorSet(reinterpret_cast<const char16_t*>(lParam));
    if (colorSet)
        ReadDarkModeSetting(theme::themeInstance());
    ThemeChildren(dialog);
    if (colorSet) {
        theme::setImmersiveDarkMode(dialog, isDarkMode());
        RedrawWindow(dialog, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
    return isDarkMode();
}

} // namespace tapwell
