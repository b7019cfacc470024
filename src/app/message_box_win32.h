// The program's one way to show a message box. Theming replaces how boxes
// are drawn by installing its own presenter; tests install a recorder.
#pragma once

#include <windows.h>

#include <functional>
#include <string_view>

namespace tapwell {

using AppMessagePresenter =
    std::function<int(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags)>;

int ShowAppMessage(HWND owner, std::u16string_view text, std::u16string_view caption, UINT flags);

// Installs `presenter` (an empty one restores the plain system box) and
// returns the one it replaces. Meant for start-up and tests, not for use
// while other threads may be showing boxes.
AppMessagePresenter setAppMessagePresenter(AppMessagePresenter presenter);

} // namespace tapwell
