// The platform's code-page service: MLang's detection and conversion, and the
// system's strict conversions. COM must be initialised on the calling thread.
#pragma once

#include "app/code_page_service.h"

namespace tapwell {

// Creates the multi-language object; nullptr when that fails.
std::unique_ptr<CodePageService> createMlangCodePageService();

} // namespace tapwell
