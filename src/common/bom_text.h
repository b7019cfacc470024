// Byte-order-mark aware decoding of a whole text file's bytes: UTF-16LE/BE
// and UTF-8 by their marks, UTF-8 otherwise. The full reader with code-page
// detection builds on this.
#pragma once

#include <string>
#include <string_view>

namespace tapwell {

enum class TextEncoding { Utf8, Utf8Bom, Utf16Le, Utf16Be };

TextEncoding detectByteOrderMark(std::string_view bytes);
std::u16string decodeBomText(std::string_view bytes);

} // namespace tapwell
