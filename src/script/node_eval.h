// The evaluator's hot little pieces, inline for the node files: variable
// slots through their cache, operand reads by shape, and the choosers of the
// specialised entries of operators and assignments.
//
// Map of the entry families. Every node has three ways in: Evaluate (a
// ScriptValue, virtual), evaluateInteger (IntegerFn integerFn_) and, for
// statements, executeStatement (ExecuteFn executeFn_). The two entry
// pointers are chosen once, in the node's constructor:
//
//   family                      chosen in                    by
//   literals, variable reads    IntNode/StringNode/VarNode   (one each)
//   prefix operators            UnaryNode                    unaryInteger
//   integer binary operators    BinaryNode                   chooseBinaryInteger: operator
//                                                            x left/right shape (binary_integer)
//   text comparisons            BinaryNode                   chooseTextComparison: left/right
//                                                            shape (operator_nodes)
//   anything else binary        BinaryNode::Evaluate/apply   integerOperator's table for the
//                                                            arithmetic (binary_integer)
//   "=", compound, ++/--        AssignNode                   chooseAssignInteger: form x value
//   "/=", "%="                                               shape (assign_integer); a computed
//                                                            divisor through storeQuotient
//   text stores ("=", "+=")     AssignNode                   storeString
//   statements                  Block/If/While/For           executeEntry<T> (statement_nodes)
//   conditions of if and loops  If/While/For constructors    ConditionSteps (condition_steps):
//   with && || or ! at the root                              tests with jumps, walked by
//                                                            ConditionSteps::truth below
//   other conditions            at each test                 conditionTruth below: comparisons
//                                                            (directTruth; `x % literal` on
//                                                            its left by the literal's
//                                                            reciprocal), && || and ! in place
//                                                            (integerTruth)
//   else-if chains over one     IfNode, at the chain's       a table of branches by the
//   variable and literals       first run (chooseCases)      variable's value
//   tests of while and for      withLoopTest                 a variable against a literal or a
//                               (statement_nodes)            variable, on entries held for the
//                                                            loop; else conditionTruth
//   a for loop's counting step  ForNode::execute             i++, i -= c on the entry it holds
//   built-in calls              FuncCallNode                 resolveBuiltin (by name, once);
//                                                            lent arguments (call_nodes)
//
// Operand shapes: ConstantOperand (IntNode), VariableOperand (VarNode),
// AnyOperand (through the operand's own integer entry).
#pragma once

#include "script/expression_ops.h"
#include "script/script_run.h"
#include "script/syntax_tree.h"

#include <string_view>

namespace tapwell {

inline const ScriptValue* VarNode::readSlot(ScriptRun& run) {
    return slot_ ? slot_ : bindSlot(run);
}

inline ScriptValue& VarNode::writeSlot(ScriptRun& run) {
    return slot_ ? *slot_ : *bindSlot(run);
}

inline std::int32_t VarNode::readInteger(ScriptRun& run) {
    return ToInteger(*readSlot(run));
}

inline std::int32_t VarNode::readIntegerName(ScriptRun& run) {
    return readSlot(run)->integer;
}

inline std::string_view VarNode::readText(ScriptRun& run) {
    return readSlot(run)->string;
}

// IsTrue of n's value; integer-typed nodes answer without a virtual call.
inline bool truthOf(Node* n, ScriptRun& run) {
    if (n->valueType == ValueType::Integer)
        return n->evaluateInteger(run) != 0;
    return n->evaluateTruth(run);
}

// Whether l against r is one of the outcomes: bit 0 less, bit 1 equal,
// bit 2 greater.
template <class T> bool outcomeHolds(unsigned outcomes, T l, T r) {
    return (outcomes >> ((l >= r) + (l > r))) & 1u;
}

// The truth of a comparison with a literal or a variable on its right
// (`i < n`, `i % 3 == 0`) whose `outcomes` make it true, compared in place:
// its left operand read directly when it is a variable (both operands have
// integer types, so such variables have names without '$'), or a remainder
// by a literal worked out here.
[[gnu::always_inline]] inline bool directTruth(const BinaryNode* b, unsigned outcomes,
                                               ScriptRun& run) {
    Node* left = b->left.get();
    std::int32_t l;
    if (left->NodeCode == node_code::Var) {
        l = static_cast<VarNode*>(left)->readIntegerName(run);
    } else if (const std::uint64_t reciprocal = b->leftRemainderReciprocal()) {
        const BinaryNode* rem = static_cast<const BinaryNode*>(left);
        l = remainderByReciprocal(static_cast<VarNode*>(rem->left.get())->readIntegerName(run),
                                  static_cast<IntNode*>(rem->right.get())->value, reciprocal);
    } else {
        l = left->evaluateInteger(run);
    }
    Node* right = b->right.get();
    const std::int32_t r = right->NodeCode == node_code::Int
                               ? static_cast<IntNode*>(right)->value
                               : static_cast<VarNode*>(right)->readIntegerName(run);
    return outcomeHolds(outcomes, l, r);
}

// The truth of `variable & literal` (see BinaryNode::maskInPlace).
inline bool maskTruth(const BinaryNode* b, ScriptRun& run) {
    return (static_cast<VarNode*>(b->left.get())->readIntegerName(run) &
            static_cast<IntNode*>(b->right.get())->value) != 0;
}

// evaluateInteger(n) != 0, with direct comparisons and `variable & literal`
// made in place; && and || on the integer path are decided operand by
// operand, as their own entry would, without the calls in between, and so is
// ! before anything but another prefix operator.
inline bool integerTruth(Node* n, ScriptRun& run) {
    if (n->kind == Node::Kind::Binary) {
        const BinaryNode* b = static_cast<const BinaryNode*>(n);
        if (const unsigned outcomes = b->directComparison())
            return directTruth(b, outcomes, run);
        if (b->logicalInPlace()) {
            // The common operands, comparisons, without a call of their own.
            const auto operandTruth = [&run](Node* operand) {
                if (operand->kind == Node::Kind::Binary) {
                    const BinaryNode* c = static_cast<const BinaryNode*>(operand);
                    if (const unsigned outcomes = c->directComparison())
                        return directTruth(c, outcomes, run);
                }
                return integerTruth(operand, run);
            };
            const bool leftTrue = operandTruth(b->left.get());
            if (b->NodeCode == node_code::AndAnd ? !leftTrue : leftTrue)
                return leftTrue;
            return operandTruth(b->right.get());
        }
        if (b->maskInPlace())
            return maskTruth(b, run);
    } else if (n->kind == Node::Kind::Unary && n->NodeCode == node_code::LogicalNot) {
        Node* operand = static_cast<UnaryNode*>(n)->operand.get();
        if (operand->kind != Node::Kind::Unary) // a chain of them goes the usual way
            return !integerTruth(operand, run);
    }
    return n->evaluateInteger(run) != 0;
}

[[gnu::always_inline]] inline bool ConditionSteps::truth(ScriptRun& run) const {
    const Step* const first = steps_.data();
    for (const Step* s = first;;) {
        bool holds;
        switch (s->test) {
        case Test::Comparison:
            holds = directTruth(static_cast<const BinaryNode*>(s->node), s->outcomes, run);
            break;
        case Test::Mask:
            holds = maskTruth(static_cast<const BinaryNode*>(s->node), run);
            break;
        default:
            holds = integerTruth(s->node, run);
        }
        const std::int32_t next = holds ? s->onTrue : s->onFalse;
        if (next < 0)
            return next == kTrue;
        s = first + next;
    }
}

// The truth of a loop's or an if's condition.
inline bool conditionTruth(Node* n, ScriptRun& run) {
    if (n->valueType == ValueType::Integer) {
        if (n->kind == Node::Kind::Binary) {
            const BinaryNode* b = static_cast<const BinaryNode*>(n);
            if (const unsigned outcomes = b->directComparison())
                return directTruth(b, outcomes, run);
        }
        return integerTruth(n, run);
    }
    return n->evaluateTruth(run);
}

// The integer of an operand, read according to the operand's shape, which
// the specialised entries know from when the node was built.
struct ConstantOperand { // an IntNode
    static std::int32_t get(Node* n, ScriptRun&) { return static_cast<IntNode*>(n)->value; }
};
struct VariableOperand { // a VarNode of a name without '$'
    static std::int32_t get(Node* n, ScriptRun& run) {
        return static_cast<VarNode*>(n)->readIntegerName(run);
    }
};
struct AnyOperand {
    static std::int32_t get(Node* n, ScriptRun& run) { return n->evaluateInteger(run); }
};

// Calls F::template entry<Shape>() with the shape class of `n`.
template <class F> auto withOperandShape(const Node* n, F f) {
    if (n->NodeCode == node_code::Int)
        return f.template entry<ConstantOperand>();
    if (n->NodeCode == node_code::Var && n->valueType == ValueType::Integer)
        return f.template entry<VariableOperand>();
    return f.template entry<AnyOperand>();
}

// The integer entry of a binary operator whose operands' types let it
// compute on integers (see BinaryNode).
IntegerFn chooseBinaryInteger(std::uint32_t op, const Node* left, const Node* right);

// The arithmetic of one binary operator on two integers already evaluated
// (the node gives the line of a division error); null for && and ||, which
// decide on their operands themselves.
using IntegerOperator = std::int32_t (*)(const BinaryNode& node, ScriptRun& run, std::int32_t l,
                                         std::int32_t r);
IntegerOperator integerOperator(std::uint32_t op);

// The entry of a comparison of two operands that always hold texts.
IntegerFn chooseTextComparison(const Node* left, const Node* right);

// The entries of the integer assignment forms ("/=" and "%=" with a value
// of any shape other than a literal or a variable go through storeQuotient).
struct AssignEntries {
    IntegerFn integer;
    ExecuteFn execute;
};
AssignEntries chooseAssignInteger(std::uint32_t assignCode, const Node* value);

} // namespace tapwell
