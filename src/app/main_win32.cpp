// tapwell.exe's entry.
#include "app/startup_win32.h"

#include <shellapi.h>
#include <stdlib.h>

#include <string>
#include <vector>

namespace {

// The runtime's split of the command line, without the program name.
std::vector<std::u16string> commandLineArguments() {
    std::vector<std::u16string> args;
    int argc = __argc;
    wchar_t** argv = __wargv;
    LPWSTR* own = nullptr;
    if (!argv) {
        own = CommandLineToArgvW(GetCommandLineW(), &argc);
        argv = own;
    }
    for (int i = 1; argv && i < argc; ++i) {
        std::wstring_view a(argv[i]);
        args.emplace_back(a.begin(), a.end());
    }
    if (own)
        LocalFree(own);
    return args;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    return tapwell::RunApplication(instance, commandLine, commandLineArguments());
}
