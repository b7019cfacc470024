// The Environment Information button: show the report, copy it on OK.
#pragma once

#include "about/about_box_win32.h"

#include <string>

namespace tapwell::about {

// `versionText` is the box's version text; the report ends with its first line.
void showEnvironmentInformation(HWND box, std::u16string_view versionText, bool japanese,
                                bool darkMode, AboutMessageFunction message);

} // namespace tapwell::about
