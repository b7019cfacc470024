// 32-bit integer arithmetic of the script's operators and compound
// assignments: everything wraps modulo 2^32, shift counts count modulo 32.
#pragma once

#include <cstdint>

namespace tapwell {

class ScriptRun;

std::int32_t wrapAdd(std::int32_t a, std::int32_t b);
std::int32_t wrapSub(std::int32_t a, std::int32_t b);
std::int32_t wrapMul(std::int32_t a, std::int32_t b);
std::int32_t shiftLeft(std::int32_t a, std::int32_t count);
// Arithmetic: the sign bit is copied.
std::int32_t shiftRight(std::int32_t a, std::int32_t count);
// Truncated toward zero; `b` must not be 0. INT32_MIN / -1 gives INT32_MIN.
std::int32_t wrapDiv(std::int32_t a, std::int32_t b);
// Sign of the dividend; `b` must not be 0. INT32_MIN % -1 gives 0.
std::int32_t wrapRem(std::int32_t a, std::int32_t b);

// Reports error 102 (or 103 for a remainder) with `line` and stops the run.
void reportDivisionByZero(ScriptRun& run, std::int32_t line, bool remainder);

} // namespace tapwell
