// Dark-mode theming of the program's windows: the API the main dialog and
// the rest of the program call.
//
// Start-up (GUI thread, before the main dialog):
//     tapwell::ReadDarkModeSetting(hInstance);  // dark flag + shared brush
//     tapwell::PrepareDarkMenus();               // optional; a no-op where the
//                                                // theme library lacks the exports
// Main dialog procedure:
//     WM_INITDIALOG, after the window is shown:
//         SendMessage(dlg, WM_THEMECHANGED, 0, 0);
//         tapwell::subclassForDisabledPainting(dlg);
//     every message, before the dialog's own switch:
//         INT_PTR r;
//         if (tapwell::handleDialogThemeMessage(dlg, msg, wp, lp, r)) return r;
//       (erase background, WM_CTLCOLOR*, WM_THEMECHANGED, WM_NCPAINT and the
//        menu-bar drawing messages 0x91/0x92; anything else returns false)
//     WM_SETTINGCHANGE: bool dark = tapwell::onThemeSettingChange(dlg, lp);
//         then the dialog's menu-bar mode and layout for `dark`.
// Every message box: tapwell::ThemedMessageBox (any thread).
// End of the program: tapwell::releaseDarkBrush().
//
// Missing theme-library exports or window attributes (older systems, Wine)
// leave the windows in their light look; nothing here fails loudly.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

namespace tapwell {

// Stores the instance, creates the shared dark brush when missing, reads the
// system's choice and returns the new dark flag.
bool ReadDarkModeSetting(HINSTANCE instance);
bool isDarkMode();
// The shared dark brush (56, 56, 56); created on first use.
HBRUSH darkBrush();
void releaseDarkBrush();

// Lets the theme library draw dark context menus where it can.
void PrepareDarkMenus();

// Visual styles for every child and the window's tooltips, then an update.
void ThemeChildren(HWND window);

// Static texts and check boxes/radio buttons/group boxes among the dialog's
// children paint themselves grey while disabled in dark mode.
void subclassForDisabledPainting(HWND dialog);

// A link control ("SysLink") shows its plain text white and its links light
// on the dark background while `isDark()` says so; `background` gives the
// brush of the dark background.
void subclassLinkForDarkPainting(HWND link, bool (*isDark)(), HBRUSH (*background)());

// Returns true when `msg` was handled; `result` is then the value the dialog
// procedure returns (DWLP_MSGRESULT is set where the message needs it).
bool handleDialogThemeMessage(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result);

// WM_SETTINGCHANGE: on a colour-set change re-reads the flag, then themes the
// children and tooltips with it and sets the title bar's dark attribute.
// Returns the dark flag, for the dialog's menu-bar mode and layout.
bool onThemeSettingChange(HWND dialog, LPARAM lParam);

// The program's one message box: plain in light mode, dark in dark mode.
// Safe on any thread; nested boxes on one thread are fine.
int ThemedMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags);

// How the rest of the program shows a box: the themed box, unless a presenter
// is installed, as tests do to record boxes.
using AppMessagePresenter =
    std::function<int(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags)>;

int showAppMessage(HWND owner, std::u16string_view text, std::u16string_view caption, UINT flags);

// Installs `presenter` (an empty one restores the themed box) and
// returns the one it replaces. Meant for start-up and tests, not for use
// while other threads may be showing boxes.
AppMessagePresenter setAppMessagePresenter(AppMessagePresenter presenter);

namespace theme {

// HKCU ...\Themes\Personalize "AppsUseLightTheme" as a 32-bit value, if any.
std::optional<std::uint32_t> readAppsUseLightTheme();
// Desktop-window-manager attribute 20; ignored where unsupported.
void setImmersiveDarkMode(HWND window, bool dark);
// WM_CTLCOLORMSGBOX to WM_CTLCOLORSTATIC: the messages a dark reply answers.
bool isControlColorMessage(UINT msg);
// The dark control-colour reply: white text, transparent (opaque for edit and
// list controls, which would otherwise leave ghosts), background 56, 56, 56.
HBRUSH replyDarkControlColor(HDC dc, HWND control, HBRUSH brush);
// Fills the client area with the dark brush or the button-face colour.
void eraseDialogBackground(HWND window, HDC dc, bool dark, HBRUSH darkBrush);
// The control-colour messages (answered only when `dark`) and the background
// erase of a dialog with the dark flag `dark`; true when `msg` was one.
bool handleColorMessage(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam, bool dark,
                        INT_PTR& result);
// Visual styles of every child by the About box's rule (the main dialog's
// is part of ThemeChildren).
void applyAboutChildStyles(HWND window, bool dark);
void themeTooltipWindow(HWND tooltip, bool dark);

} // namespace theme

} // namespace tapwell
