#include "keystroke/key_event_sink_win32.h"

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

void Win32KeyEventSink::sendKey(std::uint8_t vk, bool up) {
    keybd_event(vk, 0, up ? KEYEVENTF_KEYUP : 0, 0);
}

void Win32KeyEventSink::sendUnicodePair(char16_t unit) {
    INPUT in[2] = {unicodeRecord(unit, false), unicodeRecord(unit, true)};
    SendInput(2, in, sizeof(INPUT));
}

unsigned Win32KeyEventSink::sendUnicodeUnit(char16_t unit, bool up) {
    INPUT in = unicodeRecord(unit, up);
    return SendInput(1, &in, sizeof(INPUT));
}

KeyEventSink& systemKeyEventSink() {
    static Win32KeyEventSink sink;
    return sink;
}

} // namespace tapwell
