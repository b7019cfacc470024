// Shared plumbing of tapwell-cli's subcommands: arguments, input files and
// the escaping of texts in its line-oriented output.
#pragma once

#include "files/text_file_decoding.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tapwell::cli {

inline constexpr int kUsageExit = 64;

using Args = std::vector<std::string>;

// Whole file (or standard input for "-") as bytes; nullopt when unreadable.
std::optional<std::string> readInputBytes(const std::string& path);

// FILE as the program reads a text file (marks, detection, the strict
// fallback, up to the first zero character); nullopt when it cannot.
std::optional<std::u16string> readInputText(const std::string& path,
                                            const CodePageServiceFactory& codePages);

// Backslash, line feed and carriage return as \\, \n, \r; with quotes, also ".
std::string escapeText(std::string_view utf8, bool quotes = false);

// Prints the usage text to standard error and returns the usage exit code.
int usageError(std::string_view usage, std::string_view problem = {});

} // namespace tapwell::cli
