#include "cli/script_devices.h"

namespace tapwell::cli {

bool hasRealScriptDevices() {
    return false;
}
ScriptDevices realScriptDevices() {
    return {};
}

} // namespace tapwell::cli
