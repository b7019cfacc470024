// A wait that a stop request ends early, shared by the real services.
#pragma once

#include "script/services.h"

#include <chrono>

namespace tapwell {

// Sleeps up to `ms` milliseconds in short slices, looking at `stop` between
// them. Returns true when the stop request cut the wait short.
bool interruptibleSleep(std::uint32_t ms, const StopQuery& stop,
                        std::chrono::milliseconds slice = std::chrono::milliseconds(10));

} // namespace tapwell
