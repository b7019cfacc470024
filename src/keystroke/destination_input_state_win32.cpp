#include "keystroke/keystroke_win32.h"

#include <windows.h>

#include <imm.h>

namespace tapwell {

namespace {

// A destination that hangs must not hang the dialog: the IME window answers
// on the destination's thread.
constexpr UINT kImeAnswerMs = 200;
constexpr WORD kVkImeOff = 0x1A;
// The WM_IME_CONTROL requests; mingw's imm.h does not define them.
constexpr WPARAM kImcGetOpenStatus = 0x0005;
constexpr WPARAM kImcSetOpenStatus = 0x0006;
constexpr WORD kCapsLockScanCode = 0x3A;

HWND asWindow(WindowId window) {
    return reinterpret_cast<HWND>(window);
}

std::optional<LRESULT> askIme(WindowId focus, WPARAM request, LPARAM value) {
    // For no window the IMM would answer with this thread's own IME window.
    HWND ime = focus ? ImmGetDefaultIMEWnd(asWindow(focus)) : nullptr;
    if (!ime)
        return std::nullopt;
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(ime, WM_IME_CONTROL, request, value, SMTO_ABORTIFHUNG, kImeAnswerMs,
                             &answer))
        return std::nullopt;
    return static_cast<LRESULT>(answer);
}

void pressKey(WORD vk, WORD scanCode) {
    INPUT input[2] = {};
    for (INPUT& in : input) {
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vk;
        in.ki.wScan = scanCode;
    }
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
}

} // namespace

WindowId Win32DestinationInputState::focusWindow() {
    HWND front = GetForegroundWindow();
    if (!front)
        return 0;
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(front, nullptr), &info))
        return 0;
    // A window without a focused child keeps the focus itself.
    return reinterpret_cast<WindowId>(info.hwndFocus ? info.hwndFocus : front);
}

std::uint16_t Win32DestinationInputState::layoutLanguage(WindowId focus) {
    const DWORD thread = GetWindowThreadProcessId(asWindow(focus), nullptr);
    const HKL layout = GetKeyboardLayout(thread);
    return static_cast<std::uint16_t>(PRIMARYLANGID(LOWORD(reinterpret_cast<UINT_PTR>(layout))));
}

std::optional<bool> Win32DestinationInputState::imeOpen(WindowId focus) {
    std::optional<LRESULT> answer = askIme(focus, kImcGetOpenStatus, 0);
    if (!answer)
        return std::nullopt;
    return *answer != 0;
}

void Win32DestinationInputState::setImeOpen(WindowId focus, bool open) {
    askIme(focus, kImcSetOpenStatus, open ? 1 : 0);
}

void Win32DestinationInputState::pressImeOff() {
    pressKey(kVkImeOff, 0);
}

bool Win32DestinationInputState::capsLockOn() {
    return (GetKeyState(VK_CAPITAL) & 1) != 0;
}

void Win32DestinationInputState::pressCapsLock() {
    pressKey(VK_CAPITAL, kCapsLockScanCode);
}

DestinationInputState& systemDestinationInputState() {
    static Win32DestinationInputState state;
    return state;
}

} // namespace tapwell
