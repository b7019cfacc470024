// The evaluator's hot little pieces, inline for the node files: variable
// slots through their cache, operand reads by shape, and the choosers of the
// specialised entries of operators and assignments.
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

// IsTrue of n's value; integer-typed nodes answer without a virtual call.
inline bool truthOf(Node* n, ScriptRun& run) {
    if (n->valueType == ValueType::Integer)
        return n->evaluateInteger(run) != 0;
    return n->evaluateTruth(run);
}

// The truth of a loop's or an if's condition. The commonest tests
// (`i < n`, `x == 3`) are compared in place, without a call.
inline bool conditionTruth(Node* n, ScriptRun& run) {
    if (n->kind == Node::Kind::Binary) {
        const BinaryNode* b = static_cast<const BinaryNode*>(n);
        if (const unsigned outcomes = b->directComparison()) {
            const std::int32_t l = static_cast<VarNode*>(b->left.get())->readInteger(run);
            Node* right = b->right.get();
            const std::int32_t r = right->NodeCode == node_code::Int
                                       ? static_cast<IntNode*>(right)->value
                                       : static_cast<VarNode*>(right)->readInteger(run);
            return (outcomes >> ((l > r) - (l < r) + 1)) & 1u;
        }
    }
    return truthOf(n, run);
}

// The integer of an operand, read according to the operand's shape, which
// the specialised entries know from when the node was built.
struct ConstantOperand { // an IntNode
    static std::int32_t get(Node* n, ScriptRun&) { return static_cast<IntNode*>(n)->value; }
};
struct VariableOperand { // a VarNode
    static std::int32_t get(Node* n, ScriptRun& run) {
        return static_cast<VarNode*>(n)->readInteger(run);
    }
};
struct AnyOperand {
    static std::int32_t get(Node* n, ScriptRun& run) { return n->evaluateInteger(run); }
};

// Calls F::template entry<Shape>() with the shape class of `n`.
template <class F> auto withOperandShape(const Node* n, F f) {
    if (n->NodeCode == node_code::Int)
        return f.template entry<ConstantOperand>();
    if (n->NodeCode == node_code::Var)
        return f.template entry<VariableOperand>();
    return f.template entry<AnyOperand>();
}

// The integer entry of a binary operator whose operands' types let it
// compute on integers (see BinaryNode).
IntegerFn chooseBinaryInteger(std::uint32_t op, const Node* left, const Node* right);

// The entries of the integer assignment forms other than "/=" and "%=".
struct AssignEntries {
    IntegerFn integer;
    ExecuteFn execute;
};
AssignEntries chooseAssignInteger(std::uint32_t assignCode, const Node* value);

} // namespace tapwell
