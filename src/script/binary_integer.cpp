// Integer entries of the binary operators, one per operator and operand
// shape, so that the loop of a script like `while i < n` runs a handful of
// instructions per operator instead of a general dispatch.
#include "script/expression_ops.h"
#include "script/node_eval.h"

#include <iterator>

namespace tapwell {

namespace {

#define TAPWELL_INTEGER_OP(Name, expression)                                                       \
    struct Name {                                                                                  \
        static std::int32_t apply(const BinaryNode&, ScriptRun&, std::int32_t l, std::int32_t r) { \
            return expression;                                                                     \
        }                                                                                          \
    };

TAPWELL_INTEGER_OP(AddOp, wrapAdd(l, r))
TAPWELL_INTEGER_OP(SubOp, wrapSub(l, r))
TAPWELL_INTEGER_OP(MulOp, wrapMul(l, r))
TAPWELL_INTEGER_OP(OrOp, l | r)
TAPWELL_INTEGER_OP(AndOp, l& r)
TAPWELL_INTEGER_OP(XorOp, l ^ r)
TAPWELL_INTEGER_OP(ShlOp, shiftLeft(l, r))
TAPWELL_INTEGER_OP(ShrOp, shiftRight(l, r))
// With two integers, === and !== compare like == and !=.
TAPWELL_INTEGER_OP(EqOp, l == r ? 1 : 0)
TAPWELL_INTEGER_OP(NeOp, l != r ? 1 : 0)
TAPWELL_INTEGER_OP(LtOp, l < r ? 1 : 0)
TAPWELL_INTEGER_OP(GtOp, l > r ? 1 : 0)
TAPWELL_INTEGER_OP(LeOp, l <= r ? 1 : 0)
TAPWELL_INTEGER_OP(GeOp, l >= r ? 1 : 0)

#undef TAPWELL_INTEGER_OP

template <bool Remainder> struct QuotientOp {
    static std::int32_t apply(const BinaryNode& b, ScriptRun& run, std::int32_t l, std::int32_t r) {
        if (r == 0) {
            reportDivisionByZero(run, b.line, Remainder);
            return 0;
        }
        return Remainder ? wrapRem(l, r) : wrapDiv(l, r);
    }
};

// Both operands are evaluated, left first, before the operator applies.
template <class Op, class L, class R> std::int32_t binaryEntry(Node& n, ScriptRun& run) {
    BinaryNode& b = static_cast<BinaryNode&>(n);
    const std::int32_t l = L::get(b.left.get(), run);
    const std::int32_t r = R::get(b.right.get(), run);
    return Op::apply(b, run, l, r);
}

// && and || take the operands' integer values and may skip the right one.
std::int32_t andEntry(Node& n, ScriptRun& run) {
    BinaryNode& b = static_cast<BinaryNode&>(n);
    return b.left->evaluateInteger(run) != 0 && b.right->evaluateInteger(run) != 0 ? 1 : 0;
}

std::int32_t orEntry(Node& n, ScriptRun& run) {
    BinaryNode& b = static_cast<BinaryNode&>(n);
    return b.left->evaluateInteger(run) != 0 || b.right->evaluateInteger(run) != 0 ? 1 : 0;
}

template <class Op, class L> struct WithRight {
    template <class R> IntegerFn entry() const { return &binaryEntry<Op, L, R>; }
};

template <class Op> struct WithLeft {
    const Node* right;
    template <class L> IntegerFn entry() const {
        return withOperandShape(right, WithRight<Op, L>{});
    }
};

template <class Op> IntegerFn choose(const Node* left, const Node* right) {
    return withOperandShape(left, WithLeft<Op>{right});
}

// The integer operators by code, from + (15) to >= (33); 23 is prefix only.
constexpr IntegerOperator kIntegerOperators[] = {
    &AddOp::apply,
    &SubOp::apply,
    &MulOp::apply,
    &QuotientOp<false>::apply,
    &QuotientOp<true>::apply,
    &OrOp::apply,
    &AndOp::apply,
    &XorOp::apply,
    nullptr,
    &ShlOp::apply,
    &ShrOp::apply,
    &EqOp::apply,
    &NeOp::apply,
    &EqOp::apply,
    &NeOp::apply,
    &LtOp::apply,
    &GtOp::apply,
    &LeOp::apply,
    &GeOp::apply,
};

} // namespace

IntegerOperator integerOperator(std::uint32_t op) {
    const std::uint32_t index = op - node_code::Add;
    return index < std::size(kIntegerOperators) ? kIntegerOperators[index] : nullptr;
}

IntegerFn chooseBinaryInteger(std::uint32_t op, const Node* left, const Node* right) {
    using namespace node_code;
    switch (op) {
    case Add:
        return choose<AddOp>(left, right);
    case Sub:
        return choose<SubOp>(left, right);
    case Mul:
        return choose<MulOp>(left, right);
    case Div:
        return choose<QuotientOp<false>>(left, right);
    case Mod:
        return choose<QuotientOp<true>>(left, right);
    case Or:
        return choose<OrOp>(left, right);
    case And:
        return choose<AndOp>(left, right);
    case Xor:
        return choose<XorOp>(left, right);
    case Shl:
        return choose<ShlOp>(left, right);
    case Shr:
        return choose<ShrOp>(left, right);
    case Eq:
    case StrictEq:
        return choose<EqOp>(left, right);
    case Ne:
    case StrictNe:
        return choose<NeOp>(left, right);
    case Lt:
        return choose<LtOp>(left, right);
    case Gt:
        return choose<GtOp>(left, right);
    case Le:
        return choose<LeOp>(left, right);
    case Ge:
        return choose<GeOp>(left, right);
    case AndAnd:
        return &andEntry;
    default:
        return &orEntry;
    }
}

} // namespace tapwell
