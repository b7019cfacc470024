// The platform's code-page service: MLang's detection and conversion, and the
// system's strict conversions. COM must be initialised on the calling thread.
#pragma once

#include "app/code_page_service.h"

#include <windows.h>

namespace tapwell {

// MLang's extended conversion as the service calls it (mode, code page,
// source and its size, destination and its size). A test passes its own to
// give results that Wine's MLang never gives.
using MlangConversionCall = std::function<HRESULT(DWORD*, UINT, CHAR*, UINT*, WCHAR*, UINT*)>;

// Creates the multi-language object; nullptr when that fails.
std::unique_ptr<CodePageService> createMlangCodePageService();
// The same with its conversion call replaced.
std::unique_ptr<CodePageService> createMlangCodePageServiceWith(MlangConversionCall convert);

} // namespace tapwell
