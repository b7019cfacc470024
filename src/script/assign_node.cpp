// Every form of assignment. The order in which the target and the value are
// read differs between the forms and is visible to scripts whose value
// expression changes the target.
#include "script/expression_ops.h"
#include "script/node_eval.h"

namespace tapwell {

AssignNode::AssignNode(std::int32_t line, VarNode* target, Node* value, std::uint32_t assignCode)
    : Node(node_code::Assign, line,
           assignCode == assign_code::SetString || assignCode == assign_code::Append
               ? ValueType::String
               : ValueType::Integer),
      target(target), value(value), AssignCode(assignCode) {
    mayStore_ = true;
    if (valueType == ValueType::String) {
        integerFn_ = [](Node& n, ScriptRun& run) {
            return ToInteger(static_cast<AssignNode&>(n).storeString(run));
        };
        executeFn_ = [](Node& n, ScriptRun& run) { static_cast<AssignNode&>(n).storeString(run); };
    } else {
        const AssignEntries chosen = chooseAssignInteger(assignCode, value);
        integerFn_ = chosen.integer;
        executeFn_ = chosen.execute;
    }
}

std::int32_t AssignNode::storeQuotient(ScriptRun& run) {
    // The divisor is tested first; when it is not zero the value expression
    // runs a second time for the division itself.
    const bool remainder = AssignCode == assign_code::Mod;
    const std::int32_t first = value->evaluateInteger(run);
    if (first == 0) {
        reportDivisionByZero(run, line, remainder);
        return 0;
    }
    const std::int32_t t = target->readInteger(run);
    // A /= inside the value doubles the work again, so a few dozen nested
    // ones keep one statement busy for years, out of reach of the stop
    // request between statements. Once a stop is asked for, the first value
    // serves for the division and the statement ends in linear time.
    const std::int32_t d = run.stopRequested() ? first : value->evaluateInteger(run);
    if (d == 0) { // the second run of the expression gave 0
        reportDivisionByZero(run, line, remainder);
        return 0;
    }
    const std::int32_t result = remainder ? wrapRem(t, d) : wrapDiv(t, d);
    target->writeSlot(run).setInteger(result);
    return result;
}

ScriptValue& AssignNode::storeString(ScriptRun& run) {
    Node* v = value.get();
    if (AssignCode == assign_code::SetString) {
        if (v->NodeCode == node_code::String) {
            ScriptValue& slot = target->writeSlot(run);
            slot.setString(std::string_view(static_cast<StringNode*>(v)->value));
            return slot;
        }
        ScriptValue text;
        v->Evaluate(run, text);
        ScriptValue& slot = target->writeSlot(run);
        slot.setString(std::move(makeText(text)));
        return slot;
    }
    // Appending: the value first, then the target, appended in place, so
    // building a text byte by byte stays linear.
    if (v->NodeCode == node_code::String || v->valueType == ValueType::Integer) {
        // Nothing to keep aside: a literal, or an integer taken now.
        const std::int32_t number = v->NodeCode == node_code::String ? 0 : v->evaluateInteger(run);
        ScriptValue& slot = target->writeSlot(run);
        if (v->NodeCode == node_code::String)
            makeText(slot) += static_cast<StringNode*>(v)->value;
        else
            appendText(makeText(slot), number);
        return slot;
    }
    ScriptValue text;
    v->Evaluate(run, text);
    ScriptValue& slot = target->writeSlot(run);
    appendText(makeText(slot), text);
    return slot;
}

ScriptValue& AssignNode::Evaluate(ScriptRun& run, ScriptValue& out) {
    if (valueType == ValueType::Integer)
        out.setInteger(integerFn_(*this, run));
    else
        out = storeString(run);
    return out;
}

void AssignNode::execute(ScriptRun& run) {
    executeFn_(*this, run);
}

} // namespace tapwell
