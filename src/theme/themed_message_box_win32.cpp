// The program's message box. In dark mode a computer-based-training hook on
// the calling thread themes the box as it appears.
#include "theme/theme_win32.h"
#include "theme/theme_win32_internal.h"

#include <commctrl.h>

#include <string>

namespace tapwell {

namespace {

constexpr UINT_PTR kMessageBoxSubclassId = 0x5450574D;

// Each thread keeps its own hook: the GUI thread and a script thread can both
// have a box open, and a box can open while another one on the same thread
// waits (a timer message shows an error during a pause).
thread_local HHOOK t_hook = nullptr;

LRESULT CALLBACK messageBoxSubclassProc(HWND box, UINT msg, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR id, DWORD_PTR) {
    if (theme::isControlColorMessage(msg))
        return reinterpret_cast<LRESULT>(theme::replyDarkControlColor(
            reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), DarkBrush()));
    switch (msg) {
    case WM_NCDESTROY:
        RemoveWindowSubclass(box, messageBoxSubclassProc, id);
        break;
    }
    return DefSubclassProc(box, msg, wParam, lParam);
}

LRESULT CALLBACK messageBoxHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND || code == HCBT_ACTIVATE) {
        HWND window = reinterpret_cast<HWND>(wParam);
        if (theme::windowClassName(window) == u"#32770") {
            // At creation the box has no children yet; activation comes after
            // they exist, so both are handled and the subclass is set once.
            ThemeChildren(window);
            SetWindowSubclass(window, messageBoxSubclassProc, kMessageBoxSubclassId, 0);
        }
    }
    return CallNextHookEx(t_hook, code, wParam, lParam);
}

class HookScope {
  public:
    HookScope() : previous_(t_hook) {
        t_hook =
            SetWindowsHookExW(WH_CBT, messageBoxHook, theme::themeInstance(), GetCurrentThreadId());
        installed_ = t_hook != nullptr;
        if (!installed_)
            t_hook = previous_;
    }
    ~HookScope() {
        if (installed_)
            UnhookWindowsHookEx(t_hook);
        t_hook = previous_;
    }
    HookScope(const HookScope&) = delete;
    HookScope& operator=(const HookScope&) = delete;

  private:
    HHOOK previous_;
    bool installed_ = false;
};

} // namespace

int ThemedMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags) {
    if (!IsDarkMode())
        return MessageBoxW(owner, text, caption, flags);
    HookScope hook;
    return MessageBoxW(owner, text, caption, flags);
}

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
