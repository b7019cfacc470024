#include "keystroke/keystroke_win32.h"

#include <windows.h>

namespace tapwell {

static_assert(sizeof(INPUT) == 40, "keyboard input records are 40 bytes on x64");

namespace {
INPUT unicodeRecord(char16_t unit, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = 0;
    in.ki.wScan = static_cast<WORD>(unit);
    in.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
    in.ki.time = 0;
    in.ki.dwExtraInfo = 0;
    return in;
}
} // namespace

// The same fields keybd_event would get: the virtual key, scan code 0, no
// extra information.
unsigned Win32KeyEventSink::sendKey(std::uint8_t vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return SendInput(1, &in, sizeof(INPUT));
}

unsigned Win32KeyEventSink::sendUnicodePair(char16_t unit) {
    INPUT in[2] = {unicodeRecord(unit, false), unicodeRecord(unit, true)};
    return SendInput(2, in, sizeof(INPUT));
}

unsigned Win32KeyEventSink::sendUnicodeUnit(char16_t unit, bool up) {
    INPUT in = unicodeRecord(unit, up);
    return SendInput(1, &in, sizeof(INPUT));
}

// Virtual key and scan code together, never KEYEVENTF_SCANCODE: Wine turns a
// scan code alone into virtual key 0 with no character, while both reach
// local programs and clients that forward scan codes.
unsigned Win32KeyEventSink::sendPhysicalKey(PhysicalKey key, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = key.vk;
    in.ki.wScan = static_cast<WORD>(key.scan & 0xFF);
    in.ki.dwFlags = (key.extended() ? KEYEVENTF_EXTENDEDKEY : 0) | (up ? KEYEVENTF_KEYUP : 0);
    return SendInput(1, &in, sizeof(INPUT));
}

void Win32KeyEventSink::settle(std::uint32_t ms) {
    Sleep(ms);
}

KeyEventSink& systemKeyEventSink() {
    static Win32KeyEventSink sink;
    return sink;
}

} // namespace tapwell
