// Due times for the units of a sending phase, on a monotonic clock in
// microseconds. Unit k of a schedule is due at its start + k × interval, so
// that small delays (a late timer, a slow step) do not add up over a long
// text: the unit after a late one is due sooner. A schedule that has fallen
// far behind (a busy machine) starts again from now instead of catching up
// in a burst, and catching up after a smaller delay never puts three units
// within one interval, so the receiving program never gets a flood. The Windows host uses it; tests
// drive it with a virtual clock.
#pragma once

#include <cstdint>

namespace tapwell {

// Behind by more than this (or one interval, if longer), a schedule restarts.
inline constexpr std::int64_t kPacerMaxLagUs = 20000;

class Pacer {
  public:
    // When the next unit is due, asked at nowUs once the step of the last one
    // has ended (its keys have just been sent). Starts a schedule (due one
    // interval from now) when there is none or the interval has changed.
    std::int64_t next(std::int64_t nowUs, std::uint32_t intervalMs);

    // Forgets the schedule: after a step that blocked (a wait, a pause box)
    // the next unit is due one interval after it ends.
    void reset() { scheduled_ = false; }

    bool scheduled() const { return scheduled_; }

  private:
    std::int64_t start(std::int64_t nowUs, std::int64_t intervalUs);

    bool scheduled_ = false;
    std::int64_t originUs_ = 0;
    std::int64_t intervalUs_ = 0;
    std::int64_t index_ = 0;
    // When the step before the last one ended.
    std::int64_t previousStepUs_ = 0;
};

} // namespace tapwell
