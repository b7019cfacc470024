// Seconds a run waits before it starts sending.
#pragma once

#include "keystroke/run_host.h"
#include "keystroke/run_settings.h"

#include <cstdint>

namespace tapwell {

// Wait mode 0: the seconds setting. Wait mode 1: seconds from `now` until the
// start time, which is taken to be tomorrow when it has passed today.
std::int32_t initialCountdown(const RunSettings& settings, RunTimeOfDay now);

} // namespace tapwell
