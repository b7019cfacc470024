// The program's dark flag, its shared brush and the window attribute.
#include "theme/dark_mode_setting.h"
#include "theme/theme_colors.h"
#include "theme/theme_win32.h"
#include "theme/theme_win32_internal.h"
#include "theme/uxtheme_api_win32.h"

#include <atomic>

namespace tapwell {

namespace {

// Read by the script thread's message boxes, written on the GUI thread.
std::atomic<bool> g_dark{false};
std::atomic<HINSTANCE> g_instance{nullptr};
std::atomic<HBRUSH> g_darkBrush{nullptr};

constexpr DWORD kImmersiveDarkModeAttribute = 20;

} // namespace

namespace theme {

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

} // namespace theme

bool ReadDarkModeSetting(HINSTANCE instance) {
    g_instance.store(instance);
    DarkBrush();
    const bool dark = theme::darkFlagFromAppsUseLightTheme(theme::readAppsUseLightTheme());
    g_dark.store(dark);
    return dark;
}

bool IsDarkMode() {
    return g_dark.load();
}

HBRUSH DarkBrush() {
    HBRUSH brush = g_darkBrush.load();
    // A control that deletes the brush it was given must not leave every
    // later reply with a dead handle.
    if (brush && GetObjectType(brush) == OBJ_BRUSH)
        return brush;
    HBRUSH made = CreateSolidBrush(theme::toColorRef(theme::kDarkBackground));
    HBRUSH expected = brush;
    if (!g_darkBrush.compare_exchange_strong(expected, made)) {
        DeleteObject(made); // another thread was first
        return expected ? expected : DarkBrush();
    }
    return made;
}

void ReleaseDarkBrush() {
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

} // namespace tapwell
