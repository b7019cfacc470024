// Gathers the environment report's record from the running system.
#pragma once

#include "about/system_info.h"

namespace tapwell::about {

// `darkMode` is the About box's own flag.
SystemInfo collectSystemInfo(bool darkMode);

} // namespace tapwell::about
