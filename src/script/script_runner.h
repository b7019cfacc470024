// Runs a QZ-Script text from start to end: UTF-16 to UTF-8, lexing, parsing,
// the predefined constants, evaluation and the clean-up. Every call builds a
// fresh run, so two runs never share variables, flow state or scanner state.
#pragma once

#include "script/script_host.h"
#include "script/script_run.h"

#include <cstdint>

namespace tapwell {

// Error codes reported through ScriptHost::ReportError.
inline constexpr int kErrorSyntax = 101;
inline constexpr int kErrorDivisionByZero = 102;
inline constexpr int kErrorRemainderByZero = 103;
inline constexpr int kErrorNoMemory = 106;
inline constexpr int kErrorInvalidText = 107;

// Runs the null-terminated `text` with `host` (may be null, as may any of its
// entries). Returns the script's exit code; -1 when the text is null (107) or
// cannot be translated for lack of memory (106). Running out of memory later
// ends the script with error 106 and its exit code so far.
std::int32_t RunScriptText(const char16_t* text, const ScriptHost* host,
                           const ScriptDevices& devices = {});

// The text the next RunScript runs; the GUI points it at its input text just
// before it starts the script thread.
extern const char16_t* ScriptText;

// The devices RunScript uses; the GUI installs the system's at start-up.
void setDefaultScriptDevices(const ScriptDevices& devices);
const ScriptDevices& defaultScriptDevices();

// RunScriptText(ScriptText, host, defaultScriptDevices()).
std::int32_t RunScript(const ScriptHost* host);

} // namespace tapwell
