#include "script/services.h"

#include <algorithm>
#include <thread>

namespace tapwell {

bool interruptibleSleep(std::uint32_t ms, const StopQuery& stop, std::chrono::milliseconds slice) {
    using Clock = std::chrono::steady_clock;
    // Measured against a deadline so that the slices' overshoot does not add up.
    const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
    if (ms == 0 && !stop.stopRequested()) {
        // A zero wait still gives up the rest of the time slice, as the
        // platform's Sleep(0) does; scripts use it to stay polite in loops.
        std::this_thread::yield();
        return false;
    }
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
