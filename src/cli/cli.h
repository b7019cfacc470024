// tapwell-cli: its subcommands, their shared plumbing, and what the platform
// gives it (the code pages it reads with, the devices a real script run uses).
#pragma once

#include "files/text_file_decoding.h"
#include "script/script_run.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tapwell::cli {

inline constexpr int kUsageExit = 64;

using Args = std::vector<std::string>;

// Each subcommand takes the arguments after its name and returns the process
// exit status.
int keysCommand(const Args& args);
int traceCommand(const Args& args);
int checkCommand(const Args& args);
int scriptCommand(const Args& args);

// Shared plumbing: arguments, input files and the escaping of texts in the
// line-oriented output.

// Whole file (or standard input for "-") as bytes; nullopt when unreadable.
std::optional<std::string> readInputBytes(const std::string& path);

// FILE as the program reads a text file (marks, detection, the strict
// fallback, up to the first zero character); nullopt when it cannot.
std::optional<std::u16string> readInputText(const std::string& path,
                                            const CodePageServiceFactory& codePages);

// A decimal number of at most `max`, digits only; nullopt otherwise.
std::optional<std::uint64_t> parseCount(std::string_view s, std::uint64_t max);

// Prints the usage text to standard error and returns the usage exit code.
int usageError(std::string_view usage, std::string_view problem = {});

// --help and -h, which every subcommand takes in place of an option.
bool isHelpOption(std::string_view arg);
// Prints the usage text to standard output and returns 0: asked for, it is
// the answer rather than an error.
int printUsage(std::string_view usage);

// What the platform gives the tool (platform_win32.cpp, platform_posix.cpp).

// Output is UTF-8 bytes with \n line ends, the same on every platform.
void prepareStandardStreams();

// The devices a script run sends to when it is not a dry run: the desktop on
// Windows, nothing elsewhere (where every run is a dry run).
bool hasRealScriptDevices();
ScriptDevices realScriptDevices();

// A real run's stop, as the dialog's runs have it: the user's Esc in any
// window, and on Windows also Ctrl+C and the console closing. Watching
// begins before the wait of `seconds`; false when the stop came during it.
bool waitBeforeRealRun(int seconds);
// The host's CheckAbort of a real run: 1 once the user stopped it.
std::int32_t realRunCheckAbort(std::int32_t line);
// The run is over and has released what it held; a console closing may
// now end the process.
void endRealRun();

// The code-page service input files are read with: the platform's own where
// it has one, so a preview decodes a file exactly as a run of the program would.
CodePageServiceFactory inputCodePages();

} // namespace tapwell::cli
