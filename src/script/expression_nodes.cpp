// Literals, variable reads and the operators.
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

std::int32_t applyUnary(std::uint32_t op, std::int32_t x) {
    if (op == node_code::Sub)
        return wrapSub(0, x);
    if (op == node_code::Not)
        return ~x;
    return x == 0 ? 1 : 0;
}

bool isComparison(std::uint32_t op) {
    return op >= node_code::Eq && op <= node_code::Ge;
}

// A comparison of two integers; StrictEq and StrictNe compare like Eq and
// Ne, as both operands have the same type.
bool compareIntegers(std::uint32_t op, std::int32_t l, std::int32_t r) {
    using namespace node_code;
    switch (op) {
    case Eq:
    case StrictEq:
        return l == r;
    case Ne:
    case StrictNe:
        return l != r;
    case Lt:
        return l < r;
    case Gt:
        return l > r;
    case Le:
        return l <= r;
    default:
        return l >= r;
    }
}

// A comparison of any two values.
bool compareValuesBy(std::uint32_t op, const ScriptValue& a, const ScriptValue& b) {
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

// Appends the text of n's value to `out` (which no variable owns), copying
// texts straight from literals and variables.
void appendValueOf(Node* n, ScriptRun& run, std::string& out) {
    if (n->valueType == ValueType::Integer) {
        AppendText(out, integerOf(n, run));
    } else if (n->NodeCode == node_code::String) {
        out += static_cast<StringNode*>(n)->value;
    } else if (n->NodeCode == node_code::Var) {
        // A text variable; a missing one reads as "".
        if (const ScriptValue* slot = static_cast<VarNode*>(n)->readSlot(run))
            AppendText(out, *slot);
    } else {
        ScriptValue v;
        AppendText(out, n->Evaluate(run, v));
    }
}

// Binary nodes down a left chain that evaluateInteger may recurse along; a
// longer chain is walked with an explicit list. Small, because every
// non-binary node between two chains (a prefix operator, say) starts another
// allowance of this many stack frames.
constexpr std::uint16_t kRecursiveChain = 8;

bool integerOperands(std::uint32_t op, const Node* left, const Node* right) {
    if (op == node_code::Add)
        return left->valueType == ValueType::Integer;
    if (isComparison(op))
        return left->valueType == ValueType::Integer && right->valueType == ValueType::Integer;
    return true;
}

} // namespace

std::int32_t wrapAdd(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

std::int32_t wrapSub(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}

std::int32_t wrapMul(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
}

std::int32_t shiftLeft(std::int32_t a, std::int32_t count) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) << (count & 31));
}

std::int32_t shiftRight(std::int32_t a, std::int32_t count) {
    return a >> (count & 31);
}

std::int32_t wrapDiv(std::int32_t a, std::int32_t b) {
    // INT32_MIN / -1 does not fit; it wraps to INT32_MIN like the other
    // arithmetic instead of trapping.
    if (b == -1)
        return wrapSub(0, a);
    return a / b;
}

std::int32_t wrapRem(std::int32_t a, std::int32_t b) {
    return b == -1 ? 0 : a % b;
}

void reportDivisionByZero(ScriptRun& run, std::int32_t line, bool remainderOp) {
    char message[96];
    std::snprintf(message, sizeof message,
                  remainderOp ? "Runtime Error: Division by zero(%%0) at line %d\n"
                              : "Runtime Error: Division by zero(/0) at line %d\n",
                  static_cast<int>(line));
    run.reportRuntimeError(remainderOp ? 103 : 102, line, message);
}

ScriptValue& IntNode::Evaluate(ScriptRun&, ScriptValue& out) {
    out.setInteger(value);
    return out;
}

std::int32_t IntNode::evaluateInteger(ScriptRun&) {
    return value;
}

bool IntNode::evaluateTruth(ScriptRun&) {
    return value != 0;
}

ScriptValue& StringNode::Evaluate(ScriptRun&, ScriptValue& out) {
    out.setString(std::string_view(value));
    return out;
}

std::int32_t StringNode::evaluateInteger(ScriptRun&) {
    return integerValue_;
}

bool StringNode::evaluateTruth(ScriptRun&) {
    return !value.empty();
}

ScriptValue* VarNode::findSlot(ScriptRun& run) {
    VariableTable& table = run.variables();
    ScriptValue* found = table.find(normalized_);
    if (found) {
        slot_ = found;
        slotEpoch_ = table.epoch();
    }
    return found;
}

ScriptValue& VarNode::insertSlot(ScriptRun& run) {
    VariableTable& table = run.variables();
    slot_ = &table.findOrInsert(normalized_);
    slotEpoch_ = table.epoch();
    return *slot_;
}

void VarNode::read(ScriptRun& run, ScriptValue& out) {
    if (const ScriptValue* slot = readSlot(run)) {
        if (slot->isInteger())
            out.setInteger(slot->integer); // no string to copy
        else
            out = *slot;
    } else if (stringName_)
        out.setEmptyString();
    else
        out.setInteger(0);
}

ScriptValue& VarNode::Evaluate(ScriptRun& run, ScriptValue& out) {
    read(run, out);
    return out;
}

std::int32_t VarNode::evaluateInteger(ScriptRun& run) {
    return readInteger(run);
}

bool VarNode::evaluateTruth(ScriptRun& run) {
    const ScriptValue* slot = readSlot(run);
    return slot && IsTrue(*slot);
}

std::int32_t UnaryNode::evaluateInteger(ScriptRun& run) {
    if (operand->kind != Kind::Unary)
        return applyUnary(NodeCode, integerOf(operand.get(), run));
    // A chain like - - ~ x is walked without recursion.
    std::vector<Node*>& chain = run.chain();
    const std::size_t base = chain.size();
    Node* n = this;
    while (n->kind == Kind::Unary) {
        chain.push_back(n);
        n = static_cast<UnaryNode*>(n)->operand.get();
    }
    std::int32_t x = integerOf(n, run);
    while (chain.size() > base) {
        x = applyUnary(chain.back()->NodeCode, x);
        chain.pop_back();
    }
    return x;
}

bool UnaryNode::evaluateTruth(ScriptRun& run) {
    return UnaryNode::evaluateInteger(run) != 0;
}

ScriptValue& UnaryNode::Evaluate(ScriptRun& run, ScriptValue& out) {
    out.setInteger(UnaryNode::evaluateInteger(run));
    return out;
}

BinaryNode::BinaryNode(std::int32_t line, std::uint32_t op, Node* left, Node* right)
    : Node(op, line, op == node_code::Add ? left->valueType : ValueType::Integer, Kind::Binary),
      left(left), right(right) {
    if (left->kind == Kind::Binary) {
        const std::uint16_t below = static_cast<BinaryNode*>(left)->chainDepth_;
        chainDepth_ = below == UINT16_MAX ? below : below + 1;
    }
    integerPath_ = chainDepth_ < kRecursiveChain && integerOperands(op, left, right);
}

std::int32_t BinaryNode::evaluateInteger(ScriptRun& run) {
    if (!integerPath_)
        return Node::evaluateInteger(run);
    using namespace node_code;
    if (NodeCode == AndAnd)
        return integerOf(left.get(), run) != 0 && integerOf(right.get(), run) != 0 ? 1 : 0;
    if (NodeCode == OrOr)
        return integerOf(left.get(), run) != 0 || integerOf(right.get(), run) != 0 ? 1 : 0;
    const std::int32_t l = integerOf(left.get(), run);
    const std::int32_t r = integerOf(right.get(), run);
    switch (NodeCode) {
    case Add:
        return wrapAdd(l, r);
    case Sub:
        return wrapSub(l, r);
    case Mul:
        return wrapMul(l, r);
    case Div:
    case Mod:
        if (r == 0) {
            reportDivisionByZero(run, line, NodeCode == Mod);
            return 0;
        }
        return NodeCode == Div ? wrapDiv(l, r) : wrapRem(l, r);
    case Or:
        return l | r;
    case And:
        return l & r;
    case Xor:
        return l ^ r;
    case Shl:
        return shiftLeft(l, r);
    case Shr:
        return shiftRight(l, r);
    default:
        return compareIntegers(NodeCode, l, r) ? 1 : 0;
    }
}

bool BinaryNode::evaluateTruth(ScriptRun& run) {
    if (integerPath_)
        return BinaryNode::evaluateInteger(run) != 0;
    return Node::evaluateTruth(run);
}

ScriptValue& BinaryNode::Evaluate(ScriptRun& run, ScriptValue& out) {
    if (integerPath_) {
        out.setInteger(BinaryNode::evaluateInteger(run));
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

void BinaryNode::apply(ScriptRun& run, ScriptValue& acc) {
    using namespace node_code;
    switch (NodeCode) {
    case AndAnd:
    case OrOr: {
        const bool leftTrue = ToInteger(acc) != 0;
        if (NodeCode == AndAnd ? !leftTrue : leftTrue)
            acc.setInteger(leftTrue ? 1 : 0);
        else
            acc.setInteger(integerOf(right.get(), run) != 0 ? 1 : 0);
        return;
    }
    case Add:
        if (acc.isString())
            appendValueOf(right.get(), run, acc.string);
        else
            acc.setInteger(wrapAdd(acc.integer, integerOf(right.get(), run)));
        return;
    case Eq:
    case Ne:
    case StrictEq:
    case StrictNe:
    case Lt:
    case Gt:
    case Le:
    case Ge:
        if (acc.isInteger() && right->valueType == ValueType::Integer) {
            const std::int32_t r = integerOf(right.get(), run);
            acc.setInteger(compareIntegers(NodeCode, acc.integer, r) ? 1 : 0);
        } else {
            ScriptValue rhs;
            right->Evaluate(run, rhs);
            acc.setInteger(compareValuesBy(NodeCode, acc, rhs) ? 1 : 0);
        }
        return;
    default:
        break;
    }
    const std::int32_t l = ToInteger(acc);
    const std::int32_t r = integerOf(right.get(), run);
    std::int32_t result = 0;
    switch (NodeCode) {
    case Sub:
        result = wrapSub(l, r);
        break;
    case Mul:
        result = wrapMul(l, r);
        break;
    case Div:
    case Mod:
        if (r == 0)
            reportDivisionByZero(run, line, NodeCode == Mod);
        else
            result = NodeCode == Div ? wrapDiv(l, r) : wrapRem(l, r);
        break;
    case Or:
        result = l | r;
        break;
    case And:
        result = l & r;
        break;
    case Xor:
        result = l ^ r;
        break;
    case Shl:
        result = shiftLeft(l, r);
        break;
    case Shr:
        result = shiftRight(l, r);
        break;
    default:
        break;
    }
    acc.setInteger(result);
}

ScriptValue& CondNode::Evaluate(ScriptRun& run, ScriptValue& out) {
    return (condition->evaluateTruth(run) ? ifTrue : ifFalse)->Evaluate(run, out);
}

std::int32_t CondNode::evaluateInteger(ScriptRun& run) {
    return integerOf((condition->evaluateTruth(run) ? ifTrue : ifFalse).get(), run);
}

bool CondNode::evaluateTruth(ScriptRun& run) {
    return (condition->evaluateTruth(run) ? ifTrue : ifFalse)->evaluateTruth(run);
}

} // namespace tapwell
