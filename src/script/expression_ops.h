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

// Remainders by a literal known from the parse, as a compiler computes them
// for a divisor in the source: the low bits of n times the divisor's 64-bit
// reciprocal, times the divisor, give n's remainder exactly for every 32-bit
// n, without the division instruction that dominates `i % 7 == 3`. 0 where
// this does not apply: a divisor of magnitude below 2, or no 128-bit product
// on the platform.
inline std::uint64_t reciprocalOf(std::int32_t divisor) {
#if defined(__SIZEOF_INT128__)
    const std::uint32_t magnitude = divisor < 0 ? 0u - static_cast<std::uint32_t>(divisor)
                                                : static_cast<std::uint32_t>(divisor);
    return magnitude >= 2 ? UINT64_MAX / magnitude + 1 : 0;
#else
    (void)divisor;
    return 0;
#endif
}

// wrapRem(n, divisor), with `reciprocal` = reciprocalOf(divisor), not 0: the
// remainder of the magnitudes, with n's sign.
inline std::int32_t remainderByReciprocal(std::int32_t n, std::int32_t divisor,
                                          std::uint64_t reciprocal) {
#if defined(__SIZEOF_INT128__)
    const std::uint32_t sign = n < 0 ? UINT32_MAX : 0;
    const std::uint32_t magnitude = (static_cast<std::uint32_t>(n) ^ sign) - sign;
    const std::uint32_t d = divisor < 0 ? 0u - static_cast<std::uint32_t>(divisor)
                                        : static_cast<std::uint32_t>(divisor);
    const std::uint64_t low = reciprocal * magnitude;
    const auto r = static_cast<std::uint32_t>((static_cast<unsigned __int128>(low) * d) >> 64);
    return static_cast<std::int32_t>((r ^ sign) - sign);
#else
    (void)reciprocal;
    return wrapRem(n, divisor);
#endif
}

// Reports error 102 (or 103 for a remainder) with `line` and stops the run.
void reportDivisionByZero(ScriptRun& run, std::int32_t line, bool remainder);

} // namespace tapwell
