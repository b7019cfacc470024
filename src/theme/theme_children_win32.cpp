// Visual styles of child windows and tooltip colours.
#include "theme/child_rules.h"
#include "theme/theme_colors.h"
#include "theme/theme_win32.h"
#include "theme/theme_win32_internal.h"
#include "theme/uxtheme_api_win32.h"

#include <commctrl.h>

namespace tapwell::theme {

namespace {

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

} // namespace

std::u16string windowClassName(HWND window) {
    wchar_t name[64] = {};
    const int n = GetClassNameW(window, name, 64);
    return std::u16string(reinterpret_cast<const char16_t*>(name), n > 0 ? n : 0);
}

void applyDialogChildStyles(HWND window, bool dark) {
    applyChildStyles(window, dialogChildStyle, dark);
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

void themeTooltipsOf(HWND window, bool dark) {
    TooltipPass pass{window, dark};
    EnumWindows(themeTooltipIfOwned, reinterpret_cast<LPARAM>(&pass));
}

} // namespace tapwell::theme

namespace tapwell {

void ThemeChildren(HWND window) {
    const bool dark = IsDarkMode();
    theme::applyDialogChildStyles(window, dark);
    theme::themeTooltipsOf(window, dark);
    UpdateWindow(window);
}

} // namespace tapwell
