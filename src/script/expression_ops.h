// 32-bit integer arithmetic of the script's operators and compound
// assignments: everything wraps modulo 2^32, shift counts count modulo 32.
#pragma once

#include <cstdint>

namespace tapwell {

class ScriptRun;

inline std::int32_t wrapAdd(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}
inline std::int32_t wrapSub(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}
inline std::int32_t wrapMul(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
}
inline std::int32_t shiftLeft(std::int32_t a, std::int32_t count) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) << (count & 31));
}
// Arithmetic: the sign bit is copied.
inline std::int32_t shiftRight(std::int32_t a, std::int32_t count) {
    return a >> (count & 31);
}
// Truncated toward zero; `b` must not be 0. INT32_MIN / -1 does not fit; it
// wraps to INT32_MIN like the other arithmetic instead of trapping.
inline std::int32_t wrapDiv(std::int32_t a, std::int32_t b) {
    return b == -1 ? wrapSub(0, a) : a / b;
}
// Sign of the dividend; `b` must not be 0. INT32_MIN % -1 gives 0.
inline std::int32_t wrapRem(std::int32_t a, std::int32_t b) {
    return b == -1 ? 0 : a % b;
}

// Division by a literal of 2 or more known from the parse: a product with the
// divisor's 64-bit reciprocal gives the exact quotient of every 32-bit
// magnitude, as a compiler does for a divisor in the source, at a fraction of
// the division instruction's time. The reciprocal is 0 where this does not
// apply (a divisor below 2, or no 128-bit product on the platform).
inline std::uint64_t reciprocalOf(std::int32_t d) {
#if defined(__SIZEOF_INT128__)
    return d >= 2 ? UINT64_MAX / static_cast<std::uint32_t>(d) + 1 : 0;
#else
    (void)d;
    return 0;
#endif
}

// The quotient or remainder (Remainder) of n by d, truncated toward zero as
// wrapDiv and wrapRem; `reciprocal` is reciprocalOf(d), not 0.
template <bool Remainder>
inline std::int32_t divideByReciprocal(std::int32_t n, std::int32_t d, std::uint64_t reciprocal) {
#if defined(__SIZEOF_INT128__)
    // Work on the magnitude, then give the result n's sign.
    const std::uint32_t sign = n < 0 ? UINT32_MAX : 0;
    const std::uint32_t magnitude = (static_cast<std::uint32_t>(n) ^ sign) - sign;
    const auto q =
        static_cast<std::uint32_t>((static_cast<unsigned __int128>(reciprocal) * magnitude) >> 64);
    const std::uint32_t r = Remainder ? magnitude - q * static_cast<std::uint32_t>(d) : q;
    return static_cast<std::int32_t>((r ^ sign) - sign);
#else
    (void)reciprocal;
    return Remainder ? wrapRem(n, d) : wrapDiv(n, d);
#endif
}

// Reports error 102 (or 103 for a remainder) with `line` and stops the run.
void reportDivisionByZero(ScriptRun& run, std::int32_t line, bool remainder);

} // namespace tapwell
