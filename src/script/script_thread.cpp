#include "script/script_thread.h"

#include "script/script_runner.h"

namespace tapwell {

std::atomic<bool> scriptRunning{false};
std::atomic<bool> scriptStopRequested{false};

std::int32_t consumeStopRequest(std::int32_t) {
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

void ScriptThreadProc(const ScriptHost& host) {
    scriptRunning = true;
    scriptStopRequested = false;
    RunScript(&host);
    scriptRunning = false;
}

} // namespace tapwell
