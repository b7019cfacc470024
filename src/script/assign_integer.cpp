// Entries of the integer assignment forms, one per form and value shape.
// Only names without '$' take these forms, so the target always holds an
// integer, which is read and written as it stands.
#include "script/expression_ops.h"
#include "script/node_eval.h"

#include <type_traits>

namespace tapwell {

namespace {

#define TAPWELL_COMBINE(Name, expression)                                                          \
    struct Name {                                                                                  \
        static std::int32_t apply(std::int32_t t, std::int32_t v) { return expression; }           \
    };

TAPWELL_COMBINE(AddTo, wrapAdd(t, v))
TAPWELL_COMBINE(SubFrom, wrapSub(t, v))
TAPWELL_COMBINE(MulBy, wrapMul(t, v))
TAPWELL_COMBINE(ShiftRightBy, shiftRight(t, v))
TAPWELL_COMBINE(ShiftLeftBy, shiftLeft(t, v))
TAPWELL_COMBINE(OrWith, t | v)
TAPWELL_COMBINE(XorWith, t ^ v)
TAPWELL_COMBINE(AndWith, t& v)

#undef TAPWELL_COMBINE

// "=": the value first, then the store.
template <class V> std::int32_t setEntry(Node& n, ScriptRun& run) {
    AssignNode& a = static_cast<AssignNode&>(n);
    const std::int32_t v = V::get(a.value.get(), run);
    a.target->writeSlot(run).integer = v;
    return v;
}

// The compound forms read the target before the value runs. Taking the
// entry first changes nothing a script can see: a missing integer variable
// reads as 0 just as a new entry does, and entries stay where they are
// while the value adds others.
template <class Combine, bool Postfix, class V>
std::int32_t compoundEntry(Node& n, ScriptRun& run) {
    AssignNode& a = static_cast<AssignNode&>(n);
    ScriptValue& slot = a.target->writeSlot(run);
    const std::int32_t t = slot.integer;
    const std::int32_t result = Combine::apply(t, V::get(a.value.get(), run));
    slot.integer = result;
    return Postfix ? t : result;
}

// "/=" and "%=". A literal or a variable as the value gives the same number
// both times it is read and does nothing else, so one read serves for the
// test and for the division; any other value goes through storeQuotient.
template <bool Remainder, class V> std::int32_t quotientEntry(Node& n, ScriptRun& run) {
    AssignNode& a = static_cast<AssignNode&>(n);
    if constexpr (std::is_same_v<V, AnyOperand>) {
        return a.storeQuotient(run);
    } else {
        const std::int32_t d = V::get(a.value.get(), run);
        if (d == 0) {
            reportDivisionByZero(run, a.line, Remainder);
            return 0;
        }
        ScriptValue& slot = a.target->writeSlot(run);
        const std::int32_t result = Remainder ? wrapRem(slot.integer, d) : wrapDiv(slot.integer, d);
        slot.integer = result;
        return result;
    }
}

template <IntegerFn F> void statementEntry(Node& n, ScriptRun& run) {
    F(n, run);
}

template <IntegerFn F> AssignEntries entries() {
    return {F, &statementEntry<F>};
}

struct SetWith {
    template <class V> AssignEntries entry() const { return entries<&setEntry<V>>(); }
};

template <class Combine, bool Postfix> struct CompoundWith {
    template <class V> AssignEntries entry() const {
        return entries<&compoundEntry<Combine, Postfix, V>>();
    }
};

template <bool Remainder> struct QuotientWith {
    template <class V> AssignEntries entry() const {
        return entries<&quotientEntry<Remainder, V>>();
    }
};

template <class Combine, bool Postfix = false> AssignEntries compound(const Node* value) {
    return withOperandShape(value, CompoundWith<Combine, Postfix>{});
}

} // namespace

AssignEntries chooseAssignInteger(std::uint32_t assignCode, const Node* value) {
    using namespace assign_code;
    switch (assignCode) {
    case Add:
        return compound<AddTo>(value);
    case PostInc:
        return compound<AddTo, true>(value);
    case Sub:
        return compound<SubFrom>(value);
    case PostDec:
        return compound<SubFrom, true>(value);
    case Mul:
        return compound<MulBy>(value);
    case Shr:
        return compound<ShiftRightBy>(value);
    case Shl:
        return compound<ShiftLeftBy>(value);
    case Or:
        return compound<OrWith>(value);
    case Xor:
        return compound<XorWith>(value);
    case And:
        return compound<AndWith>(value);
    case Div:
        return withOperandShape(value, QuotientWith<false>{});
    case Mod:
        return withOperandShape(value, QuotientWith<true>{});
    default:
        return withOperandShape(value, SetWith{});
    }
}

} // namespace tapwell
