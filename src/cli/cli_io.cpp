#include "cli/cli.h"

#include "files/text_file.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

namespace tapwell::cli {

std::optional<std::string> readInputBytes(const std::string& path) {
    if (path == "-") {
        std::ostringstream ss;
        ss << std::cin.rdbuf();
        return ss.str();
    }
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::optional<std::u16string> readInputText(const std::string& path,
                                            const CodePageServiceFactory& codePages) {
    std::optional<std::string> bytes = readInputBytes(path);
    if (!bytes)
        return std::nullopt;
    std::u16string text;
    if (decodeTextFile(codePages, *bytes, text) != FileResult::Ok)
        return std::nullopt;
    return text;
}

std::optional<std::uint64_t> parseCount(std::string_view s, std::uint64_t max) {
    if (s.empty() || s.size() > 20)
        return std::nullopt;
    std::uint64_t v = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            return std::nullopt;
        const auto d = static_cast<unsigned>(c - '0');
        if (v > (max - d) / 10)
            return std::nullopt;
        v = v * 10 + d;
    }
    return v;
}

int usageError(std::string_view usage, std::string_view problem) {
    if (!problem.empty())
        std::fprintf(stderr, "tapwell-cli: %.*s\n", static_cast<int>(problem.size()),
                     problem.data());
    std::fprintf(stderr, "%.*s", static_cast<int>(usage.size()), usage.data());
    return kUsageExit;
}

} // namespace tapwell::cli

namespace tapwell::cli {

bool isHelpOption(std::string_view arg) {
    return arg == "--help" || arg == "-h";
}

int printUsage(std::string_view usage) {
    std::fwrite(usage.data(), 1, usage.size(), stdout);
    std::fflush(stdout);
    return 0;
}

} // namespace tapwell::cli
