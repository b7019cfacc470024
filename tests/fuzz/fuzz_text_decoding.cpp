// The text reader's decoding path (byte-order marks, detection fallback) on
// any bytes, with a code-page service that knows nothing and fails often.
#include "fake_code_page_service.h"
#include "files/text_file_decoding.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tapwell::fuzz::Input in{data, size};
    std::uint8_t flags = in.takeByte();
    tapwell::testing::FakeCodePageService service;
    if (flags & 1)
        service.detected = (flags & 2) ? tapwell::kCodePageShiftJis : tapwell::kCodePageUtf8;
    service.failConvert = (flags & 4) != 0;
    std::u16string out;
    (void)tapwell::decodeTextFileBytes(service, in.rest(), out);
    (void)tapwell::japaneseTextPlausibility(in.restAsUnits());
    return 0;
}
