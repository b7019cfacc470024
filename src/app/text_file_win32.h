// The text-file reader and writer on real files, with the platform's
// code-page service. COM must be initialised on the calling thread.
#pragma once

#include <string>
#include <string_view>

namespace tapwell {

unsigned ReadTextFile(const std::wstring& path, std::u16string& text);
unsigned WriteTextFileUtf8(const std::wstring& path, std::u16string_view text);

} // namespace tapwell
