// The built-in function dispatcher and what it needs from the running
// interpreter. Every FuncCallNode ends here.
#pragma once

#include "script/script_host.h"
#include "script/script_value.h"
#include "script/services.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace tapwell {

class KeyEventSink;
class HeldInputs;

// The language version GETQZ_SCRIPTVERSION reports.
inline constexpr std::int32_t kScriptLanguageVersion = 10009;

// Implemented by the interpreter's per-run object. All calls come from the
// thread that runs the script.
class BuiltinEnv : public StopQuery {
  public:
    // Reports a runtime error through the host's error report (`message` is
    // UTF-8, already formatted, with its final line feed) and sets the flow
    // state to stop, so the script ends after the current statement.
    virtual void reportRuntimeError(int code, int line, std::string_view message) = 0;

    // Shows a message box through the run's message-box function (the host's,
    // or the platform's) owned by the run's owner window; texts are UTF-8.
    // Returns the button pressed (IDOK 1, IDCANCEL 2, IDYES 6, IDNO 7, ...).
    virtual int showMessageBox(std::string_view text, std::string_view caption,
                               std::uint32_t flags) = 0;

    // The run's owner window (the clipboard's owner while a built-in uses it);
    // null when the host gave none.
    virtual OwnerWindow ownerWindow() = 0;

    virtual ScriptServices& services() = 0;
    virtual KeyEventSink& keySink() = 0;
    // Where the mouse-button built-ins note what they hold down, so that a
    // script the user stops can release it; null when nobody keeps track.
    virtual HeldInputs* heldInputs() { return nullptr; }

    // State of RAND/SRAND. It starts at 1 for every run (a run has a thread of
    // its own in the program), so a run without SRAND repeats its sequence.
    virtual std::uint32_t& randomState() = 0;

    // Whether the user asked the script to stop. Must not consume the request
    // (the statement boundary does that); SLEEP uses it to end a long wait at
    // once.
    bool stopRequested() const override = 0;
};

// A built-in name resolved once (e.g. by the parser for each call site), so
// that repeated calls skip the name lookup. Resolving is case-insensitive.
struct BuiltinRef {
    std::int16_t row = -1; // -1: no built-in of that name
};
BuiltinRef resolveBuiltin(std::string_view name);

// Runs the built-in `name` (as written in the script) with `args` and puts
// its value into `result`. Unknown names and unaccepted argument counts are
// reported as errors 104/105 through `env` with `line`, and give integer 0
// (or the empty string for a 105 on a name ending in '$').
// The arguments are the caller's temporaries: they may be modified (an
// integer argument read as text is turned into a string in place). `result`
// must not be one of them. Both keep their buffers, so a caller that reuses
// them from call to call does not allocate in a loop.
void CallBuiltin(BuiltinEnv& env, ScriptValue& result, std::string_view name,
                 std::span<ScriptValue> args, int line);
// The same with a name resolved beforehand; `name` is still needed for the
// error messages. `ref` must come from resolveBuiltin(name). `lent` is empty
// or has one entry per argument: a text to read in place of args[i] (a
// variable's or a literal's, unchanged until the call returns), or null
// where args[i] holds the argument. The built-in may change the entries.
void CallBuiltin(BuiltinEnv& env, ScriptValue& result, BuiltinRef ref, std::string_view name,
                 std::span<ScriptValue> args, std::span<const ScriptValue*> lent, int line);

} // namespace tapwell
