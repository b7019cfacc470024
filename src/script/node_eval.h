// The evaluator's hot little pieces, inline for the node files: variable
// slots through their cache, and operand reads that skip the virtual call
// for literals and variables.
#pragma once

#include "script/script_run.h"
#include "script/syntax_tree.h"

namespace tapwell {

inline const ScriptValue* VarNode::readSlot(ScriptRun& run) {
    if (slot_ && slotEpoch_ == run.variables().epoch())
        return slot_;
    return findSlot(run);
}

inline ScriptValue& VarNode::writeSlot(ScriptRun& run) {
    if (slot_ && slotEpoch_ == run.variables().epoch())
        return *slot_;
    return insertSlot(run);
}

inline std::int32_t VarNode::readInteger(ScriptRun& run) {
    const ScriptValue* slot = readSlot(run);
    return slot ? ToInteger(*slot) : 0;
}

// n->evaluateInteger(run), without the call for the commonest operands.
inline std::int32_t integerOf(Node* n, ScriptRun& run) {
    if (n->NodeCode == node_code::Int)
        return static_cast<IntNode*>(n)->value;
    if (n->NodeCode == node_code::Var)
        return static_cast<VarNode*>(n)->readInteger(run);
    return n->evaluateInteger(run);
}

} // namespace tapwell
