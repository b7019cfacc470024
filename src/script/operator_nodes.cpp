// Prefix and binary operators on values of any type. Operators whose
// operand types allow it compute on integers through the entries of
// binary_integer.cpp; the rest goes through ScriptValue here.
#include "script/expression_ops.h"
#include "script/node_eval.h"

#include <cstdio>

namespace tapwell {

namespace {

// The text of a value without building a string for an integer.
struct TextView {
    char buffer[16];
    std::string_view text;

    explicit TextView(const ScriptValue& v) {
        if (v.isString()) {
            text = v.string;
        } else {
            const int n = std::snprintf(buffer, sizeof buffer, "%d", static_cast<int>(v.integer));
            text = std::string_view(buffer, static_cast<std::size_t>(n));
        }
    }
};

bool equalValues(const ScriptValue& a, const ScriptValue& b) {
    if (a.isInteger() && b.isInteger())
        return a.integer == b.integer;
    return TextView(a).text == TextView(b).text;
}

// <0, 0, >0 like a three-way comparison of integers or of byte strings.
int compareValues(const ScriptValue& a, const ScriptValue& b) {
    if (a.isInteger() && b.isInteger())
        return a.integer < b.integer ? -1 : (a.integer > b.integer ? 1 : 0);
    return TextView(a).text.compare(TextView(b).text);
}

bool compareBy(std::uint32_t op, const ScriptValue& a, const ScriptValue& b) {
    using namespace node_code;
    switch (op) {
    case Eq:
        return equalValues(a, b);
    case Ne:
        return !equalValues(a, b);
    case StrictEq:
        return a.type == b.type && equalValues(a, b);
    case StrictNe:
        return !(a.type == b.type && equalValues(a, b));
    case Lt:
        return compareValues(a, b) < 0;
    case Gt:
        return compareValues(a, b) > 0;
    case Le:
        return compareValues(a, b) <= 0;
    default:
        return compareValues(a, b) >= 0;
    }
}

bool isComparison(std::uint32_t op) {
    return op >= node_code::Eq && op <= node_code::Ge;
}

// Bit 0: true when less, bit 1: when equal, bit 2: when greater (integers;
// === and !== compare two integers like == and !=).
std::uint8_t comparisonOutcomes(std::uint32_t op) {
    using namespace node_code;
    switch (op) {
    case Eq:
    case StrictEq:
        return 0b010;
    case Ne:
    case StrictNe:
        return 0b101;
    case Lt:
        return 0b001;
    case Gt:
        return 0b100;
    case Le:
        return 0b011;
    default:
        return 0b110;
    }
}

std::int32_t applyUnary(std::uint32_t op, std::int32_t x) {
    if (op == node_code::Sub)
        return wrapSub(0, x);
    if (op == node_code::Not)
        return ~x;
    return x == 0 ? 1 : 0;
}

std::int32_t unaryInteger(Node& node, ScriptRun& run) {
    UnaryNode& u = static_cast<UnaryNode&>(node);
    if (u.operand->kind != Node::Kind::Unary)
        return applyUnary(u.NodeCode, u.operand->evaluateInteger(run));
    // A chain like - - ~ x is walked without recursion.
    std::vector<Node*>& chain = run.chain();
    const std::size_t base = chain.size();
    Node* n = &u;
    while (n->kind == Node::Kind::Unary) {
        chain.push_back(n);
        n = static_cast<UnaryNode*>(n)->operand.get();
    }
    std::int32_t x = n->evaluateInteger(run);
    while (chain.size() > base) {
        x = applyUnary(chain.back()->NodeCode, x);
        chain.pop_back();
    }
    return x;
}

// Appends the text of n's value to `out` (which no variable owns), copying
// texts straight from literals and variables.
void appendValueOf(Node* n, ScriptRun& run, std::string& out) {
    if (n->valueType == ValueType::Integer) {
        appendText(out, n->evaluateInteger(run));
    } else if (n->NodeCode == node_code::String) {
        out += static_cast<StringNode*>(n)->value;
    } else if (n->NodeCode == node_code::Var) {
        appendText(out, *static_cast<VarNode*>(n)->readSlot(run)); // a text variable
    } else {
        ScriptValue v;
        appendText(out, n->Evaluate(run, v));
    }
}

// Binary nodes down a left chain that the integer entries may recurse
// along; a longer chain is walked with an explicit list. Small, because
// every non-binary node between two chains (a prefix operator, say) starts
// another allowance of this many stack frames.
constexpr std::uint16_t kRecursiveChain = 8;

bool integerOperands(std::uint32_t op, const Node* left, const Node* right) {
    if (op == node_code::Add)
        return left->valueType == ValueType::Integer;
    if (isComparison(op))
        return left->valueType == ValueType::Integer && right->valueType == ValueType::Integer;
    return true;
}

// A text operand of a comparison, read according to its shape: literals
// and variables in place, anything else into a value of its own.
struct LiteralText {
    std::string_view get(Node* n, ScriptRun&) { return static_cast<StringNode*>(n)->value; }
};
struct VariableText {
    std::string_view get(Node* n, ScriptRun& run) {
        return static_cast<VarNode*>(n)->readText(run);
    }
};
struct AnyText {
    ScriptValue value;
    std::string_view get(Node* n, ScriptRun& run) {
        n->Evaluate(run, value);
        return makeText(value);
    }
};

// Both operands always hold texts: byte-wise order, and === is ==.
template <class L, class R> std::int32_t textComparisonEntry(Node& n, ScriptRun& run) {
    BinaryNode& b = static_cast<BinaryNode&>(n);
    L left;
    R right;
    const std::string_view l = left.get(b.left.get(), run);
    const std::string_view r = right.get(b.right.get(), run);
    return outcomeHolds(b.outcomes(), l.compare(r), 0) ? 1 : 0;
}

// [left shape][right shape]: literal, variable, any.
constexpr IntegerFn kTextComparisons[3][3] = {
    {&textComparisonEntry<LiteralText, LiteralText>,
     &textComparisonEntry<LiteralText, VariableText>, &textComparisonEntry<LiteralText, AnyText>},
    {&textComparisonEntry<VariableText, LiteralText>,
     &textComparisonEntry<VariableText, VariableText>, &textComparisonEntry<VariableText, AnyText>},
    {&textComparisonEntry<AnyText, LiteralText>, &textComparisonEntry<AnyText, VariableText>,
     &textComparisonEntry<AnyText, AnyText>},
};

int textShape(const Node* n) {
    return n->NodeCode == node_code::String ? 0 : n->NodeCode == node_code::Var ? 1 : 2;
}

} // namespace

IntegerFn chooseTextComparison(const Node* left, const Node* right) {
    int l = textShape(left);
    const int r = textShape(right);
    // A variable read in place must not change before the comparison: when
    // the right operand may store, the left one is copied first.
    if (l == 1 && r == 2 && right->mayStore())
        l = 2;
    return kTextComparisons[l][r];
}

UnaryNode::UnaryNode(std::int32_t line, std::uint32_t op, Node* operand)
    : Node(op, line, ValueType::Integer, Kind::Unary), operand(operand) {
    integerFn_ = &unaryInteger;
    mayStore_ = operand->mayStore();
}

ScriptValue& UnaryNode::Evaluate(ScriptRun& run, ScriptValue& out) {
    out.setInteger(unaryInteger(*this, run));
    return out;
}

BinaryNode::BinaryNode(std::int32_t line, std::uint32_t op, Node* left, Node* right)
    : Node(op, line, op == node_code::Add ? left->valueType : ValueType::Integer, Kind::Binary),
      left(left), right(right) {
    if (left->kind == Kind::Binary) {
        const std::uint16_t below = static_cast<BinaryNode*>(left)->chainDepth_;
        chainDepth_ = below == UINT16_MAX ? below : below + 1;
    }
    mayStore_ = left->mayStore() || right->mayStore();
    const bool comparison = isComparison(op);
    if (comparison)
        outcomes_ = comparisonOutcomes(op);
    if (chainDepth_ >= kRecursiveChain)
        return;
    if (integerOperands(op, left, right)) {
        integerPath_ = true;
        integerFn_ = chooseBinaryInteger(op, left, right);
        direct_ =
            comparison && (right->NodeCode == node_code::Var || right->NodeCode == node_code::Int);
        logical_ = op == node_code::AndAnd || op == node_code::OrOr;
        mask_ = op == node_code::And && left->NodeCode == node_code::Var &&
                right->NodeCode == node_code::Int;
        if (direct_ && left->NodeCode == node_code::Mod) {
            const BinaryNode* rem = static_cast<const BinaryNode*>(left);
            const Node* dividend = rem->left.get();
            const Node* divisor = rem->right.get();
            if (rem->integerPath_ && dividend->NodeCode == node_code::Var &&
                dividend->valueType == ValueType::Integer && divisor->NodeCode == node_code::Int)
                leftReciprocal_ = reciprocalOf(static_cast<const IntNode*>(divisor)->value);
        }
    } else if (comparison && left->valueType == ValueType::String &&
               right->valueType == ValueType::String) {
        integerPath_ = true;
        integerFn_ = chooseTextComparison(left, right);
    }
}

ScriptValue& BinaryNode::Evaluate(ScriptRun& run, ScriptValue& out) {
    if (integerPath_) {
        out.setInteger(integerFn_(*this, run));
        return out;
    }
    if (left->kind != Kind::Binary) { // the common short case
        left->Evaluate(run, out);
        apply(run, out);
        return out;
    }
    // Left-deep chains (a + b + c + ...) can be as long as the text allows:
    // walk down the left operands to one that computes on integers by
    // itself (or the end of the chain), then apply the operators bottom-up.
    std::vector<Node*>& chain = run.chain();
    const std::size_t base = chain.size();
    Node* n = this;
    while (n->kind == Kind::Binary && !static_cast<BinaryNode*>(n)->integerPath_) {
        chain.push_back(n);
        n = static_cast<BinaryNode*>(n)->left.get();
    }
    n->Evaluate(run, out);
    while (chain.size() > base) {
        BinaryNode* b = static_cast<BinaryNode*>(chain.back());
        chain.pop_back();
        b->apply(run, out);
    }
    return out;
}

// apply's steps, in the order it tries them.
namespace {

// && and ||: the left value may decide without the right operand.
void applyLogical(const BinaryNode& b, ScriptRun& run, ScriptValue& acc) {
    const bool leftTrue = ToInteger(acc) != 0;
    if (b.NodeCode == node_code::AndAnd ? !leftTrue : leftTrue)
        acc.setInteger(leftTrue ? 1 : 0);
    else
        acc.setInteger(b.right->evaluateInteger(run) != 0 ? 1 : 0);
}

// A comparison in which a text takes part: values of any type.
void applyValueComparison(const BinaryNode& b, ScriptRun& run, ScriptValue& acc) {
    ScriptValue rhs;
    b.right->Evaluate(run, rhs);
    acc.setInteger(compareBy(b.NodeCode, acc, rhs) ? 1 : 0);
}

// Everything else works on the operands' integer values.
void applyInteger(const BinaryNode& b, ScriptRun& run, ScriptValue& acc) {
    const std::int32_t l = ToInteger(acc);
    const std::int32_t r = b.right->evaluateInteger(run);
    acc.setInteger(integerOperator(b.NodeCode)(b, run, l, r));
}

} // namespace

void BinaryNode::apply(ScriptRun& run, ScriptValue& acc) {
    using namespace node_code;
    if (NodeCode == AndAnd || NodeCode == OrOr)
        applyLogical(*this, run, acc);
    else if (NodeCode == Add && acc.isString())
        appendValueOf(right.get(), run, acc.string); // concatenation
    else if (isComparison(NodeCode) && (acc.isString() || right->valueType != ValueType::Integer))
        applyValueComparison(*this, run, acc);
    else
        applyInteger(*this, run, acc);
}

} // namespace tapwell
