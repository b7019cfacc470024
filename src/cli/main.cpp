// tapwell-cli: the portable core without the dialog, to check and preview
// what a text or a script will send.
#include "cli/cli.h"
#include "common/utf.h"
#include "keystroke/key_tables.h"

#include <cstdio>
#include <cstring>
#include <string_view>

namespace tapwell::cli {

int keysCommand(const Args& args) {
    if (!args.empty())
        return usageError("usage: tapwell-cli keys\n", "keys takes no arguments");
    for (const KeyNameEntry& e : keyNames()) {
        std::string desc = utf16ToUtf8(e.description);
        std::printf("%02X %s %s\n", e.code, e.name, desc.c_str());
    }
    return 0;
}

} // namespace tapwell::cli

namespace {

constexpr std::string_view kUsage =
    "usage: tapwell-cli keys\n"
    "       tapwell-cli check [--tree] FILE\n"
    "       tapwell-cli trace [--mode keyboard|unicode] [--error-stop] [--ignore-tab]\n"
    "                         [--ignore-space] [--ignore-enter] [--prefix TEXT] [--suffix TEXT]\n"
    "                         [--loop N] [--lang en|ja] [--max-events N] [--max-ticks N]\n"
    "                         [--delivery written|keys] [--layout us|jp] FILE\n"
    "       tapwell-cli script [--dry-run] [--answer BUTTON]... [--lang en|ja] FILE\n"
    "FILE is read as the program reads a text file (byte-order marks, detection where\n"
    "the platform has it, then the strict-decoding fallback) up to its first zero\n"
    "character; FILE may be - for standard input.\n";

struct Command {
    const char* name;
    int (*run)(const tapwell::cli::Args&);
};

constexpr Command kCommands[] = {
    {"keys", tapwell::cli::keysCommand},
    {"trace", tapwell::cli::traceCommand},
    {"check", tapwell::cli::checkCommand},
    {"script", tapwell::cli::scriptCommand},
};

} // namespace

int main(int argc, char** argv) {
    tapwell::cli::prepareStandardStreams();
    if (argc < 2)
        return tapwell::cli::usageError(kUsage);
    tapwell::cli::Args args(argv + 2, argv + argc);
    for (const Command& c : kCommands) {
        if (std::strcmp(argv[1], c.name) == 0)
            return c.run(args);
    }
    return tapwell::cli::usageError(kUsage, "unknown command");
}
