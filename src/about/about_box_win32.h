// The About box: a self-contained dialog driven by an information record
// that the main program fills.
#pragma once

#include <windows.h>

namespace tapwell::about {

using AboutMessageFunction = int (*)(HWND owner, const wchar_t* text, const wchar_t* caption,
                                     UINT flags);
// Opens an address; returns the shell's result (32 or less is a failure).
using AboutLinkOpener = INT_PTR (*)(HWND owner, const wchar_t* address);

struct EnvoAboutInfo {
    int language = 0; // 1 Japanese, 0 English
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

} // namespace tapwell::about
