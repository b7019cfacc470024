#include "cli/cli.h"
#include "common/utf.h"
#include "keystroke/keyboard_layout.h"
#include "keystroke/run_trace.h"
#include "quick/literal_text.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string_view>
#include <utility>

namespace tapwell::cli {

namespace {

constexpr std::string_view kTraceUsage =
    "usage: tapwell-cli trace [--mode keyboard|unicode] [--error-stop] [--ignore-tab]\n"
    "                         [--ignore-space] [--ignore-enter] [--prefix TEXT] [--suffix TEXT]\n"
    "                         [--loop N] [--lang en|ja] [--max-events N] [--max-ticks N]\n"
    "                         [--delivery written|keys] [--layout us|jp] [--literal] FILE\n"
    "Prints what a run would send, one line per event, and how it ends:\n"
    "end ok (0), end error (1), end limit (3: --loop 0 cut off after --max-events lines,\n"
    "default 100000, or any run cut off after --max-ticks timer ticks, default 10000000,\n"
    "0 for no limit).\n"
    "FILE is read as the program reads a text file: byte-order marks, then detection\n"
    "where the platform has it, then the strict-decoding fallback (on Linux as on a\n"
    "Japanese system); the text ends at its first zero character.\n"
    "--delivery keys sends key presses for the --layout keyboard (default jp): key lines\n"
    "gain the scan code (down 10 VK_SHIFT sc 2A), characters no key types read\n"
    "char XXXX fallback.\n"
    "--literal types FILE as a clipboard run does: no notation, each line break one\n"
    "Enter, one final line break dropped, once, without prefix or suffix.\n"
    "FILE may be - for standard input.\n";

constexpr int kExitError = 1;
constexpr int kExitLimit = 3;
// A text such as {2147483647:}A never ends a pass and writes nothing, so
// neither the loop count nor --max-events would stop it.
constexpr std::uint64_t kDefaultMaxTicks = 10000000;

std::optional<std::uint64_t> parseCount(std::string_view s, std::uint64_t max) {
    if (s.empty() || s.size() > 20)
        return std::nullopt;
    std::uint64_t v = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            return std::nullopt;
        unsigned d = static_cast<unsigned>(c - '0');
        if (v > (max - d) / 10)
            return std::nullopt;
        v = v * 10 + d;
    }
    return v;
}

} // namespace

int traceCommand(const Args& args) {
    TraceOptions options;
    options.maxTicks = kDefaultMaxTicks;
    options.settings.iTargetLayout = kLayoutJapanese;
    std::optional<std::string> file;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> const std::string* {
            return i + 1 < args.size() ? &args[++i] : nullptr;
        };
        if (a == "--literal") {
            options.literal = true;
        } else if (a == "--error-stop") {
            options.settings.iErrorStop = true;
        } else if (a == "--ignore-tab") {
            options.settings.iDisableTab = true;
        } else if (a == "--ignore-space") {
            options.settings.iDisableSpace = true;
        } else if (a == "--ignore-enter") {
            options.settings.iDisableEnter = true;
        } else if (a == "--mode") {
            const std::string* v = value();
            if (v && *v == "keyboard")
                options.settings.iInputMode = InputMode::Keyboard;
            else if (v && *v == "unicode")
                options.settings.iInputMode = InputMode::Unicode;
            else
                return usageError(kTraceUsage, "--mode takes keyboard or unicode");
        } else if (a == "--delivery") {
            const std::string* v = value();
            if (v && *v == "written")
                options.settings.iDelivery = Delivery::Written;
            else if (v && *v == "keys")
                options.settings.iDelivery = Delivery::KeyPresses;
            else
                return usageError(kTraceUsage, "--delivery takes written or keys");
        } else if (a == "--layout") {
            const std::string* v = value();
            if (v && *v == "us")
                options.settings.iTargetLayout = kLayoutUs101;
            else if (v && *v == "jp")
                options.settings.iTargetLayout = kLayoutJapanese;
            else
                return usageError(kTraceUsage, "--layout takes us or jp");
        } else if (a == "--lang") {
            const std::string* v = value();
            if (v && *v == "en")
                options.language = Language::English;
            else if (v && *v == "ja")
                options.language = Language::Japanese;
            else
                return usageError(kTraceUsage, "--lang takes en or ja");
        } else if (a == "--prefix" || a == "--suffix") {
            const std::string* v = value();
            if (!v)
                return usageError(kTraceUsage, a + " takes a text");
            (a == "--prefix" ? options.prefix : options.suffix) = utf8ToUtf16(*v);
        } else if (a == "--loop") {
            const std::string* v = value();
            // The dialog's repeat box holds an unsigned 32-bit number.
            auto n = v ? parseCount(*v, 0xFFFFFFFFu) : std::nullopt;
            if (!n)
                return usageError(kTraceUsage, "--loop takes a number from 0 to 4294967295");
            options.settings.iLoopNum = static_cast<std::int32_t>(static_cast<std::uint32_t>(*n));
        } else if (a == "--max-events") {
            const std::string* v = value();
            auto n = v ? parseCount(*v, UINT64_MAX) : std::nullopt;
            if (!n)
                return usageError(kTraceUsage, "--max-events takes a number");
            options.maxEvents = *n;
        } else if (a == "--max-ticks") {
            const std::string* v = value();
            auto n = v ? parseCount(*v, UINT64_MAX) : std::nullopt;
            if (!n)
                return usageError(kTraceUsage, "--max-ticks takes a number");
            options.maxTicks = *n;
        } else if (a.size() > 1 && a[0] == '-') {
            return usageError(kTraceUsage, "unknown option " + a);
        } else if (file) {
            return usageError(kTraceUsage, "only one FILE");
        } else {
            file = a;
        }
    }
    if (!file)
        return usageError(kTraceUsage, "FILE is missing");
    std::optional<std::u16string> text = readInputText(*file, inputCodePages());
    if (!text)
        return usageError(kTraceUsage, "cannot read " + *file);
    if (options.literal)
        *text = literalText(*text);

    TraceWriter out(
        [](std::string_view chunk) { std::fwrite(chunk.data(), 1, chunk.size(), stdout); });
    TraceEnd end = traceRun(std::move(*text), options, out);
    std::fflush(stdout);
    switch (end) {
    case TraceEnd::Ok:
        return 0;
    case TraceEnd::Error:
        return kExitError;
    case TraceEnd::Limit:
        return kExitLimit;
    }
    return kExitError;
}

} // namespace tapwell::cli
