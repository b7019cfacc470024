
#include "script/script_runner.h"

#include "common/utf.h"
#include "script/script_parser.h"

#include <cstdio>
#include <new>
#include <stdexcept>
#include <string>

namespace tapwell {

const char16_t* ScriptText = nullptr;

namespace {

void reportLiteral(const ScriptHost* host, int code, const char16_t* text) {
    if (host && host->ReportError)
        host->ReportError(code, -1, text);
}

void parseAndExecute(ScriptRun& run, std::string& source) {
    ParseOutcome parsed = parseScript(source);
    std::string().swap(source);
    if (parsed.result != kParseAccepted) {
        char message[128];
        std::snprintf(message, sizeof message, "Error at line %d: %s\n",
                      static_cast<int>(parsed.errorLine), parsed.message.c_str());
        run.reportError(kErrorSyntax, parsed.errorLine, message);
        return;
    }
    if (parsed.root) {
        run.variables().definePredefinedConstants();
        parsed.root->execute(run);
    }
}

// A script can grow a text without bound with nothing but operators
// (a$ = a$ + a$ in a loop). Running out of memory ends the script with an
// error instead of taking the program down with it.
void reportOutOfMemory(ScriptRun& run) {
    // The script ends here anyway: its variables give back what reporting needs.
    run.variables().clear();
    char message[80];
    std::snprintf(message, sizeof message, "Runtime error at line %d: Out of memory.\n",
                  static_cast<int>(run.currentLine()));
    try {
        run.reportRuntimeError(kErrorOutOfMemory, run.currentLine(), message);
    } catch (const std::bad_alloc&) {
        run.FlowState = FLOW_STOP;
    }
}

} // namespace

std::int32_t RunScript(const ScriptHost* host, const ScriptDevices& devices) {
    return runScriptText(ScriptText, host, devices);
}

std::int32_t runScriptText(const char16_t* text, const ScriptHost* host,
                           const ScriptDevices& devices, StatementCap* cap) {
    if (!text) {
        reportLiteral(host, kErrorInvalidText, u"Invalid Parameter.");
        return -1;
    }
    std::u16string_view units(text);
    if (!units.empty() && units.front() == u'\uFEFF')
        units.remove_prefix(1);

    std::string source;
    try {
        source = utf16ToUtf8(units);
        // The lexer always sees a final line break.
        source.push_back('\n');
    } catch (const std::bad_alloc&) {
        reportLiteral(host, kErrorOutOfMemory, u"Out of memory while translating script.");
        return -1;
    }

    // The exit code is the one an exit statement set, else 0; running out of
    // memory ends the run before any exit could.
    ScriptRun run(host, devices, cap);
    try {
        parseAndExecute(run, source);
    } catch (const std::bad_alloc&) {
        reportOutOfMemory(run);
    } catch (const std::length_error&) {
        reportOutOfMemory(run);
    }
    // Released here, on the script's own thread, once no statement runs any
    // more: nothing can press a key again after its release. A script that
    // ended by itself or by an error keeps what it left down.
    if (run.stoppedByHost())
        run.releaseHeldInputs();
    return run.ExitCode;
}

std::atomic<bool> scriptRunning{false};
std::atomic<bool> scriptStopRequested{false};

std::int32_t consumeStopRequest(std::int32_t) {
    // Asked after every statement: one relaxed load while no stop is asked
    // for, the exchange only once one is.
    if (!scriptStopRequested.load(std::memory_order_relaxed))
        return 0;
    return scriptStopRequested.exchange(false) ? 1 : 0;
}

std::u16string unknownCallBackMessage(const CallBackCall& call) {
    std::u16string text = u"Unknown CallBack Function: ";
    if (call.name)
        text += call.name;
    text += u"(args:";
    for (char c : std::to_string(call.count))
        text += static_cast<char16_t>(c);
    text += u")";
    return text;
}

// The GUI clears a stale stop request and sets scriptRunning before it
// starts the thread; clearing the request here would lose an Abort given
// while the thread was starting.
void ScriptThreadProc(const ScriptThreadStart& start) {
    const ScriptHost host{start.owner, start.callBack, start.reportError, start.checkAbort,
                          start.showMessageBox};
    RunScript(&host, start.devices);
    scriptRunning = false;
}

} // namespace tapwell
