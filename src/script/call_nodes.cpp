// Calls of built-ins and of host-side functions (cb.Name(...)).
#include "common/utf.h"
#include "script/script_run.h"
#include "script/syntax_tree.h"

namespace tapwell {

ScriptValue& FuncCallNode::Evaluate(ScriptRun& run, ScriptValue& out) {
    for (std::size_t i = 0; i < arguments.size(); ++i)
        arguments[i]->Evaluate(run, values_[i]);
    CallBuiltin(run, out, builtin_, name, values_, line);
    return out;
}

ScriptValue& CBCallNode::Evaluate(ScriptRun& run, ScriptValue& out) {
    const ScriptCallBackFn callBack = run.callBack();
    if (!callBack) {
        out.setInteger(0); // and the arguments are not evaluated
        return out;
    }
    std::vector<ScriptValue> values(arguments.size());
    for (std::size_t i = 0; i < arguments.size(); ++i)
        arguments[i]->Evaluate(run, values[i]);

    const std::u16string name16 = utf8ToUtf16(name);
    std::vector<HostValue> hostArguments(values.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        hostArguments[i].type = values[i].type;
        hostArguments[i].integer = values[i].integer;
        if (values[i].isString())
            hostArguments[i].string = utf8ToUtf16(values[i].string);
    }
    HostValue result;
    CallBackCall call;
    call.name = name16.c_str();
    call.arguments = hostArguments.empty() ? nullptr : hostArguments.data();
    call.count = static_cast<std::int32_t>(hostArguments.size());
    call.result = &result;
    callBack(&call);

    // The host may have pointed the result at a value of its own.
    const HostValue* answer = call.result;
    if (!answer || answer->type == 0)
        out.setInteger(answer ? answer->integer : 0);
    else
        out.setString(utf16ToUtf8(answer->string));
    return out;
}

} // namespace tapwell
