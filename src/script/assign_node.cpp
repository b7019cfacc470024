// Every form of assignment. The order in which the target and the value are
// read differs between the forms and is visible to scripts whose value
// expression changes the target.
#include "script/expression_ops.h"
#include "script/script_run.h"
#include "script/syntax_tree.h"

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

ScriptValue* AssignNode::store(ScriptRun& run, std::int32_t& old) {
    using namespace assign_code;
    ScriptValue v;
    switch (AssignCode) {
    case Set: {
        value->Evaluate(run, v);
        ScriptValue& slot = target->writeSlot(run);
        slot.setInteger(ToInteger(v));
        return &slot;
    }
    case SetString: {
        value->Evaluate(run, v);
        ScriptValue& slot = target->writeSlot(run);
        slot.setString(std::move(MakeText(v)));
        return &slot;
    }
    case Append: {
        // The value first, then the target: appended in place, so building a
        // text byte by byte stays linear.
        value->Evaluate(run, v);
        const bool existed = target->readSlot(run) != nullptr;
        ScriptValue& slot = target->writeSlot(run);
        if (!existed && target->isStringName())
            slot.setEmptyString(); // a missing string variable reads as ""
        AppendText(MakeText(slot), v);
        return &slot;
    }
    case Div:
    case Mod: {
        // The divisor is tested first; when it is not zero the value
        // expression runs a second time for the division itself.
        value->Evaluate(run, v);
        if (ToInteger(v) == 0) {
            reportDivisionByZero(run, line, AssignCode == Mod);
            return nullptr;
        }
        const std::int32_t t = target->readInteger(run);
        value->Evaluate(run, v);
        const std::int32_t d = ToInteger(v);
        if (d == 0) { // the second run of the expression gave 0
            reportDivisionByZero(run, line, AssignCode == Mod);
            return nullptr;
        }
        ScriptValue& slot = target->writeSlot(run);
        slot.setInteger(AssignCode == Div ? wrapDiv(t, d) : wrapRem(t, d));
        return &slot;
    }
    default: {
        const std::int32_t t = target->readInteger(run);
        value->Evaluate(run, v);
        old = t;
        ScriptValue& slot = target->writeSlot(run);
        slot.setInteger(combine(AssignCode, t, ToInteger(v)));
        return &slot;
    }
    }
}

ScriptValue& AssignNode::Evaluate(ScriptRun& run, ScriptValue& out) {
    std::int32_t old = 0;
    ScriptValue* slot = store(run, old);
    if (AssignCode == assign_code::PostInc || AssignCode == assign_code::PostDec)
        out.setInteger(old);
    else if (slot)
        out = *slot;
    else
        out.setInteger(0);
    return out;
}

void AssignNode::Execute(ScriptRun& run) {
    std::int32_t old = 0;
    store(run, old);
}

} // namespace tapwell
