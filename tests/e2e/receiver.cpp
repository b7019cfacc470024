// A window that takes the keyboard focus and logs every key and character
// message it gets, one line each: "keydown VK", "keyup VK", "char UNIT",
// "syskeydown VK", "syskeyup VK", "syschar UNIT". With --scan the key lines
// also carry the scan code, "keydown VK sc XX" (E0XX for an extended key).
// With --times each line ends in two times for the pace benchmark: the
// microseconds since the receiver started when the message was handled, and
// the message's own time in milliseconds (when the input entered the queue,
// which a busy receiver does not delay). When it holds the focus it creates
// LOG.ready, so a test knows when to start typing.
//   receiver.exe LOGFILE [--seconds N] [--hold-focus MS] [--title TEXT] [--scan] [--times]
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

FILE* g_log = nullptr;
std::wstring g_readyPath;
DWORD g_holdUntil = 0;
bool g_logScan = false, g_times = false;
LARGE_INTEGER g_start{}, g_frequency{};
constexpr UINT_PTR kFocusTimer = 1, kLifeTimer = 2;

// Bits 16-23 of a key message's parameter are its scan code, bit 24 the
// extended-key flag.
void logLine(const char* what, WPARAM value, LPARAM lp, bool key) {
    std::fprintf(g_log, "%s %u", what, static_cast<unsigned>(value));
    if (key && g_logScan)
        std::fprintf(g_log, ((lp >> 24) & 1) ? " sc E0%02X" : " sc %02X",
                     static_cast<unsigned>((lp >> 16) & 0xFF));
    if (g_times) {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        std::fprintf(g_log, " %lld %ld",
                     (now.QuadPart - g_start.QuadPart) * 1000000 / g_frequency.QuadPart,
                     GetMessageTime());
    }
    std::fputc('\n', g_log);
    std::fflush(g_log);
}

LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    // WM_KEYDOWN to WM_SYSCHAR, without the dead characters.
    static const char* const kLogged[] = {"keydown",    "keyup",    "char",   nullptr,
                                          "syskeydown", "syskeyup", "syschar"};
    if (msg >= WM_KEYDOWN && msg <= WM_SYSCHAR && kLogged[msg - WM_KEYDOWN]) {
        logLine(kLogged[msg - WM_KEYDOWN], wp, lp, msg != WM_CHAR && msg != WM_SYSCHAR);
        // System keys go on to the default handling (Alt+F4 and the like).
        if (msg != WM_SYSKEYDOWN && msg != WM_SYSKEYUP)
            return 0;
    }
    switch (msg) {
    case WM_TIMER:
        if (wp == kLifeTimer) {
            DestroyWindow(hwnd);
        } else if (GetTickCount() >= g_holdUntil) {
            KillTimer(hwnd, kFocusTimer);
        } else if (GetForegroundWindow() != hwnd) {
            // Under Wine a window created just before ours may take the
            // activation late; keep taking it back for a while.
            SetForegroundWindow(hwnd);
            SetFocus(hwnd);
        }
        if (wp == kFocusTimer && !g_readyPath.empty() && GetForegroundWindow() == hwnd) {
            HANDLE ready = CreateFileW(g_readyPath.c_str(), GENERIC_WRITE, 0, nullptr,
                                       CREATE_ALWAYS, 0, nullptr);
            if (ready != INVALID_HANDLE_VALUE && CloseHandle(ready))
                g_readyPath.clear();
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

} // namespace

int WINAPI wWinMain(HINSTANCE inst, HINSTANCE, PWSTR, int) {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc < 2)
        return 64;
    int seconds = 60, holdMs = 2000;
    std::wstring title = L"tapwell receiver";
    for (int i = 2; i < argc; ++i) {
        // Every option with a value takes exactly its value.
        const bool hasValue = i + 1 < argc;
        if (std::wcscmp(argv[i], L"--scan") == 0)
            g_logScan = true;
        else if (std::wcscmp(argv[i], L"--times") == 0)
            g_times = true;
        else if (hasValue && std::wcscmp(argv[i], L"--seconds") == 0)
            seconds = _wtoi(argv[++i]);
        else if (hasValue && std::wcscmp(argv[i], L"--hold-focus") == 0)
            holdMs = _wtoi(argv[++i]);
        else if (hasValue && std::wcscmp(argv[i], L"--title") == 0)
            title = argv[++i];
    }
    QueryPerformanceFrequency(&g_frequency);
    QueryPerformanceCounter(&g_start);
    const std::wstring logPath = argv[1];
    g_log = _wfopen(logPath.c_str(), L"w");
    if (!g_log)
        return 2;
    g_readyPath = logPath + L".ready";
    DeleteFileW(g_readyPath.c_str());

    WNDCLASSW wc{};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = inst;
    wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    wc.lpszClassName = L"TapwellReceiver";
    RegisterClassW(&wc);
    HWND hwnd =
        CreateWindowExW(0, wc.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40,
                        40, 360, 160, nullptr, nullptr, inst, nullptr);
    if (!hwnd)
        return 3;
    SetForegroundWindow(hwnd);
    SetFocus(hwnd);
    g_holdUntil = GetTickCount() + static_cast<DWORD>(holdMs);
    SetTimer(hwnd, kFocusTimer, 100, nullptr);
    SetTimer(hwnd, kLifeTimer, static_cast<UINT>(seconds) * 1000u, nullptr);

    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
    std::fclose(g_log);
    LocalFree(argv);
    return 0;
}
