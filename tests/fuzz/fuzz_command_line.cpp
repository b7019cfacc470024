// Command-line parsing on any argument vector and module path.
#include "app/command_line.h"
#include "fuzz_input.h"

#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tapwell::fuzz::Input in{data, size};
    std::u16string all = in.restAsUnits();
    // Arguments are separated by unit 0xFFFF in the input.
    std::vector<std::u16string> args;
    std::u16string cur;
    for (char16_t c : all) {
        if (c == 0xFFFF) {
            args.push_back(cur);
            cur.clear();
        } else {
            cur.push_back(c);
        }
    }
    args.push_back(cur);
    tapwell::CommandLineText out;
    int reads = 0;
    auto reader = [&](std::u16string_view p) -> std::optional<std::u16string> {
        ++reads;
        if (p.size() % 2)
            return std::nullopt;
        return std::u16string(p);
    };
    tapwell::CommandLineError err = tapwell::parseArguments(args, reader, out);
    if (err == tapwell::CommandLineError::None && out.textFromT && out.textFromF)
        std::abort(); // the conflict must be reported
    (void)tapwell::oneShotMode(all);
    (void)tapwell::isIniExecutableName(all);
    (void)tapwell::executableFolder(all);
    return 0;
}
