// tapwell-cli script: runs a QZ-Script. A dry run prints one line for
// everything that would have reached the desktop, in the order it happens;
// message boxes are answered from --answer, else with their first button.
#include "cli/cli.h"
#include "common/utf.h"
#include "keystroke/recording_sink.h"
#include "keystroke/run_trace.h"
#include "script/script_runner.h"
#include "script/services_fake.h"

#include <chrono>
#include <cstdio>
#include <thread>

namespace tapwell::cli {

namespace {

constexpr std::string_view kUsage =
    "usage: tapwell-cli script [--dry-run] [--answer ok|cancel|yes|no]... [--lang en|ja]\n"
    "                          [--wait SECONDS] FILE\n"
    "FILE is read as the program reads a text file; it may be - for standard input.\n";

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
    std::vector<int> answers;
    std::string path;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--dry-run") {
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
        exitCode = runScriptText(text.c_str(), &host, {&session.services, &session.keys, nullptr});
        g_dryRun = nullptr;
    } else {
        std::this_thread::sleep_for(std::chrono::seconds(waitSeconds));
        ScriptHost host;
        host.CallBack = &dryCallBack;
        host.ReportError = &printError;
        exitCode = runScriptText(text.c_str(), &host, realScriptDevices());
    }
    std::fflush(stdout);
    return exitCode & 0xFF;
}

} // namespace tapwell::cli
