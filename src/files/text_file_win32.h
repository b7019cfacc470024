// The text-file reader and writer on real files, with the platform's
// code-page service. COM must be initialised on the calling thread.
#pragma once

#include "files/text_file_decoding.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace tapwell {

FileResult ReadTextFile(const std::wstring& path, std::u16string& text);
FileResult WriteTextFileUtf8(const std::wstring& path, std::u16string_view text);

// The platform's code-page service: MLang's detection and conversion, and the
// system's strict conversions. COM must be initialised on the calling thread.

// MLang's extended conversion as the service calls it (mode, code page,
// source and its size, destination and its size). A test passes its own to
// give results that Wine's MLang never gives.
using MlangConversionCall = std::function<HRESULT(DWORD*, UINT, CHAR*, UINT*, WCHAR*, UINT*)>;

// Creates the multi-language object; nullptr when that fails.
std::unique_ptr<CodePageService> createMlangCodePageService();
// The same with its conversion call replaced.
std::unique_ptr<CodePageService> createMlangCodePageServiceWith(MlangConversionCall convert);

} // namespace tapwell
