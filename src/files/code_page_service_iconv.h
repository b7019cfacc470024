// A code-page service built on the C library's iconv, for platforms without
// the multi-language service: it cannot detect, so every text without a
// byte-order mark takes the strict-decoding fallback, and it answers as a
// Japanese system does (ANSI code page 932).
#pragma once

#include "files/text_file_decoding.h"

namespace tapwell {

std::unique_ptr<CodePageService> createIconvCodePageService();

} // namespace tapwell
