// UTF-8 <-> UTF-16 conversion with the platform's code page 65001 rules:
// ill-formed input never fails, each maximal ill-formed subpart becomes
// U+FFFD, and a lone surrogate becomes U+FFFD on the way to UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace tapwell {

std::u16string utf8ToUtf16(std::string_view bytes);
std::string utf16ToUtf8(std::u16string_view units);

// True when `bytes` is well-formed UTF-8 (no surrogates, no overlongs).
bool isValidUtf8(std::string_view bytes);

// Byte-order-mark aware decoding of a whole text file's bytes: UTF-16LE/BE
// and UTF-8 by their marks, UTF-8 otherwise. The full reader with code-page
// detection builds on this.

enum class TextEncoding { Utf8, Utf8Bom, Utf16Le, Utf16Be };

TextEncoding detectByteOrderMark(std::string_view bytes);
std::u16string decodeBomText(std::string_view bytes);

} // namespace tapwell
