// What the script's worker thread shares with the GUI thread, and the
// portable body of that thread. The GUI starts the thread (with a stack of
// kScriptThreadStackSize bytes) and fills the ScriptHost with its own entries.
#pragma once

#include "script/script_host.h"
#include "script/script_run.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tapwell {

// True while the worker thread is inside ScriptThreadProc.
extern std::atomic<bool> scriptRunning;
// Set by the GUI on Abort; consumed by consumeStopRequest.
extern std::atomic<bool> scriptStopRequested;

// Room for the deepest nesting the parser accepts, with margin.
inline constexpr std::size_t kScriptThreadStackSize = 16u * 1024u * 1024u;

// The CheckAbort entry of the GUI's host: 1 (and the request cleared) when
// the user asked to stop, else 0.
std::int32_t consumeStopRequest(std::int32_t line);

// Caption of the boxes in which the GUI's host shows errors and unserved
// callback calls.
inline constexpr char16_t kScriptBoxCaption[] = u"QZ-Script";
// Flags of those boxes: error icon, OK button.
inline constexpr std::uint32_t kScriptBoxFlags = 0x10;

// The text the GUI's host shows for a callback call it does not serve:
// "Unknown CallBack Function: NAME(args:COUNT)".
std::u16string unknownCallBackMessage(const CallBackCall& call);

// Body of the worker thread: marks the script as running, runs ScriptText
// with `host` and the default devices, and marks it as ended. The exit code
// is dropped.
void ScriptThreadProc(const ScriptHost& host);

} // namespace tapwell
