// The foreground window and its program's rights, as Windows tells them.
#pragma once

#include "keystroke/input_destination.h"

namespace tapwell {

class Win32InputDestination final : public InputDestination {
  public:
    WindowId foregroundWindow() override;
    bool refusesInput(WindowId window) override;
};

// The process's destination; it keeps no state.
InputDestination& systemInputDestination();

} // namespace tapwell
