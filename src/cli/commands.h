// The subcommands of tapwell-cli; each takes the arguments after its name
// and returns the process exit status.
#pragma once

#include "cli/cli_io.h"

namespace tapwell::cli {

int keysCommand(const Args& args);
int traceCommand(const Args& args);
int checkCommand(const Args& args);
int scriptCommand(const Args& args);

} // namespace tapwell::cli
