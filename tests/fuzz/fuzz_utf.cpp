// UTF conversion and byte-order-mark decoding never crash, and conversion
// keeps its round-trip promises on any bytes.
#include "common/utf.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    std::u16string u = tapwell::utf8ToUtf16(bytes);
    std::string back = tapwell::utf16ToUtf8(u);
    // Valid input survives exactly; anything else becomes valid output.
    if (tapwell::isValidUtf8(bytes) && back != bytes)
        std::abort();
    if (!tapwell::isValidUtf8(back))
        std::abort();
    if (tapwell::utf8ToUtf16(back) != u)
        std::abort();
    // The same bytes read as UTF-16 units: lone surrogates must not break it.
    std::u16string units(size / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    if (!tapwell::isValidUtf8(tapwell::utf16ToUtf8(units)))
        std::abort();
    (void)tapwell::decodeBomText(bytes);
    return 0;
}
