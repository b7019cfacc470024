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

// Reports error 102 (or 103 for a remainder) with `line` and stops the run.
void reportDivisionByZero(ScriptRun& run, std::int32_t line, bool remainder);

} // namespace tapwell
