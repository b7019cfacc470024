// Where a run's events go: the window in the foreground, and whether Windows
// will let this program's synthetic input reach it. Windows discards input
// sent to a program that runs with higher rights without saying so, and the
// answer here is a best guess, so the run asks through this seam and tests
// fake it.
#pragma once

#include <cstdint>

namespace tapwell {

// A window as an opaque number; 0 is no window.
using WindowId = std::uintptr_t;

class InputDestination {
  public:
    virtual ~InputDestination() = default;
    // The window in the foreground now, 0 when there is none.
    virtual WindowId foregroundWindow() = 0;
    // True when `window` belongs to a program that runs with higher rights
    // than this one, so that Windows discards what is sent to it. False when
    // that cannot be told.
    virtual bool refusesInput(WindowId window) = 0;
};

} // namespace tapwell
