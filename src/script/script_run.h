// The state of one running script: variables, flow state, exit code and the
// host's entries. Every node evaluates against the ScriptRun it is given, so
// nothing of a run lives in process-wide variables.
#pragma once

#include "keystroke/guarded_sink.h"
#include "script/builtin_api.h"
#include "script/script_host.h"
#include "script/variable_table.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace tapwell {

class Node;
class KeyEventSink;
class ScriptServices;

// Where the built-ins' effects go. Null members get harmless stand-ins: a
// silent fake for the services, a sink that drops its events, and message
// boxes that answer 0 (as a failed platform call does).
struct ScriptDevices {
    ScriptServices* services = nullptr;
    KeyEventSink* keySink = nullptr;
    // The message box used when the host has no ShowMessageBox of its own
    // (the platform's MessageBoxW on Windows).
    ScriptMessageBoxFn platformMessageBox = nullptr;
};

// A cut-off after a number of statement boundaries, for runs that nobody can
// stop by hand. Every boundary and every stop query of a waiting built-in
// counts one; the first one beyond `boundaries` stops the run as the host's
// stop would, and sets `reached`.
struct StatementCap {
    std::uint64_t boundaries = 0;
    bool reached = false;
};

class ScriptRun final : public BuiltinEnv {
  public:
    ScriptRun(const ScriptHost* host, const ScriptDevices& devices, StatementCap* cap = nullptr);
    ~ScriptRun() override;

    VariableTable& variables() { return variables_; }

    std::uint32_t FlowState = 0;
    std::int32_t ExitCode = 0;

    // Statement boundary: asks the host (once) whether to stop. On a stop
    // request sets FlowState to FLOW_STOP and returns true. Inline, as it
    // runs after every statement and loop iteration.
    bool checkAbort(std::int32_t line) {
        if (--untilAsk_ != 0)
            return false;
        return askAbort(line);
    }
    // Line of the statement in progress, for stop queries from built-ins.
    void setCurrentLine(std::int32_t line) { currentLine_ = line; }
    std::int32_t currentLine() const { return currentLine_; }

    // Reports through the host without touching the flow state (syntax errors).
    void reportError(int code, std::int32_t line, std::string_view utf8Message);

    ScriptCallBackFn callBack() const { return callBack_; }

    // Where statements put the value nobody reads; reused so that a
    // statement does not allocate for it.
    ScriptValue& scratch() { return scratch_; }

    // Scratch list for walking operator chains; users push above the size
    // they found and shrink back to it.
    std::vector<Node*>& chain() { return chain_; }

    // BuiltinEnv
    void reportRuntimeError(int code, int line, std::string_view message) override;
    int showMessageBox(std::string_view text, std::string_view caption,
                       std::uint32_t flags) override;
    OwnerWindow ownerWindow() override { return owner_; }
    ScriptServices& services() override { return *services_; }
    KeyEventSink& keySink() override { return *guardedSink_; }
    HeldInputs* heldInputs() override { return &guardedSink_->held(); }
    std::uint32_t& randomState() override { return random_; }
    bool stopRequested() const override;

    // The host asked the script to stop (the user's Abort or Esc), as
    // opposed to an end by itself or by an error.
    bool stoppedByHost() const { return stoppedByHost_ || stopPending_; }
    // Releases the keys and mouse buttons the script pressed and did not
    // release, the last pressed first.
    void releaseHeldInputs();

  private:
    bool askAbort(std::int32_t line);
    bool spendCap() const;
    void rearm() const;

    VariableTable variables_;
    ScriptReportErrorFn reportError_ = nullptr;
    ScriptCheckAbortFn checkAbort_ = nullptr;
    ScriptCallBackFn callBack_ = nullptr;
    ScriptMessageBoxFn messageBox_ = nullptr;
    OwnerWindow owner_ = nullptr;
    ScriptServices* services_ = nullptr;
    KeyEventSink* keySink_ = nullptr;
    std::unique_ptr<ScriptServices> ownServices_;
    std::unique_ptr<KeyEventSink> ownSink_;
    std::unique_ptr<GuardedSink> guardedSink_;
    bool stoppedByHost_ = false;
    std::uint32_t random_ = 1;
    std::vector<Node*> chain_;
    ScriptValue scratch_;
    StatementCap* cap_ = nullptr;
    // Boundaries the cap still allows beyond those untilAsk_ counts down.
    mutable std::uint64_t capLeft_ = 0;
    // A stop request that a built-in's query took from the host; the next
    // statement boundary acts on it.
    mutable bool stopPending_ = false;
    // Boundaries until one has anything to do: 1 while there is a host
    // CheckAbort or a pending stop, the rest of the cap when there is only a
    // cap, and practically never with neither. A countdown makes the common
    // boundary a decrement, and lets a cap count without a call.
    mutable std::uint64_t untilAsk_ = 1;
    mutable std::int32_t currentLine_ = 0;
};

} // namespace tapwell
