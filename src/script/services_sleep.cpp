#include "script/services_sleep.h"

#include <algorithm>
#include <thread>

namespace tapwell {

bool interruptibleSleep(std::uint32_t ms, const StopQuery& stop, std::chrono::milliseconds slice) {
    using Clock = std::chrono::steady_clock;
    // Measured against a deadline so that the slices' overshoot does not add up.
    const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        if (stop.stopRequested())
            return true;
        const auto now = Clock::now();
        if (now >= deadline)
            return false;
        std::this_thread::sleep_for(std::min<Clock::duration>(deadline - now, slice));
    }
}

} // namespace tapwell
