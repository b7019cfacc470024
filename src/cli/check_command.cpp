#include "cli/cli.h"
#include "common/utf.h"
#include "keystroke/run_trace.h"
#include "script/script_parser.h"
#include "script/script_runner.h"

#include <cstdio>

namespace tapwell::cli {

namespace {

constexpr std::string_view kUsage =
    "usage: tapwell-cli check [--tree] FILE\n"
    "FILE is read as the program reads a text file; it may be - for standard input.\n";

} // namespace

int checkCommand(const Args& args) {
    bool tree = false;
    std::string path;
    for (const std::string& a : args) {
        if (isHelpOption(a))
            return printUsage(kUsage);
        if (a == "--tree")
            tree = true;
        else if (a.size() > 1 && a[0] == '-')
            return usageError(kUsage, "unknown option " + a);
        else if (!path.empty())
            return usageError(kUsage, "only one FILE");
        else
            path = a;
    }
    if (path.empty())
        return usageError(kUsage, "FILE missing");
    const auto decoded = readInputText(path, inputCodePages());
    if (!decoded)
        return usageError(kUsage, "cannot read " + path);

    // The same steps as a run: a leading byte-order mark is dropped, and a
    // line feed is appended.
    std::u16string_view text(*decoded);
    if (!text.empty() && text.front() == u'\uFEFF')
        text.remove_prefix(1);
    std::string source = utf16ToUtf8(text);
    source.push_back('\n');

    const ParseOutcome outcome = parseScript(source);
    if (outcome.result != kParseAccepted) {
        const std::string message =
            "Error at line " + std::to_string(outcome.errorLine) + ": " + outcome.message + "\n";
        std::printf("error %d %d %s\n", kErrorSyntax, static_cast<int>(outcome.errorLine),
                    escapeText(message).c_str());
        return 1;
    }
    if (tree)
        std::printf("%s\n", dumpTree(outcome.root.get()).c_str());
    std::printf("ok\n");
    return 0;
}

} // namespace tapwell::cli
