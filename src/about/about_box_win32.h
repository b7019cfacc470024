// The About box: a self-contained dialog driven by an information record
// that the main program fills, and the main program's entry to it (menu
// command IDM_ABOUT, F10).
#pragma once

#include "about/environment_report.h"

#include <windows.h>

#include <string_view>

namespace tapwell::about {

using AboutMessageFunction = int (*)(HWND owner, const wchar_t* text, const wchar_t* caption,
                                     UINT flags);
// Opens an address; returns the shell's result (32 or less is a failure).
using AboutLinkOpener = INT_PTR (*)(HWND owner, const wchar_t* address);

struct EnvoAboutInfo {
    Language language = Language::English; // the UI language
    int iconId = 0;
    HINSTANCE instance = nullptr;
    HWND owner = nullptr;
    const wchar_t* title = nullptr;
    const wchar_t* homePage = nullptr;
    const wchar_t* contact = nullptr; // a web address or an e-mail address
    const wchar_t* donationPage = nullptr;
    const wchar_t* description = nullptr;
    const wchar_t* feedbackPage = nullptr;
    const wchar_t* extraText = nullptr;
    // Receives the About window while it exists, null after.
    HWND* windowOut = nullptr;
    // The platform's message box when null.
    AboutMessageFunction messageFunction = nullptr;
    // The shell's open verb when null.
    AboutLinkOpener linkOpener = nullptr;
};

// Reads the system's light/dark choice into the box's own flag, builds the
// template in memory and runs the dialog modally. Returns the dialog's
// result (0 after Close), or -1 when it could not be created.
INT_PTR ShowEnvoAbout(const EnvoAboutInfo& info);

// The box's own dark flag, as last read.
bool aboutDarkMode();

// ---- The main program's entry -----------------------------------------------

// The maker's pages linked from the About box.
inline constexpr std::u16string_view kHomePage = u"https://www.brelvane.example/";
inline constexpr std::u16string_view kMailPage = u"https://www.brelvane.example/mail.html";
inline constexpr std::u16string_view kDonationPage = u"https://www.brelvane.example/kifu.html";
inline constexpr std::u16string_view kFeedbackPage = u"https://www.brelvane.example/ifa.php?TK";

// Fills the About record (program icon, the maker's pages, the description in
// the UI language, ThemedMessageBox) and shows the box modally over `owner`.
INT_PTR ShowAboutBox(HWND owner, HINSTANCE instance, Language language,
                     const wchar_t* programTitle);

// ---- Shared with environment_report_win32 ------------------------------------

// The running executable's strings from the "041104b0" block; a missing
// entry stays empty.
VersionStrings readExecutableVersionStrings();

// The Environment Information button: shows the report and copies it on OK.
// `versionText` is the box's version text; the report ends with its first
// line. `darkMode` is the box's own flag.
void showEnvironmentInformation(HWND box, std::u16string_view versionText, Language language,
                                bool darkMode, AboutMessageFunction message);

} // namespace tapwell::about
