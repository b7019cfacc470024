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
bool g_logScan = false;
bool g_times = false;
LARGE_INTEGER g_start{};
LARGE_INTEGER g_frequency{};
constexpr UINT_PTR kFocusTimer = 1;
constexpr UINT_PTR kLifeTimer = 2;

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
    static const struct {
        UINT msg;
        const char* name;
        bool key;
    } kLogged[] = {{WM_KEYDOWN, "keydown", true},   {WM_KEYUP, "keyup", true},
                   {WM_CHAR, "char", false},        {WM_SYSKEYDOWN, "syskeydown", true},
                   {WM_SYSKEYUP, "syskeyup", true}, {WM_SYSCHAR, "syschar", false}};
    for (const auto& logged : kLogged) {
        if (msg == logged.msg) {
            logLine(logged.name, wp, lp, logged.key);
            // System keys go on to the default handling (Alt+F4 and the like).
            return msg == WM_SYSKEYDOWN || msg == WM_SYSKEYUP ? DefWindowProcW(hwnd, msg, wp, lp)
                                                              : 0;
        }
    }
    switch (msg) {
    case WM_TIMER:
        if (wp == kLifeTimer) {
            DestroyWindow(hwnd);
        } else if (GetTickCount() < g_holdUntil) {
            // Under Wine a window created just before ours may take the
            // activation late; keep taking it back for a while.
            if (GetForegroundWindow() != hwnd) {
                SetForegroundWindow(hwnd);
                SetFocus(hwnd);
            }
        } else {
            KillTimer(hwnd, kFocusTimer);
        }
        if (wp == kFocusTimer && !g_readyPath.empty() && GetForegroundWindow() == hwnd) {
            if (FILE* f = _wfopen(g_readyPath.c_str(), L"w")) {
                std::fputs("ready\n", f);
                std::fclose(f);
                g_readyPath.clear();
            }
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
    int seconds = 60;
    int holdMs = 2000;
    std::wstring title = L"tapwell receiver";
    for (int i = 2; i < argc; ++i) {
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
    wc.lpszClassName = L"TapwellReceiver";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
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
