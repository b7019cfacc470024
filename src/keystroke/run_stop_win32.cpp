#include "keystroke/run_stop_win32.h"

#include <atomic>
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

// The broadcast's receiver: a hidden top-level window, as HWND_BROADCAST
// reaches no message-only window.
constexpr wchar_t kReceiverClass[] = L"tapwell run stop";
// How long a console's close waits for the release of what the run held;
// the system ends the process after about five seconds.
constexpr DWORD kConsoleCloseWaitMs = 4000;

struct Watch {
    HWND notify = nullptr;
    DWORD boxThread = 0;
    HANDLE stopEvent = nullptr; // the process's, not owned
    HANDLE ready = nullptr;     // owned by the starter
    // Touched by the watch thread only (the hook and the receiver run on it).
    bool fired = false;
    bool swallowRelease = false;
    bool ending = false;
    bool pauseHeld = false;
};

HANDLE stopEvent() {
    static HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    return event;
}

HANDLE finishedEvent() {
    static HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    return event;
}

DWORD g_watchThread = 0;        // the starting thread only
HANDLE g_watchHandle = nullptr; // the last watch thread, until it is waited for
// The thread whose boxes a stop closes; the console handler reads it.
std::atomic<DWORD> g_boxThread{0};

// The hook runs on the thread that installed it.
thread_local Watch* t_watch = nullptr;

// This run stops: its waits end, its window hears of it, its boxes close.
// With `tellOthers`, every other run of the session stops as well.
void fire(Watch& w, bool tellOthers) {
    if (w.fired)
        return;
    w.fired = true;
    SetEvent(w.stopEvent);
    if (w.notify)
        PostMessageW(w.notify, kEscStopMessage, 0, 0);
    closeRunMessageBoxes(w.boxThread);
    if (tellOthers)
        PostMessageW(HWND_BROADCAST, runStopBroadcastMessage(), GetCurrentProcessId(), 0);
}

LRESULT CALLBACK receiverProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == runStopBroadcastMessage() && msg != 0 && t_watch && !t_watch->ending) {
        fire(*t_watch, false);
        return 0;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

HWND createReceiver() {
    static const ATOM atom = [] {
        WNDCLASSW c{};
        c.lpfnWndProc = receiverProc;
        c.hInstance = GetModuleHandleW(nullptr);
        c.lpszClassName = kReceiverClass;
        return RegisterClassW(&c);
    }();
    if (!atom)
        return nullptr;
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, kReceiverClass, L"", WS_POPUP, 0, 0, 0, 0,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    // A run of lower rights may stop this one, as its Esc would.
    if (window)
        ChangeWindowMessageFilterEx(window, runStopBroadcastMessage(), MSGFLT_ALLOW, nullptr);
    return window;
}

LRESULT CALLBACK escHookProc(int code, WPARAM wParam, LPARAM lParam) {
    Watch* w = t_watch;
    if (code == HC_ACTION && w) {
        const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        // The user's Pause pauses and resumes a window's run; it is swallowed
        // as the Esc that stops one is. Key repeat sends one toggle only.
        if (key->vkCode == VK_PAUSE && (key->flags & LLKHF_INJECTED) == 0 && w->notify) {
            const bool down = (key->flags & LLKHF_UP) == 0;
            if (down && !w->pauseHeld)
                PostMessageW(w->notify, kPauseKeyMessage, 0, 0);
            w->pauseHeld = down;
            return 1;
        }
        if (key->vkCode == VK_ESCAPE && (key->flags & LLKHF_INJECTED) == 0) {
            const bool release = (key->flags & LLKHF_UP) != 0;
            if (!release && !w->fired && !w->ending) {
                w->swallowRelease = true;
                fire(*w, true);
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
    HWND receiver = createReceiver();
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
    if (receiver)
        DestroyWindow(receiver);
    if (hook)
        UnhookWindowsHookEx(hook);
    t_watch = nullptr;
    return 0;
}

void startWatch(HWND notify, DWORD boxThread) {
    auto w = std::make_unique<Watch>();
    w->notify = notify;
    w->boxThread = boxThread;
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
        g_watchThread = id;
        g_watchHandle = thread;
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

UINT runStopBroadcastMessage() {
    static const UINT message = RegisterWindowMessageW(L"tapwell.StopEveryRun");
    return message;
}

void beginRunStopWatch(HWND notify, bool watchEsc, DWORD boxThread) {
    ResetEvent(stopEvent());
    ResetEvent(finishedEvent());
    endRunStopWatch();
    if (g_watchHandle)
        CloseHandle(g_watchHandle);
    g_watchHandle = nullptr;
    g_boxThread = boxThread;
    if (watchEsc)
        startWatch(notify, boxThread);
}

void endRunStopWatch() {
    if (g_watchThread)
        PostThreadMessageW(g_watchThread, kEndWatch, 0, 0);
    g_watchThread = 0;
}

void awaitRunStopWatchEnd() {
    if (!g_watchHandle)
        return;
    WaitForSingleObject(g_watchHandle, kReleaseWaitMs + 500);
    CloseHandle(g_watchHandle);
    g_watchHandle = nullptr;
}

bool runStopRequested() {
    return WaitForSingleObject(stopEvent(), 0) == WAIT_OBJECT_0;
}

void requestRunStop() {
    SetEvent(stopEvent());
    closeRunMessageBoxes(g_boxThread.load());
}

bool runStopEventReady() {
    return stopEvent() != nullptr;
}

void waitUnlessStopped(DWORD ms) {
    WaitForSingleObject(stopEvent(), ms);
}

bool waitForEventUnlessStopped(HANDLE event) {
    HANDLE both[2] = {event, stopEvent()};
    return WaitForMultipleObjects(2, both, FALSE, INFINITE) != WAIT_OBJECT_0;
}

void waitWithMessages(DWORD ms, bool (*ended)(void* context), void* context) {
    const ULONGLONG start = GetTickCount64();
    HANDLE stop = stopEvent();
    for (;;) {
        const ULONGLONG spent = GetTickCount64() - start;
        if (spent >= ms)
            return;
        const DWORD woke = MsgWaitForMultipleObjectsEx(1, &stop, static_cast<DWORD>(ms - spent),
                                                       QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woke != WAIT_OBJECT_0 + 1)
            return; // stopped, over, or failed
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            if (m.message == WM_QUIT) {
                // Left for the loop that owns it.
                PostQuitMessage(static_cast<int>(m.wParam));
                return;
            }
            HWND active = GetActiveWindow();
            if (!active || !IsDialogMessageW(active, &m)) {
                TranslateMessage(&m);
                DispatchMessageW(&m);
            }
        }
        if (ended && ended(context))
            return;
    }
}

void closeRunMessageBoxes(DWORD threadId) {
    if (threadId)
        EnumThreadWindows(threadId, closeIfMessageBox, 0);
}

BOOL WINAPI consoleStopHandler(DWORD event) {
    switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
        requestRunStop();
        return TRUE;
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
        requestRunStop();
        WaitForSingleObject(finishedEvent(), kConsoleCloseWaitMs);
        return TRUE;
    default:
        return FALSE;
    }
}

void stopRunOnConsoleEvents() {
    SetConsoleCtrlHandler(consoleStopHandler, TRUE);
}

void markRunFinished() {
    SetEvent(finishedEvent());
}

} // namespace tapwell
