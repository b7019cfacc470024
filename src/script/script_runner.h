// Runs a QZ-Script text from start to end: UTF-16 to UTF-8, lexing, parsing,
// the predefined constants, evaluation and the clean-up. Every call builds a
// fresh run, so two runs never share variables, flow state or scanner state.
#pragma once

#include "script/script_host.h"
#include "script/script_run.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tapwell {

// Runs the null-terminated `text` with `host` (may be null, as may any of its
// entries). Returns the script's exit code; -1 when the text is null (107) or
// cannot be translated for lack of memory (106). Running out of memory later
// ends the script with error 106 and its exit code so far.
// A `cap` (may be null) cuts the run off after its number of boundaries.
std::int32_t runScriptText(const char16_t* text, const ScriptHost* host,
                           const ScriptDevices& devices = {}, StatementCap* cap = nullptr);

// The text the next RunScript runs. The GUI points it at a text that stays
// unchanged until the script thread has ended, just before it starts the
// thread.
extern const char16_t* ScriptText;

// runScriptText(ScriptText, host, devices).
std::int32_t RunScript(const ScriptHost* host, const ScriptDevices& devices);

// What the script's worker thread shares with the GUI thread, and the
// portable body of that thread. The GUI starts the thread (with a stack of
// kScriptThreadStackSize bytes) and hands it a ScriptThreadStart.

// True while the worker thread is inside ScriptThreadProc.
extern std::atomic<bool> scriptRunning;
// Set by the GUI on Abort; consumed by consumeStopRequest.
extern std::atomic<bool> scriptStopRequested;

// Room for the deepest nesting the parser accepts, with margin.
inline constexpr std::size_t kScriptThreadStackSize = 16u * 1024u * 1024u;

// The CheckAbort entry of the GUI's host: 1 (and the request cleared) when
// the user asked to stop, else 0.
std::int32_t consumeStopRequest(std::int32_t line);

// The text the GUI's host shows for a callback call it does not serve:
// "Unknown CallBack Function: NAME(args:COUNT)".
std::u16string unknownCallBackMessage(const CallBackCall& call);

// What the GUI hands the worker thread as it starts it: the owner window of
// the script's boxes, the host's entries that show them, and the devices the
// script's input and services go to. The stop poll is consumeStopRequest
// unless the GUI wraps it (to hold the script while the user pauses).
struct ScriptThreadStart {
    void* owner = nullptr;
    ScriptCheckAbortFn checkAbort = consumeStopRequest;
    ScriptCallBackFn callBack = nullptr;
    ScriptReportErrorFn reportError = nullptr;
    ScriptMessageBoxFn showMessageBox = nullptr;
    ScriptDevices devices;
};

// Body of the worker thread, which the GUI starts with scriptRunning set:
// fills the host record from `start`, runs ScriptText through RunScript, and
// marks the script as ended. The exit code is dropped.
void ScriptThreadProc(const ScriptThreadStart& start);

} // namespace tapwell
