#include "quick/quick_parts_win32.h"

namespace tapwell {

namespace {

// The cursor id of the system's normal arrow (winuser.h's OCR_NORMAL, which
// needs OEMRESOURCE).
constexpr DWORD kNormalCursor = 32512;

struct ClickState {
    HHOOK mouse = nullptr;
    HHOOK keyboard = nullptr;
    std::function<void(HWND)> done;
    bool swallowRightUp = false;
};

ClickState& state() {
    static ClickState s;
    return s;
}

// Ends the wait and hands the result over on the next turn of the message
// loop: the hooks must return before a run (or a message box) starts.
void finish(HWND target) {
    ClickState& s = state();
    if (s.mouse)
        UnhookWindowsHookEx(s.mouse);
    if (s.keyboard)
        UnhookWindowsHookEx(s.keyboard);
    s.mouse = s.keyboard = nullptr;
    // Gives the user's own cursors back.
    SystemParametersInfoW(SPI_SETCURSORS, 0, nullptr, 0);
    std::function<void(HWND)> done = std::move(s.done);
    s.done = nullptr;
    if (done)
        done(target);
}

HWND topLevelWindowAt(POINT pt) {
    HWND w = WindowFromPoint(pt);
    return w ? GetAncestor(w, GA_ROOT) : nullptr;
}

LRESULT CALLBACK mouseHook(int code, WPARAM wParam, LPARAM lParam) {
    ClickState& s = state();
    if (code == HC_ACTION && s.mouse) {
        const auto* m = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        if ((m->flags & LLMHF_INJECTED) == 0) {
            if (wParam == WM_LBUTTONUP) {
                // The click itself goes on to its window and can place the caret.
                const POINT pt = m->pt;
                const LRESULT next = CallNextHookEx(nullptr, code, wParam, lParam);
                finish(topLevelWindowAt(pt));
                return next;
            }
            if (wParam == WM_RBUTTONDOWN) {
                s.swallowRightUp = true;
                finish(nullptr);
                return 1;
            }
        }
    }
    if (code == HC_ACTION && wParam == WM_RBUTTONUP && s.swallowRightUp) {
        s.swallowRightUp = false;
        return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK keyboardHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && state().keyboard) {
        const auto* k = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        if (k->vkCode == VK_ESCAPE && (k->flags & LLKHF_INJECTED) == 0 &&
            (wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN)) {
            finish(nullptr);
            return 1;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

bool ClickTarget::begin(std::function<void(HWND)> done) {
    ClickState& s = state();
    if (s.mouse)
        return false;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    s.mouse = SetWindowsHookExW(WH_MOUSE_LL, mouseHook, instance, 0);
    s.keyboard = SetWindowsHookExW(WH_KEYBOARD_LL, keyboardHook, instance, 0);
    if (!s.mouse) {
        if (s.keyboard)
            UnhookWindowsHookEx(s.keyboard);
        s.keyboard = nullptr;
        return false;
    }
    s.done = std::move(done);
    if (HCURSOR cross = CopyCursor(LoadCursorW(nullptr, IDC_CROSS)))
        SetSystemCursor(cross, kNormalCursor);
    return true;
}

void ClickTarget::cancel() {
    if (state().mouse)
        finish(nullptr);
}

bool ClickTarget::active() {
    return state().mouse != nullptr;
}

} // namespace tapwell
