// The language of everything the program says: chosen once at start-up from
// the TPW_LANG variable or the system, and never changed.
#pragma once

#include <cstdint>

namespace tapwell {

enum class Language : std::uint8_t { Japanese, English };

} // namespace tapwell
