// The program's one way to show a message box: the themed box (dark in dark
// mode) unless a presenter is installed, as tests do to record boxes.
#pragma once

#include <windows.h>

#include <functional>
#include <string_view>

namespace tapwell {

using AppMessagePresenter =
    std::function<int(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags)>;

int ShowAppMessage(HWND owner, std::u16string_view text, std::u16string_view caption, UINT flags);

// Installs `presenter` (an empty one restores the themed box) and
// returns the one it replaces. Meant for start-up and tests, not for use
// while other threads may be showing boxes.
AppMessagePresenter setAppMessagePresenter(AppMessagePresenter presenter);

} // namespace tapwell
