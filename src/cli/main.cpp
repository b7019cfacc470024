// tapwell-cli: the portable core without the dialog, to check and preview
// what a text or a script will send.
#include "cli/cli.h"
#include "common/utf.h"
#include "keystroke/key_tables.h"

#include <cstdio>
#include <string_view>

namespace tapwell::cli {

int keysCommand(const Args& args) {
    constexpr std::string_view kKeysUsage = "usage: tapwell-cli keys\n";
    if (args.size() == 1 && isHelpOption(args[0]))
        return printUsage(kKeysUsage);
    if (!args.empty())
        return usageError(kKeysUsage, "keys takes no arguments");
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
    "       tapwell-cli script [--dry-run] [--answer BUTTON]... [--lang en|ja]\n"
    "                          [--wait SECONDS] [--max-statements N] FILE\n"
    "       tapwell-cli help [COMMAND]\n"
    "script without --dry-run types for real on Windows (after --wait SECONDS, default\n"
    "5; Esc stops it); trace and check only print.\n"
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

const Command* findCommand(std::string_view name) {
    for (const Command& c : kCommands) {
        if (name == c.name)
            return &c;
    }
    return nullptr;
}

} // namespace

int main(int argc, char** argv) {
    using namespace tapwell::cli;
    prepareStandardStreams();
    if (argc < 2)
        return usageError(kUsage);
    const std::string_view name = argv[1];
    if (isHelpOption(name) || name == "help") {
        if (argc == 2)
            return printUsage(kUsage);
        // help COMMAND: that command's own usage.
        const Command* c = argc == 3 ? findCommand(argv[2]) : nullptr;
        if (!c)
            return usageError(kUsage,
                              argc == 3 ? "unknown command" : "help takes one command name");
        return c->run({"--help"});
    }
    if (const Command* c = findCommand(name))
        return c->run(Args(argv + 2, argv + argc));
    return usageError(kUsage, "unknown command");
}
