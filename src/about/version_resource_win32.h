// The version strings of the running executable.
#pragma once

#include "about/version_text.h"

namespace tapwell::about {

// From the "041104b0" string block; a missing entry stays empty.
VersionStrings readExecutableVersionStrings();

} // namespace tapwell::about
