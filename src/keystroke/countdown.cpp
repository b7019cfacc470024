#include "keystroke/countdown.h"

namespace tapwell {

std::int32_t initialCountdown(const RunSettings& s, RunTimeOfDay now) {
    if (s.iWaitMode == WaitMode::Seconds)
        return s.iWaitSec;
    // 64-bit so that out-of-range fields from a hand-edited store cannot
    // overflow; the store's load rules keep them in range anyway.
    std::int64_t seconds =
        ((static_cast<std::int64_t>(s.iTimeHour) - now.hour) * 60 + (s.iTimeMin - now.minute)) *
            60 +
        (s.iTimeSec - now.second);
    if (seconds < 0)
        seconds += 86400;
    return static_cast<std::int32_t>(seconds);
}

} // namespace tapwell
