#include "dialog/run_stop_win32.h"

#include <cwchar>
#include <memory>

namespace tapwell {

namespace {

// A thread message that tells the watch thread to end.
constexpr UINT kEndWatch = WM_APP + 20;
// How long an ending watch waits for the release of its Esc.
constexpr UINT kReleaseWaitMs = 3000;
// The hook must be in place before the run goes on.
constexpr DWORD kStartWaitMs = 2000;
// The static control that holds a message box's text.
constexpr int kMessageBoxTextId = 0xFFFF;

struct Watch {
    HWND dialog = nullptr;
    HANDLE stopEvent = nullptr; // the process's, not owned
    HANDLE ready = nullptr;     // owned by the starter
    // Touched by the watch thread only (the hook runs on it).
    bool fired = false;
    bool swallowRelease = false;
    bool ending = false;
    bool pauseHeld = false;
};

HANDLE stopEvent() {
    static HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    return event;
}

DWORD g_watchThread = 0; // GUI thread only

// The hook runs on the thread that installed it.
thread_local Watch* t_watch = nullptr;

LRESULT CALLBACK escHookProc(int code, WPARAM wParam, LPARAM lParam) {
    Watch* w = t_watch;
    if (code == HC_ACTION && w) {
        const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        if (key->vkCode == VK_PAUSE && (key->flags & LLKHF_INJECTED) == 0) {
            const bool down = (key->flags & LLKHF_UP) == 0;
            if (down && !w->pauseHeld)
                PostMessageW(w->dialog, kPauseKeyMessage, 0, 0);
            w->pauseHeld = down;
            return 1;
        }
        if (key->vkCode == VK_ESCAPE && (key->flags & LLKHF_INJECTED) == 0) {
            const bool release = (key->flags & LLKHF_UP) != 0;
            if (!release && !w->fired && !w->ending) {
                w->fired = true;
                w->swallowRelease = true;
                SetEvent(w->stopEvent);
                PostMessageW(w->dialog, kEscStopMessage, 0, 0);
                return 1;
            }
            if (w->swallowRelease) {
                // The key held down repeats until it is released.
                if (release) {
                    w->swallowRelease = false;
                    if (w->ending)
                        PostQuitMessage(0);
                }
                return 1;
            }
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

DWORD WINAPI watchThread(void* argument) {
    std::unique_ptr<Watch> w(static_cast<Watch*>(argument));
    t_watch = w.get();
    MSG m;
    // The queue exists from here on, so the end message cannot be lost.
    PeekMessageW(&m, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, escHookProc, GetModuleHandleW(nullptr), 0);
    SetEvent(w->ready);
    while (hook && GetMessageW(&m, nullptr, 0, 0) > 0) {
        if (m.hwnd == nullptr && m.message == kEndWatch) {
            w->ending = true;
            if (!w->swallowRelease)
                break;
            SetTimer(nullptr, 0, kReleaseWaitMs, nullptr);
            continue;
        }
        if (m.hwnd == nullptr && m.message == WM_TIMER && w->ending)
            break;
        DispatchMessageW(&m);
    }
    if (hook)
        UnhookWindowsHookEx(hook);
    t_watch = nullptr;
    return 0;
}

void startWatch(HWND dialog) {
    auto w = std::make_unique<Watch>();
    w->dialog = dialog;
    w->stopEvent = stopEvent();
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!ready)
        return;
    w->ready = ready;
    DWORD id = 0;
    HANDLE thread = CreateThread(nullptr, 0, watchThread, w.get(), 0, &id);
    if (thread) {
        w.release(); // the thread owns it now
        WaitForSingleObject(ready, kStartWaitMs);
        CloseHandle(thread);
        g_watchThread = id;
    }
    CloseHandle(ready);
}

BOOL CALLBACK findOtherControl(HWND child, LPARAM found) {
    wchar_t className[16] = {};
    GetClassNameW(child, className, 16);
    if (_wcsicmp(className, L"Static") == 0 || _wcsicmp(className, L"Button") == 0)
        return TRUE;
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
}

// A message box: a dialog with its text in the static 0xFFFF and nothing but
// statics and buttons. A file dialog or the About box (open during a
// countdown through their shortcuts) has other controls, and an OK there
// would act.
bool isMessageBox(HWND window) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (std::wcscmp(className, L"#32770") != 0 || !GetDlgItem(window, kMessageBoxTextId))
        return false;
    bool other = false;
    EnumChildWindows(window, findOtherControl, reinterpret_cast<LPARAM>(&other));
    return !other;
}

BOOL CALLBACK closeIfMessageBox(HWND window, LPARAM) {
    if (!isMessageBox(window))
        return TRUE;
    // A box without an OK button ends on IDOK as well; Cancel is the
    // gentler answer where there is one.
    int button = IDOK;
    if (!GetDlgItem(window, IDOK) && GetDlgItem(window, IDCANCEL))
        button = IDCANCEL;
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, button)));
    return TRUE;
}

} // namespace

void beginRunStopWatch(HWND dialog, bool watchEsc) {
    ResetEvent(stopEvent());
    endRunStopWatch();
    if (watchEsc)
        startWatch(dialog);
}

void endRunStopWatch() {
    if (g_watchThread)
        PostThreadMessageW(g_watchThread, kEndWatch, 0, 0);
    g_watchThread = 0;
}

void waitUnlessStopped(DWORD ms) {
    WaitForSingleObject(stopEvent(), ms);
}

void closeRunMessageBoxes(DWORD threadId) {
    if (threadId)
        EnumThreadWindows(threadId, closeIfMessageBox, 0);
}

} // namespace tapwell
