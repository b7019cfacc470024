// Literals, variable reads and the operators.
#include "script/expression_ops.h"
#include "script/script_run.h"
#include "script/syntax_tree.h"

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

void applyUnary(std::uint32_t op, ScriptValue& v) {
    const std::int32_t x = ToInteger(v);
    if (op == node_code::Sub)
        v.setInteger(wrapSub(0, x));
    else if (op == node_code::Not)
        v.setInteger(~x);
    else
        v.setInteger(x == 0 ? 1 : 0);
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

ScriptValue& StringNode::Evaluate(ScriptRun&, ScriptValue& out) {
    out.setString(std::string_view(value));
    return out;
}

const ScriptValue* VarNode::readSlot(ScriptRun& run) {
    VariableTable& table = run.variables();
    if (slot_ && slotEpoch_ == table.epoch())
        return slot_;
    ScriptValue* found = table.find(normalized_);
    if (found) {
        slot_ = found;
        slotEpoch_ = table.epoch();
    }
    return found;
}

ScriptValue& VarNode::writeSlot(ScriptRun& run) {
    VariableTable& table = run.variables();
    if (!slot_ || slotEpoch_ != table.epoch()) {
        slot_ = &table.findOrInsert(normalized_);
        slotEpoch_ = table.epoch();
    }
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

std::int32_t VarNode::readInteger(ScriptRun& run) {
    const ScriptValue* slot = readSlot(run);
    return slot ? ToInteger(*slot) : 0;
}

ScriptValue& VarNode::Evaluate(ScriptRun& run, ScriptValue& out) {
    read(run, out);
    return out;
}

ScriptValue& UnaryNode::Evaluate(ScriptRun& run, ScriptValue& out) {
    // A chain like - - ~ x is walked without recursion.
    if (operand->kind != Kind::Unary) {
        operand->Evaluate(run, out);
        applyUnary(NodeCode, out);
        return out;
    }
    std::vector<Node*>& chain = run.chain();
    const std::size_t base = chain.size();
    Node* n = this;
    while (n->kind == Kind::Unary) {
        chain.push_back(n);
        n = static_cast<UnaryNode*>(n)->operand.get();
    }
    n->Evaluate(run, out);
    while (chain.size() > base) {
        const std::uint32_t op = chain.back()->NodeCode;
        chain.pop_back();
        applyUnary(op, out);
    }
    return out;
}

ScriptValue& BinaryNode::Evaluate(ScriptRun& run, ScriptValue& out) {
    if (left->kind != Kind::Binary) { // the common short case
        left->Evaluate(run, out);
        apply(run, out);
        return out;
    }
    // Left-deep chains (a + b + c + ...) can be as long as the text allows:
    // walk down the left operands, then apply the operators bottom-up.
    std::vector<Node*>& chain = run.chain();
    const std::size_t base = chain.size();
    Node* n = this;
    while (n->kind == Kind::Binary) {
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
    ScriptValue rhs;
    if (NodeCode == AndAnd || NodeCode == OrOr) {
        const bool leftTrue = ToInteger(acc) != 0;
        if (NodeCode == AndAnd ? !leftTrue : leftTrue) {
            acc.setInteger(leftTrue ? 1 : 0);
            return;
        }
        right->Evaluate(run, rhs);
        acc.setInteger(ToInteger(rhs) != 0 ? 1 : 0);
        return;
    }
    right->Evaluate(run, rhs);
    switch (NodeCode) {
    case Add:
        if (acc.isString())
            AppendText(acc.string, rhs);
        else
            acc.setInteger(wrapAdd(acc.integer, ToInteger(rhs)));
        return;
    case Eq:
        acc.setInteger(equalValues(acc, rhs) ? 1 : 0);
        return;
    case Ne:
        acc.setInteger(equalValues(acc, rhs) ? 0 : 1);
        return;
    case StrictEq:
        acc.setInteger(acc.type == rhs.type && equalValues(acc, rhs) ? 1 : 0);
        return;
    case StrictNe:
        acc.setInteger(acc.type == rhs.type && equalValues(acc, rhs) ? 0 : 1);
        return;
    case Lt:
        acc.setInteger(compareValues(acc, rhs) < 0 ? 1 : 0);
        return;
    case Gt:
        acc.setInteger(compareValues(acc, rhs) > 0 ? 1 : 0);
        return;
    case Le:
        acc.setInteger(compareValues(acc, rhs) <= 0 ? 1 : 0);
        return;
    case Ge:
        acc.setInteger(compareValues(acc, rhs) >= 0 ? 1 : 0);
        return;
    default:
        break;
    }
    const std::int32_t l = ToInteger(acc);
    const std::int32_t r = ToInteger(rhs);
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
    condition->Evaluate(run, out);
    return (IsTrue(out) ? ifTrue : ifFalse)->Evaluate(run, out);
}

} // namespace tapwell
