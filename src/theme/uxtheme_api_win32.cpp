#include "theme/uxtheme_api_win32.h"

#include "theme/system_dll_win32.h"

#include <mutex>

namespace tapwell::theme {

namespace {

template <typename Fn> void resolve(HMODULE module, Fn& fn, const char* name) {
    if (module)
        fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

ThemeApi loadThemeApi() {
    ThemeApi api;
    HMODULE uxtheme = loadSystemLibrary(L"uxtheme.dll");
    resolve(uxtheme, api.setWindowTheme, "SetWindowTheme");
    resolve(uxtheme, api.openThemeData, "OpenThemeData");
    resolve(uxtheme, api.closeThemeData, "CloseThemeData");
    resolve(uxtheme, api.drawThemeTextEx, "DrawThemeTextEx");
    resolve(uxtheme, api.setPreferredAppMode, MAKEINTRESOURCEA(135));
    resolve(uxtheme, api.refreshImmersiveColorPolicy, MAKEINTRESOURCEA(104));
    HMODULE dwmapi = loadSystemLibrary(L"dwmapi.dll");
    resolve(dwmapi, api.dwmSetWindowAttribute, "DwmSetWindowAttribute");
    return api;
}

} // namespace

const ThemeApi& themeApi() {
    static std::once_flag once;
    static ThemeApi api;
    std::call_once(once, [] { api = loadThemeApi(); });
    return api;
}

} // namespace tapwell::theme
