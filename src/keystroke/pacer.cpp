#include "keystroke/pacer.h"

#include <algorithm>

namespace tapwell {

std::int64_t Pacer::start(std::int64_t nowUs, std::int64_t intervalUs) {
    scheduled_ = true;
    originUs_ = nowUs;
    intervalUs_ = intervalUs;
    index_ = 1;
    return nowUs + intervalUs;
}

std::int64_t Pacer::next(std::int64_t nowUs, std::uint32_t intervalMs) {
    const std::int64_t intervalUs = static_cast<std::int64_t>(intervalMs) * 1000;
    if (!scheduled_ || intervalUs != intervalUs_)
        return start(nowUs, intervalUs);
    ++index_;
    const std::int64_t ideal = originUs_ + index_ * intervalUs;
    if (nowUs - ideal > std::max(intervalUs, kPacerMaxLagUs))
        return start(nowUs, intervalUs);
    // Two thirds of an interval after the last step at the earliest: a delay
    // is made up bit by bit, never all at once.
    return std::max(ideal, nowUs + intervalUs * 2 / 3);
}

} // namespace tapwell
