// The devices a script run of tapwell-cli sends to when it is not a dry run:
// the desktop on Windows, nothing elsewhere (where every run is a dry run).
#pragma once

#include "script/script_run.h"

namespace tapwell::cli {

bool hasRealScriptDevices();
ScriptDevices realScriptDevices();

} // namespace tapwell::cli
