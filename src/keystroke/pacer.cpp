#include "keystroke/pacer.h"

#include <algorithm>

namespace tapwell {

std::int64_t Pacer::start(std::int64_t nowUs, std::int64_t intervalUs) {
    scheduled_ = true;
    originUs_ = nowUs;
    intervalUs_ = intervalUs;
    index_ = 1;
    previousStepUs_ = nowUs;
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
    // Catching up may send two units close together, never a third: it waits
    // for an interval after the unit before the last one (whose keys went out
    // before that step ended, so any three are an interval apart where they
    // arrive). A limit on the gap to the last unit instead would force a wait
    // after every unit, which a coarse timer (Wine rounds waits up to whole
    // milliseconds) stretches, and the schedule could never make up the
    // timer's lateness.
    const std::int64_t earliest = previousStepUs_ + intervalUs;
    previousStepUs_ = nowUs;
    return std::max(ideal, earliest);
}

} // namespace tapwell
