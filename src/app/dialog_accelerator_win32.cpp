#include "app/dialog_accelerator_win32.h"

#include "resource.h"

namespace tapwell {

namespace {

HWND g_dialog = nullptr;
HHOOK g_hook = nullptr;

LRESULT CALLBACK acceleratorProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && g_dialog && GetActiveWindow() == g_dialog) {
        // Bit 31: release; bit 30: the key was already down (auto-repeat).
        const bool firstPress = (lParam & (1LL << 31)) == 0 && (lParam & (1LL << 30)) == 0;
        if (firstPress) {
            const int command = acceleratorCommand(wParam, GetKeyState(VK_CONTROL) < 0);
            if (command != 0) {
                // Posted: a file dialog must not run inside the hook.
                PostMessageW(g_dialog, WM_COMMAND, MAKEWPARAM(command, 0), 0);
                return 1;
            }
        }
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

} // namespace

int acceleratorCommand(WPARAM virtualKey, bool controlHeld) {
    if (controlHeld && virtualKey == 'L')
        return IDM_LOAD_TEXT;
    if (controlHeld && virtualKey == 'S')
        return IDM_SAVE_TEXT;
    if (virtualKey == VK_F10)
        return IDM_ABOUT;
    return 0;
}

HHOOK installAcceleratorHook(HWND dialog) {
    g_dialog = dialog;
    g_hook = SetWindowsHookExW(WH_KEYBOARD, acceleratorProc, nullptr, GetCurrentThreadId());
    return g_hook;
}

void removeAcceleratorHook(HHOOK hook) {
    if (hook)
        UnhookWindowsHookEx(hook);
    if (hook == g_hook) {
        g_hook = nullptr;
        g_dialog = nullptr;
    }
}

} // namespace tapwell
