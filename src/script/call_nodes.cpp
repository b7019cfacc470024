// Calls of built-ins and of host-side functions (cb.Name(...)).
#include "common/utf.h"
#include "script/node_eval.h"
#include "script/syntax_tree.h"

namespace tapwell {

ScriptValue& FuncCallNode::Evaluate(ScriptRun& run, ScriptValue& out) {
    // Texts are lent rather than copied, so that a scan with MID$ over a
    // long text does not copy the whole text for every byte.
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        Node* a = arguments[i].get();
        lent_[i] = nullptr;
        if (lendable_[i]) {
            if (a->NodeCode == node_code::String) {
                lent_[i] = &static_cast<StringNode*>(a)->literal;
                continue;
            }
            // Only texts are lent; a text variable never holds anything else.
            const ScriptValue* slot = static_cast<VarNode*>(a)->readSlot(run);
            if (slot->isString()) {
                lent_[i] = slot;
                continue;
            }
        }
        a->Evaluate(run, values_[i]);
    }
    CallBuiltin(run, out, builtin_, name, values_, lent_, line);
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
