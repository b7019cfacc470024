// Every form of assignment. The order in which the target and the value are
// read differs between the forms and is visible to scripts whose value
// expression changes the target.
#include "script/expression_ops.h"
#include "script/node_eval.h"

namespace tapwell {

namespace {

std::int32_t combine(std::uint32_t code, std::int32_t t, std::int32_t v) {
    using namespace assign_code;
    switch (code) {
    case Add:
    case PostInc:
        return wrapAdd(t, v);
    case Sub:
    case PostDec:
        return wrapSub(t, v);
    case Mul:
        return wrapMul(t, v);
    case Shr:
        return shiftRight(t, v);
    case Shl:
        return shiftLeft(t, v);
    case Or:
        return t | v;
    case Xor:
        return t ^ v;
    case And:
        return t & v;
    default:
        return v;
    }
}

} // namespace

std::int32_t AssignNode::storeInteger(ScriptRun& run) {
    using namespace assign_code;
    switch (AssignCode) {
    case Set: {
        const std::int32_t v = integerOf(value.get(), run);
        target->writeSlot(run).setInteger(v);
        return v;
    }
    case Div:
    case Mod: {
        // The divisor is tested first; when it is not zero the value
        // expression runs a second time for the division itself.
        if (integerOf(value.get(), run) == 0) {
            reportDivisionByZero(run, line, AssignCode == Mod);
            return 0;
        }
        const std::int32_t t = target->readInteger(run);
        const std::int32_t d = integerOf(value.get(), run);
        if (d == 0) { // the second run of the expression gave 0
            reportDivisionByZero(run, line, AssignCode == Mod);
            return 0;
        }
        const std::int32_t result = AssignCode == Div ? wrapDiv(t, d) : wrapRem(t, d);
        target->writeSlot(run).setInteger(result);
        return result;
    }
    default: {
        const std::int32_t t = target->readInteger(run);
        const std::int32_t result = combine(AssignCode, t, integerOf(value.get(), run));
        target->writeSlot(run).setInteger(result);
        return AssignCode == PostInc || AssignCode == PostDec ? t : result;
    }
    }
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
        slot.setString(std::move(MakeText(text)));
        return slot;
    }
    // Appending: the value first, then the target, appended in place, so
    // building a text byte by byte stays linear.
    if (v->NodeCode == node_code::String || v->valueType == ValueType::Integer) {
        // Nothing to keep aside: a literal, or an integer taken now.
        const std::int32_t number = v->NodeCode == node_code::String ? 0 : integerOf(v, run);
        const bool existed = target->readSlot(run) != nullptr;
        ScriptValue& slot = target->writeSlot(run);
        if (!existed && target->isStringName())
            slot.setEmptyString(); // a missing text variable reads as ""
        if (v->NodeCode == node_code::String)
            MakeText(slot) += static_cast<StringNode*>(v)->value;
        else
            AppendText(MakeText(slot), number);
        return slot;
    }
    ScriptValue text;
    v->Evaluate(run, text);
    const bool existed = target->readSlot(run) != nullptr;
    ScriptValue& slot = target->writeSlot(run);
    if (!existed && target->isStringName())
        slot.setEmptyString();
    AppendText(MakeText(slot), text);
    return slot;
}

ScriptValue& AssignNode::Evaluate(ScriptRun& run, ScriptValue& out) {
    if (valueType == ValueType::Integer)
        out.setInteger(storeInteger(run));
    else
        out = storeString(run);
    return out;
}

std::int32_t AssignNode::evaluateInteger(ScriptRun& run) {
    if (valueType == ValueType::Integer)
        return storeInteger(run);
    return ToInteger(storeString(run));
}

void AssignNode::Execute(ScriptRun& run) {
    if (valueType == ValueType::Integer)
        storeInteger(run);
    else
        storeString(run);
}

} // namespace tapwell
