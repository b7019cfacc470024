// Hex dumps: any text decodes without crashing, and any bytes survive a
// round trip through their dump.
#include "files/hex_dump.h"
#include "fuzz_input.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tapwell::fuzz::Input in{data, size};
    (void)tapwell::decodeHexDump(in.restAsUnits());
    std::string bytes = in.rest();
    if (tapwell::decodeHexDump(tapwell::encodeHexDump(bytes)) != bytes)
        std::abort();
    return 0;
}
