// The main program's entry to the About box (menu command 104, F10).
#pragma once

#include <windows.h>

#include <string_view>

namespace tapwell::about {

// The maker's pages linked from the About box.
inline constexpr std::u16string_view kHomePage = u"https://www.brelvane.example/";
inline constexpr std::u16string_view kMailPage = u"https://www.brelvane.example/mail.html";
inline constexpr std::u16string_view kDonationPage = u"https://www.brelvane.example/kifu.html";
inline constexpr std::u16string_view kFeedbackPage = u"https://www.brelvane.example/ifa.php?TK";

inline constexpr int kProgramIconId = 130;

// Fills the About record (program icon, the maker's pages, the description in
// the UI language, ThemedMessageBox) and shows the box modally over `owner`.
INT_PTR ShowAboutBox(HWND owner, HINSTANCE instance, bool japanese, const wchar_t* programTitle);

} // namespace tapwell::about
