#include "script/script_thread.h"

#include "script/script_runner.h"

namespace tapwell {

std::atomic<bool> scriptRunning{false};
std::atomic<bool> scriptStopRequested{false};

std::int32_t consumeStopRequest(std::int32_t) {
    return scriptStopRequested.exchange(false) ? 1 : 0;
}

void ScriptThreadProc(const ScriptHost& host) {
    scriptRunning = true;
    scriptStopRequested = false;
    RunScript(&host);
    scriptRunning = false;
}

} // namespace tapwell
