// Shared by the Windows-side theme and About tests: the system's dark
// setting for the test's user, colour checks on replies and pixels, and a
// small dialog to theme.
#pragma once

#include <windows.h>

#include <optional>

namespace tapwell::wintest {

// Sets "AppsUseLightTheme" (or deletes it with nullopt) for the lifetime of
// the object and puts the previous state back afterwards.
class AppsUseLightThemeOverride {
  public:
    explicit AppsUseLightThemeOverride(std::optional<DWORD> value);
    ~AppsUseLightThemeOverride();
    AppsUseLightThemeOverride(const AppsUseLightThemeOverride&) = delete;
    AppsUseLightThemeOverride& operator=(const AppsUseLightThemeOverride&) = delete;

  private:
    std::optional<DWORD> previous_;
};

// The solid colour of a brush, or nullopt for no brush.
std::optional<COLORREF> brushColor(HBRUSH brush);

// Sends a control-colour message to `window` as the control `control` would,
// with a memory DC; reports the returned brush's colour and the text colour
// set on the DC.
struct ColorReply {
    std::optional<COLORREF> brush;
    COLORREF text = 0;
};
ColorReply askControlColor(HWND window, UINT msg, HWND control);

// The colour of one client pixel of `window` as it is on the screen.
COLORREF clientPixel(HWND window, int x, int y);

// Pumps this thread's messages for `ms` milliseconds.
void pumpFor(DWORD ms);

// A small modeless dialog for theme tests: a static text, a check box, a
// radio button, a push button and an edit box, built from an in-memory
// template. Its procedure routes the theme messages like the main dialog.
enum TestControl { kStatic = 10, kCheck = 11, kRadio = 12, kPush = 13, kEdit = 14 };

// `themed`: route messages through handleDialogThemeMessage.
HWND createTestDialog(bool themed);

} // namespace tapwell::wintest
