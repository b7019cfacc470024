// tapwell-cli script: runs a QZ-Script. A dry run prints one line for
// everything that would have reached the desktop, in the order it happens;
// message boxes are answered from --answer, else with their first button.
// A real run (Windows only) sends to the window in front, with the dialog's
// stop: the user's Esc, and on any stop the release of what it holds.
#include "cli/cli.h"
#include "common/utf.h"
#include "keystroke/recording_sink.h"
#include "keystroke/run_trace.h"
#include "script/script_runner.h"
#include "script/services_fake.h"

#include <cstdio>

namespace tapwell::cli {

namespace {

constexpr std::string_view kUsage =
    "usage: tapwell-cli script [--dry-run] [--answer ok|cancel|yes|no]... [--lang en|ja]\n"
    "                          [--wait SECONDS] [--max-statements N] FILE\n"
    "Runs a QZ-Script. On Windows, without --dry-run, it types for real: after --wait\n"
    "seconds (default 5) its keys and mouse actions go to the window in front. The\n"
    "user's Esc in any window stops it (and every other tapwell run), and a stop by\n"
    "Esc, Ctrl+C or closing the console releases the keys and buttons it holds.\n"
    "With --dry-run (always on other systems) nothing is sent: every event prints as\n"
    "a line, and a script still running after --max-statements statements (default\n"
    "100000000, 0 for no limit) is cut off with end limit (exit 3).\n"
    "FILE is read as the program reads a text file; it may be - for standard input.\n";

constexpr int kExitLimit = 3;
// A dry run has no Esc: an endless script is cut off, as an endless trace is.
constexpr std::uint64_t kDefaultMaxStatements = 100000000;

void printLine(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
}

// Everything a dry run prints through; the host's entries are plain
// functions, so they reach it through this one pointer while a run lasts.
struct DryRun {
    FakeScriptServices services{printLine};
    RecordingSink keys;
    ScriptedMessageBoxes boxes{printLine};
};
DryRun* g_dryRun = nullptr;

std::int32_t dryCallBack(CallBackCall* call) {
    printLine("callback " + utf16ToUtf8(call->name) + " " + std::to_string(call->count));
    return 0; // the result stays integer 0
}

void printError(std::int32_t code, std::int32_t line, const char16_t* text) {
    printLine("error " + std::to_string(code) + " " + std::to_string(line) + " " +
              escapeText(utf16ToUtf8(text)));
}

std::int32_t dryMessageBox(void*, const char16_t* text, const char16_t* caption,
                           std::uint32_t flags) {
    return g_dryRun->boxes.show(utf16ToUtf8(text), utf16ToUtf8(caption), flags);
}

} // namespace

int scriptCommand(const Args& args) {
    bool dryRun = !hasRealScriptDevices();
    int waitSeconds = 5;
    std::uint64_t maxStatements = kDefaultMaxStatements;
    std::vector<int> answers;
    std::string path;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (isHelpOption(a)) {
            return printUsage(kUsage);
        } else if (a == "--dry-run") {
            dryRun = true;
        } else if (a == "--answer" && hasValue) {
            const auto answer = ScriptedMessageBoxes::parseAnswer(args[++i]);
            if (!answer)
                return usageError(kUsage, "unknown answer " + args[i]);
            answers.push_back(*answer);
        } else if (a == "--lang" && hasValue) {
            // The script's own texts read the same in both languages.
            if (args[++i] != "en" && args[i] != "ja")
                return usageError(kUsage, "unknown language " + args[i]);
        } else if (a == "--wait" && hasValue) {
            const std::string& v = args[++i];
            if (v.empty() || v.size() > 6 || v.find_first_not_of("0123456789") != std::string::npos)
                return usageError(kUsage, "bad wait " + v);
            waitSeconds = std::stoi(v);
        } else if (a == "--max-statements" && hasValue) {
            const auto n = parseCount(args[++i], UINT64_MAX);
            if (!n)
                return usageError(kUsage, "--max-statements takes a number");
            maxStatements = *n;
        } else if (a.size() > 1 && a[0] == '-') {
            return usageError(kUsage, "unknown option " + a);
        } else if (!path.empty()) {
            return usageError(kUsage, "only one FILE");
        } else {
            path = a;
        }
    }
    if (path.empty())
        return usageError(kUsage, "FILE missing");
    const auto decoded = readInputText(path, inputCodePages());
    if (!decoded)
        return usageError(kUsage, "cannot read " + path);
    const std::u16string& text = *decoded;

    std::int32_t exitCode = 0;
    if (dryRun) {
        DryRun session;
        printKeyEvents(session.keys, printLine);
        for (int answer : answers)
            session.boxes.addAnswer(answer);
        g_dryRun = &session;
        ScriptHost host;
        host.CallBack = &dryCallBack;
        host.ReportError = &printError;
        host.ShowMessageBox = &dryMessageBox;
        StatementCap cap{maxStatements};
        exitCode = runScriptText(text.c_str(), &host, {&session.services, &session.keys, nullptr},
                                 maxStatements != 0 ? &cap : nullptr);
        g_dryRun = nullptr;
        if (cap.reached) {
            printLine("end limit");
            exitCode = kExitLimit;
        }
    } else {
        // Stopped before it began, the script sends nothing.
        if (waitBeforeRealRun(waitSeconds)) {
            ScriptHost host;
            host.CallBack = &dryCallBack;
            host.ReportError = &printError;
            host.CheckAbort = &realRunCheckAbort;
            exitCode = runScriptText(text.c_str(), &host, realScriptDevices());
        }
        endRealRun();
    }
    std::fflush(stdout);
    return exitCode & 0xFF;
}

} // namespace tapwell::cli
