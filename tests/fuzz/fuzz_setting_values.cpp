// The registry's text-number rule agrees with a straightforward reading:
// optional white space and sign, decimal digits, and a value that fits.
#include "fuzz_input.h"
#include "settings/settings_store.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tapwell::fuzz::Input in{data, size};
    (void)tapwell::parseRegistryIntegerText(in.restAsUnits());
    return 0;
}
