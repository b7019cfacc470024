// Literals, variable reads and the conditional operator.
#include "script/expression_ops.h"
#include "script/node_eval.h"
#include "script/script_host.h"

#include <cstdio>

namespace tapwell {

void reportDivisionByZero(ScriptRun& run, std::int32_t line, bool remainderOp) {
    char message[96];
    std::snprintf(message, sizeof message,
                  remainderOp ? "Runtime Error: Division by zero(%%0) at line %d\n"
                              : "Runtime Error: Division by zero(/0) at line %d\n",
                  static_cast<int>(line));
    run.reportRuntimeError(remainderOp ? kErrorRemainderByZero : kErrorDivisionByZero, line,
                           message);
}

IntNode::IntNode(std::int32_t line, std::int32_t value)
    : Node(node_code::Int, line, ValueType::Integer), value(value) {
    integerFn_ = [](Node& n, ScriptRun&) { return static_cast<IntNode&>(n).value; };
}

ScriptValue& IntNode::Evaluate(ScriptRun&, ScriptValue& out) {
    out.setInteger(value);
    return out;
}

StringNode::StringNode(std::int32_t line, std::string text)
    : Node(node_code::String, line, ValueType::String), literal(std::move(text)),
      integerValue_(ToInteger(value)) {
    integerFn_ = [](Node& n, ScriptRun&) { return static_cast<StringNode&>(n).integerValue_; };
}

ScriptValue& StringNode::Evaluate(ScriptRun&, ScriptValue& out) {
    out.setString(std::string_view(value));
    return out;
}

bool StringNode::evaluateTruth(ScriptRun&) {
    return !value.empty();
}

VarNode::VarNode(std::int32_t line, std::string name)
    : Node(node_code::Var, line,
           !name.empty() && name.back() == '$' ? ValueType::String : ValueType::Integer),
      name(std::move(name)), normalized_(VariableTable::normalize(this->name)),
      stringName_(!this->name.empty() && this->name.back() == '$') {
    integerFn_ = [](Node& n, ScriptRun& run) { return static_cast<VarNode&>(n).readInteger(run); };
}

ScriptValue* VarNode::bindSlot(ScriptRun& run) {
    VariableTable& table = run.variables();
    slot_ = table.find(normalized_);
    if (!slot_) {
        // Nothing can list the variables, so an entry holding what a read of
        // a missing variable gives is the same as no entry.
        slot_ = &table.findOrInsert(normalized_);
        if (stringName_)
            slot_->setEmptyString();
    }
    return slot_;
}

void VarNode::read(ScriptRun& run, ScriptValue& out) {
    const ScriptValue* slot = readSlot(run);
    if (slot->isInteger())
        out.setInteger(slot->integer); // no string to copy
    else
        out = *slot;
}

ScriptValue& VarNode::Evaluate(ScriptRun& run, ScriptValue& out) {
    read(run, out);
    return out;
}

bool VarNode::evaluateTruth(ScriptRun& run) {
    return IsTrue(*readSlot(run));
}

CondNode::CondNode(std::int32_t line, Node* condition, Node* ifTrue, Node* ifFalse)
    : Node(node_code::Cond, line,
           ifTrue->valueType == ifFalse->valueType ? ifTrue->valueType : ValueType::Dynamic),
      condition(condition), ifTrue(ifTrue), ifFalse(ifFalse) {
    mayStore_ = condition->mayStore() || ifTrue->mayStore() || ifFalse->mayStore();
    integerFn_ = [](Node& n, ScriptRun& run) {
        CondNode& c = static_cast<CondNode&>(n);
        return (truthOf(c.condition.get(), run) ? c.ifTrue : c.ifFalse)->evaluateInteger(run);
    };
}

ScriptValue& CondNode::Evaluate(ScriptRun& run, ScriptValue& out) {
    return (truthOf(condition.get(), run) ? ifTrue : ifFalse)->Evaluate(run, out);
}

bool CondNode::evaluateTruth(ScriptRun& run) {
    return truthOf((truthOf(condition.get(), run) ? ifTrue : ifFalse).get(), run);
}

} // namespace tapwell
