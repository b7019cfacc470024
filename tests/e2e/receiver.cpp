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
bool g_readyWritten = false;
bool g_logScan = false;
bool g_times = false;
LARGE_INTEGER g_startCount{};
LARGE_INTEGER g_frequency{};
constexpr UINT_PTR kFocusTimer = 1;
constexpr UINT_PTR kLifeTimer = 2;

void logLine(const char* what, WPARAM value) {
    if (!g_log)
        return;
    if (g_times) {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        const long long us =
            (now.QuadPart - g_startCount.QuadPart) * 1000000 / g_frequency.QuadPart;
        std::fprintf(g_log, "%s %u %lld %ld\n", what, static_cast<unsigned>(value), us,
                     GetMessageTime());
    } else {
        std::fprintf(g_log, "%s %u\n", what, static_cast<unsigned>(value));
    }
    std::fflush(g_log);
}

// Bits 16-23 of a key message's parameter are its scan code, bit 24 the
// extended-key flag.
void logKey(const char* what, WPARAM vk, LPARAM lp) {
    if (!g_log)
        return;
    if (!g_logScan) {
        logLine(what, vk);
        return;
    }
    const unsigned scan = static_cast<unsigned>((lp >> 16) & 0xFF);
    const bool extended = ((lp >> 24) & 1) != 0;
    std::fprintf(g_log, extended ? "%s %u sc E0%02X\n" : "%s %u sc %02X\n", what,
                 static_cast<unsigned>(vk), scan);
    std::fflush(g_log);
}

void markReady(HWND hwnd) {
    if (g_readyWritten || GetForegroundWindow() != hwnd)
        return;
    FILE* f = _wfopen(g_readyPath.c_str(), L"w");
    if (f) {
        std::fputs("ready\n", f);
        std::fclose(f);
        g_readyWritten = true;
    }
}

LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_KEYDOWN:
        logKey("keydown", wp, lp);
        return 0;
    case WM_KEYUP:
        logKey("keyup", wp, lp);
        return 0;
    case WM_CHAR:
        logLine("char", wp);
        return 0;
    case WM_SYSKEYDOWN:
        logKey("syskeydown", wp, lp);
        break;
    case WM_SYSKEYUP:
        logKey("syskeyup", wp, lp);
        break;
    case WM_SYSCHAR:
        logLine("syschar", wp);
        return 0;
    case WM_TIMER:
        if (wp == kFocusTimer) {
            // Under Wine a window created just before ours may take the
            // activation late; keep taking it back for a while.
            if (GetTickCount() < g_holdUntil) {
                if (GetForegroundWindow() != hwnd) {
                    SetForegroundWindow(hwnd);
                    SetFocus(hwnd);
                }
            } else {
                KillTimer(hwnd, kFocusTimer);
            }
            markReady(hwnd);
        } else if (wp == kLifeTimer) {
            DestroyWindow(hwnd);
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
    std::wstring logPath = argv[1];
    int seconds = 60;
    int holdMs = 2000;
    std::wstring title = L"tapwell receiver";
    for (int i = 2; i < argc; ++i) {
        if (std::wcscmp(argv[i], L"--scan") == 0) {
            g_logScan = true;
            continue;
        }
        if (std::wcscmp(argv[i], L"--times") == 0) {
            g_times = true;
            continue;
        }
        if (i + 1 >= argc)
            break;
        if (std::wcscmp(argv[i], L"--seconds") == 0)
            seconds = _wtoi(argv[++i]);
        else if (std::wcscmp(argv[i], L"--hold-focus") == 0)
            holdMs = _wtoi(argv[++i]);
        else if (std::wcscmp(argv[i], L"--title") == 0)
            title = argv[++i];
    }
    QueryPerformanceFrequency(&g_frequency);
    QueryPerformanceCounter(&g_startCount);
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
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    RegisterClassW(&wc);
    HWND hwnd =
        CreateWindowExW(0, wc.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40,
                        40, 360, 160, nullptr, nullptr, inst, nullptr);
    if (!hwnd)
        return 3;
    ShowWindow(hwnd, SW_SHOW);
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
