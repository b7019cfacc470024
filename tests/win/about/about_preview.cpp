// Shows the About box for a screenshot: "about_preview [ja] [seconds]".
// It closes itself after the given time (default 5 s).
#include "about/about_box_win32.h"
#include "theme/theme_win32.h"

#include <windows.h>

#include <cwchar>

namespace {
BOOL CALLBACK closeIfBox(HWND window, LPARAM) {
    wchar_t cls[16] = {};
    GetClassNameW(window, cls, 16);
    if (IsWindowVisible(window) && std::wcscmp(cls, L"#32770") == 0)
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(2, BN_CLICKED), 0);
    return TRUE;
}

void CALLBACK closeAbout(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), closeIfBox, 0);
}
} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    bool japanese = false;
    UINT seconds = 5;
    for (int i = 1; i < __argc; ++i) {
        if (std::wcscmp(__wargv[i], L"ja") == 0)
            japanese = true;
        else
            seconds = static_cast<UINT>(_wtoi(__wargv[i]));
    }
    tapwell::ReadDarkModeSetting(instance);
    HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                 instance, nullptr);
    SetTimer(nullptr, 0, seconds * 1000, closeAbout);
    tapwell::about::ShowAboutBox(owner, instance, japanese,
                                 japanese ? L"doruviravad" : L"Davudiru Dodovizar");
    DestroyWindow(owner);
    tapwell::releaseDarkBrush();
    return 0;
}
