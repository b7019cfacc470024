#include "theme/message_box_win32.h"

#include "theme/theme_win32.h"

#include <string>

namespace tapwell {

namespace {
AppMessagePresenter& currentPresenter() {
    static AppMessagePresenter presenter;
    return presenter;
}
} // namespace

int ShowAppMessage(HWND owner, std::u16string_view text, std::u16string_view caption, UINT flags) {
    // Both views may lack a terminating zero.
    std::wstring t(text.begin(), text.end());
    std::wstring c(caption.begin(), caption.end());
    if (const AppMessagePresenter& p = currentPresenter())
        return p(owner, t.c_str(), c.c_str(), flags);
    return ThemedMessageBox(owner, t.c_str(), c.c_str(), flags);
}

AppMessagePresenter setAppMessagePresenter(AppMessagePresenter presenter) {
    AppMessagePresenter old = std::move(currentPresenter());
    currentPresenter() = std::move(presenter);
    return old;
}

} // namespace tapwell
