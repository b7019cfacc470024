#include "app/dialog_script_win32.h"

#include "app/message_box_win32.h"
#include "keystroke/key_event_sink_win32.h"
#include "script/script_runner.h"
#include "script/script_thread.h"
#include "script/services_win32.h"
#include "theme/theme_win32.h"

#include <process.h>

#include <algorithm>
#include <cwchar>
#include <memory>

namespace tapwell {

namespace {

constexpr const wchar_t* kScriptCaption = L"QZ-Script";
// Evaluation recurses per nesting level; a deep script must not overflow.
constexpr std::size_t kMinimumStack = 64u * 1024u * 1024u;

HWND g_owner = nullptr; // written before each thread starts, read by it

std::int32_t hostCallBack(CallBackCall* call) {
    wchar_t text[600];
    const wchar_t* name = call && call->name ? reinterpret_cast<const wchar_t*>(call->name) : L"";
    std::swprintf(text, sizeof text / sizeof text[0],
                  L"Unknown CallBack Function: %.500ls(args:%d)", name,
                  call ? static_cast<int>(call->count) : 0);
    ThemedMessageBox(g_owner, text, kScriptCaption, MB_OK | MB_ICONERROR);
    return 0;
}

void hostReportError(std::int32_t, std::int32_t, const char16_t* text) {
    ThemedMessageBox(g_owner, text ? reinterpret_cast<const wchar_t*>(text) : L"", kScriptCaption,
                     MB_OK | MB_ICONERROR);
}

std::int32_t hostMessageBox(void* owner, const char16_t* text, const char16_t* caption,
                            std::uint32_t flags) {
    return ShowAppMessage(static_cast<HWND>(owner), text ? text : u"", caption ? caption : u"",
                          flags);
}

std::int32_t platformMessageBox(void* owner, const char16_t* text, const char16_t* caption,
                                std::uint32_t flags) {
    return MessageBoxW(static_cast<HWND>(owner), reinterpret_cast<const wchar_t*>(text),
                       reinterpret_cast<const wchar_t*>(caption), flags);
}

struct ScriptJob {
    ScriptHost host;
    std::u16string text;
};

unsigned __stdcall scriptThreadEntry(void* argument) {
    std::unique_ptr<ScriptJob> job(static_cast<ScriptJob*>(argument));
    ScriptText = job->text.c_str();
    ScriptThreadProc(job->host);
    return 0;
}

} // namespace

bool startScriptThread(HWND owner, std::u16string text) {
    static const bool devicesInstalled = [] {
        setDefaultScriptDevices(
            {&systemScriptServices(), &systemKeyEventSink(), platformMessageBox});
        return true;
    }();
    (void)devicesInstalled;
    g_owner = owner;
    auto job = std::make_unique<ScriptJob>();
    job->host.hWndOwner = owner;
    job->host.CallBack = hostCallBack;
    job->host.ReportError = hostReportError;
    job->host.CheckAbort = consumeStopRequest;
    job->host.ShowMessageBox = hostMessageBox;
    job->text = std::move(text);
    const std::size_t stack = std::max<std::size_t>(kMinimumStack, kScriptThreadStackSize);
    uintptr_t handle = _beginthreadex(nullptr, static_cast<unsigned>(stack), scriptThreadEntry,
                                      job.get(), STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    if (handle == 0)
        return false;
    job.release(); // the thread owns it now
    CloseHandle(reinterpret_cast<HANDLE>(handle));
    return true;
}

} // namespace tapwell
