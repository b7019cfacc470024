#include "cli/commands.h"

namespace tapwell::cli {

// Not built yet: the engine behind it comes with its own change.
int traceCommand(const Args&) {
    return usageError("", "the trace command is not available in this build");
}

} // namespace tapwell::cli
