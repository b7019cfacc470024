// The program's message box. In dark mode a computer-based-training hook on
// the calling thread themes the box as it appears.
#include "theme/theme_win32.h"
#include "theme/theme_win32_internal.h"

#include <commctrl.h>

#include <string>

namespace tapwell {

namespace {

constexpr UINT_PTR kMessageBoxSubclassId = 0x5450574D;

LRESULT CALLBACK messageBoxSubclassProc(HWND box, UINT msg, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR id, DWORD_PTR) {
    // The colours follow the current setting, should it change while the
    // box is open.
    if (theme::isControlColorMessage(msg) && isDarkMode())
        return reinterpret_cast<LRESULT>(theme::replyDarkControlColor(
            reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), darkBrush()));
    if (msg == WM_NCDESTROY)
        RemoveWindowSubclass(box, messageBoxSubclassProc, id);
    return DefSubclassProc(box, msg, wParam, lParam);
}

// One themed box being shown on this thread. Each thread keeps its own: the
// GUI thread and a script thread can both have a box open, and a box can
// open while another one on the same thread waits (a timer message shows an
// error during a pause).
class HookScope;
thread_local HookScope* t_scope = nullptr;

LRESULT CALLBACK messageBoxHook(int code, WPARAM wParam, LPARAM lParam);

class HookScope {
  public:
    HookScope() : outer_(t_scope) {
        hook_ =
            SetWindowsHookExW(WH_CBT, messageBoxHook, theme::themeInstance(), GetCurrentThreadId());
        if (hook_)
            t_scope = this;
    }
    ~HookScope() {
        if (hook_) {
            UnhookWindowsHookEx(hook_);
            t_scope = outer_;
        }
    }
    HookScope(const HookScope&) = delete;
    HookScope& operator=(const HookScope&) = delete;

    HHOOK hook() const { return hook_; }
    // The first dialog created while the scope is the innermost one is its
    // message box; any other window (the owner re-activated as the box
    // closes, a dialog a timer opens meanwhile) is not the box's to theme.
    void windowEvent(int code, HWND window) {
        if (code == HCBT_CREATEWND && !box_ && theme::windowClassName(window) == u"#32770") {
            box_ = window;
            SetWindowSubclass(window, messageBoxSubclassProc, kMessageBoxSubclassId, 0);
        } else if (code == HCBT_ACTIVATE && window == box_) {
            // At creation the box has no children yet; they exist by now.
            ThemeChildren(window);
        }
    }

  private:
    HookScope* outer_;
    HHOOK hook_ = nullptr;
    HWND box_ = nullptr;
};

LRESULT CALLBACK messageBoxHook(int code, WPARAM wParam, LPARAM lParam) {
    // Every scope's hook sees the event; only the innermost box is concerned,
    // so the outer hooks' calls change nothing.
    HookScope* scope = t_scope;
    if (scope && (code == HCBT_CREATEWND || code == HCBT_ACTIVATE))
        scope->windowEvent(code, reinterpret_cast<HWND>(wParam));
    return CallNextHookEx(scope ? scope->hook() : nullptr, code, wParam, lParam);
}

} // namespace

int ThemedMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags) {
    if (!isDarkMode())
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

int showAppMessage(HWND owner, std::u16string_view text, std::u16string_view caption, UINT flags) {
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
