// Shows one message box and exits with the button that closed it: a target
// for the message-box helper's own tests.
//   showbox.exe CAPTION TEXT FLAGS
#include <windows.h>
#include <shellapi.h>

#include <cwchar>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc < 4)
        return 64;
    UINT flags = static_cast<UINT>(std::wcstoul(argv[3], nullptr, 10));
    int r = MessageBoxW(nullptr, argv[2], argv[1], flags);
    LocalFree(argv);
    return r;
}
