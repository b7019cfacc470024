// Turning a text file's bytes into UTF-16: byte-order marks first, then the
// code page the platform detects, then our own decision when it cannot tell.
#pragma once

#include "app/code_page_service.h"

#include <string>
#include <string_view>

namespace tapwell {

// How likely `text` is to be what a Japanese or Western text file meant:
// full-width kana, kanji and full-width punctuation count for it; half-width
// katakana, control characters, private-use and replacement characters
// against it. Only the comparison between candidates matters.
long japaneseTextPlausibility(std::u16string_view text);

// The decision when detection fails: valid UTF-8 is UTF-8; otherwise the most
// plausible of the strict CP932, EUC-JP and ANSI decodings (earlier ones win
// ties); UTF-8 with replacement characters when none of them decodes.
std::u16string decodeUndetectedText(CodePageService& service, std::string_view bytes);

// Decodes a whole file's bytes (after they were read) into `out`, cut at the
// first zero character. Returns 0, or 6 when the service's conversion failed.
unsigned decodeTextFileBytes(CodePageService& service, std::string_view bytes, std::u16string& out);

} // namespace tapwell
