// Stand-in entry until the main dialog lands: /T:text types the text through
// the real key event sink after a short wait, as Unicode events.
#include "keystroke/key_event_sink_win32.h"

#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR cmdLine, int) {
    std::wstring line = cmdLine ? cmdLine : L"";
    auto pos = line.find(L"/T:");
    if (pos == std::wstring::npos) {
        MessageBoxW(nullptr, L"Usage: tapwell /T:text", L"Davudiru Dodovizar",
                    MB_ICONINFORMATION);
        return 0;
    }
    std::wstring text = line.substr(pos + 3);
    if (text.size() >= 2 && text.front() == L'"' && text.back() == L'"')
        text = text.substr(1, text.size() - 2);
    Sleep(1500);
    tapwell::KeyEventSink& sink = tapwell::systemKeyEventSink();
    for (wchar_t c : text) {
        if (c == L'\n')
            tapwell::pressAndRelease(sink, VK_RETURN);
        else
            sink.sendUnicodePair(static_cast<char16_t>(c));
        Sleep(20);
    }
    return 0;
}
