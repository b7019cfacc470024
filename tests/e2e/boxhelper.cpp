// Waits for a message box, prints its caption, text and buttons, and presses
// the button asked for, so that no box left open hangs a scripted test.
//   boxhelper.exe [--pid N] [--caption TEXT] [--press LABEL] [--timeout MS]
// Exit: 0 pressed (or only reported), 1 no box in time, 2 no such button.
#include "support/win_driver.h"

#include <cstdio>
#include <cwchar>

using namespace tapwell::e2e;

int wmain(int argc, wchar_t** argv) {
    DWORD pid = 0;
    DWORD timeout = 10000;
    std::wstring caption, press;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::wcscmp(argv[i], L"--pid") == 0)
            pid = static_cast<DWORD>(std::wcstoul(argv[i + 1], nullptr, 10));
        else if (std::wcscmp(argv[i], L"--caption") == 0)
            caption = argv[i + 1];
        else if (std::wcscmp(argv[i], L"--press") == 0)
            press = argv[i + 1];
        else if (std::wcscmp(argv[i], L"--timeout") == 0)
            timeout = static_cast<DWORD>(std::wcstoul(argv[i + 1], nullptr, 10));
    }
    auto box = waitForMessageBox(pid, caption, timeout);
    if (!box) {
        std::puts("no message box");
        return 1;
    }
    std::printf("caption: %s\ntext: %s\nbuttons:", toUtf8(box->caption).c_str(),
                toUtf8(box->text).c_str());
    for (const auto& b : box->buttons)
        std::printf(" [%s]", toUtf8(b).c_str());
    std::printf("\n");
    if (press.empty())
        return 0;
    return pressButton(*box, press) ? 0 : 2;
}
