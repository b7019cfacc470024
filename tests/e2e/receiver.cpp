// A window that takes the keyboard focus and logs each key and character
// message, one a line: "keydown VK", "keyup VK", "char UNIT", "syskeydown VK",
// "syskeyup VK", "syschar UNIT". With --scan key lines end in the scan code,
// "keydown VK sc XX" (E0XX: an extended key). With --times each line ends in
// the microseconds since the start when handled and the message's own time in
// ms (when the input was queued, which a busy receiver does not delay), for
// the pace benchmark. Holding the focus, it creates LOG.ready: type now.
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

LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    // WM_KEYDOWN to WM_SYSCHAR, without the dead characters.
    static const char* const kLogged[] = {"keydown",    "keyup",    "char",   nullptr,
                                          "syskeydown", "syskeyup", "syschar"};
    if (msg >= WM_KEYDOWN && msg <= WM_SYSCHAR && kLogged[msg - WM_KEYDOWN]) {
        std::fprintf(g_log, "%s %u", kLogged[msg - WM_KEYDOWN], static_cast<unsigned>(wp));
        // Bits 16-23 of the parameter: the scan code; bit 24: extended key.
        if (g_logScan && msg != WM_CHAR && msg != WM_SYSCHAR)
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
        // System keys go on to the default handling (Alt+F4 and the like).
        if (msg != WM_SYSKEYDOWN && msg != WM_SYSKEYUP)
            return 0;
    } else if (msg == WM_TIMER && wp == kLifeTimer) {
        DestroyWindow(hwnd);
    } else if (msg == WM_TIMER) {
        // Under Wine a window created just before ours may take the
        // activation late; keep taking it back for a while.
        if (GetTickCount() >= g_holdUntil) {
            KillTimer(hwnd, kFocusTimer);
        } else if (GetForegroundWindow() != hwnd) {
            SetForegroundWindow(hwnd);
            SetFocus(hwnd);
        }
        if (!g_readyPath.empty() && GetForegroundWindow() == hwnd) {
            HANDLE ready = CreateFileW(g_readyPath.c_str(), GENERIC_WRITE, 0, nullptr,
                                       CREATE_ALWAYS, 0, nullptr);
            if (ready != INVALID_HANDLE_VALUE && CloseHandle(ready))
                g_readyPath.clear();
        }
    } else if (msg == WM_DESTROY) {
        PostQuitMessage(0);
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
    g_log = _wfopen(argv[1], L"w");
    if (!g_log)
        return 2;
    g_readyPath = std::wstring(argv[1]) + L".ready";
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
    for (MSG m; GetMessageW(&m, nullptr, 0, 0) > 0;) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
    std::fclose(g_log);
    LocalFree(argv);
    return 0;
}
