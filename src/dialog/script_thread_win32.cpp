#include "dialog/script_thread_win32.h"

#include "keystroke/key_delivery.h"
#include "keystroke/keystroke_win32.h"
#include "keystroke/run_stop_win32.h"
#include "script/script_runner.h"
#include "script/services_win32.h"
#include "theme/theme_win32.h"

#include <algorithm>
#include <atomic>
#include <process.h>

namespace tapwell {

namespace {

constexpr const wchar_t* kScriptCaption = L"QZ-Script";
constexpr UINT kScriptBoxFlags = MB_OK | MB_ICONERROR;
// Evaluation recurses per nesting level; a deep script must not overflow.
constexpr std::size_t kMinimumStack = 64u * 1024u * 1024u;
// How long a new start waits for the last thread's final steps.
constexpr DWORD kLastThreadWaitMs = 1000;
// How often a finishing wait closes boxes the script opened meanwhile.
constexpr DWORD kFinishPollMs = 100;

// What the GUI hands the thread. One for the process: it is only refilled
// once the last thread has ended, so ScriptText never points into a text
// that has gone.
struct ScriptThreadSlot {
    std::u16string text;
    HWND owner = nullptr;
    Delivery delivery = Delivery::Written;
    std::uint32_t targetLayout = 0;
    HANDLE thread = nullptr;
    DWORD id = 0;
};

ScriptThreadSlot& slot() {
    static ScriptThreadSlot s;
    return s;
}

bool threadEnded(const ScriptThreadSlot& s) {
    return !s.thread || WaitForSingleObject(s.thread, 0) == WAIT_OBJECT_0;
}

// The owner of this script thread's boxes, handed over as it starts.
thread_local HWND t_owner = nullptr;

std::int32_t hostCallBack(CallBackCall* call) {
    const std::u16string text = call ? unknownCallBackMessage(*call) : std::u16string();
    ThemedMessageBox(t_owner, reinterpret_cast<const wchar_t*>(text.c_str()), kScriptCaption,
                     kScriptBoxFlags);
    return 0;
}

void hostReportError(std::int32_t, std::int32_t, const char16_t* text) {
    ThemedMessageBox(t_owner, text ? reinterpret_cast<const wchar_t*>(text) : L"", kScriptCaption,
                     kScriptBoxFlags);
}

std::int32_t hostMessageBox(void* owner, const char16_t* text, const char16_t* caption,
                            std::uint32_t flags) {
    return showAppMessage(static_cast<HWND>(owner), text ? text : u"", caption ? caption : u"",
                          flags);
}

// Set while the script may go on. The flag spares the poll after every
// statement a system call while no pause is asked for.
std::atomic<bool> g_paused{false};

HANDLE resumeEvent() {
    static HANDLE event = CreateEventW(nullptr, TRUE, TRUE, nullptr);
    return event;
}

// The script's stop poll: a pause holds it here, between two statements. An
// Esc while paused stops it before it sends anything more, even before the
// dialog has heard of the Esc.
std::int32_t checkAbortOrPause(std::int32_t line) {
    if (g_paused.load(std::memory_order_relaxed) && resumeEvent() &&
        waitForEventUnlessStopped(resumeEvent()))
        return 1;
    return consumeStopRequest(line);
}

unsigned __stdcall scriptThreadEntry(void* argument) {
    const ScriptThreadSlot& s = *static_cast<const ScriptThreadSlot*>(argument);
    t_owner = s.owner;
    // Built on this thread: the local layout is the one of the thread that
    // sends.
    KeyDeliveryStage stage(systemKeyEventSink(), s.delivery, s.targetLayout, systemKeyboardLayout);
    ScriptThreadStart start;
    start.owner = s.owner;
    start.checkAbort = checkAbortOrPause;
    start.callBack = hostCallBack;
    start.reportError = hostReportError;
    start.showMessageBox = hostMessageBox;
    start.devices = {&systemScriptServices(), &stage.sink(), nullptr};
    ScriptThreadProc(start);
    return 0;
}

} // namespace

void pauseScriptThread(bool paused) {
    g_paused = paused;
    if (paused)
        ResetEvent(resumeEvent());
    else
        SetEvent(resumeEvent());
}

DWORD scriptThreadId() {
    const ScriptThreadSlot& s = slot();
    return threadEnded(s) ? 0 : s.id;
}

bool startScriptThread(HWND owner, std::u16string text, Delivery delivery,
                       std::uint32_t targetLayout) {
    ScriptThreadSlot& s = slot();
    // Called once scriptRunning has gone false: the last thread is at most
    // taking down its key delivery.
    if (s.thread && WaitForSingleObject(s.thread, kLastThreadWaitMs) != WAIT_OBJECT_0)
        return false;
    if (s.thread)
        CloseHandle(s.thread);
    s.thread = nullptr;
    s.id = 0;
    s.text = std::move(text);
    s.owner = owner;
    s.delivery = delivery;
    s.targetLayout = targetLayout;
    ScriptText = s.text.c_str();
    const std::size_t stack = std::max<std::size_t>(kMinimumStack, kScriptThreadStackSize);
    unsigned id = 0;
    const uintptr_t handle =
        _beginthreadex(nullptr, static_cast<unsigned>(stack), scriptThreadEntry, &s,
                       STACK_SIZE_PARAM_IS_A_RESERVATION, &id);
    if (handle == 0)
        return false;
    s.thread = reinterpret_cast<HANDLE>(handle);
    s.id = id;
    return true;
}

bool finishScriptThread(DWORD timeoutMs) {
    ScriptThreadSlot& s = slot();
    if (threadEnded(s))
        return true;
    scriptStopRequested = true;
    pauseScriptThread(false);
    const DWORD start = GetTickCount();
    for (;;) {
        // A box answered OK lets the script reach its next stop poll; one it
        // opens before that is closed on the next round.
        closeRunMessageBoxes(s.id);
        const DWORD waited = GetTickCount() - start;
        if (waited >= timeoutMs)
            return threadEnded(s);
        const DWORD wait = std::min(kFinishPollMs, timeoutMs - waited);
        // A script's box owned by the dialog sends messages to this thread
        // (its owner is disabled and enabled again); they are answered here,
        // posted ones stay queued.
        const DWORD got = MsgWaitForMultipleObjects(1, &s.thread, FALSE, wait, QS_SENDMESSAGE);
        if (got == WAIT_OBJECT_0 || got == WAIT_FAILED)
            return threadEnded(s);
        MSG m;
        PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

} // namespace tapwell
