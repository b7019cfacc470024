#include "cli/cli.h"
#include "common/utf.h"
#include "keystroke/keyboard_layout.h"
#include "keystroke/run_trace.h"
#include "quick/literal_text.h"

#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

namespace tapwell::cli {

namespace {

constexpr std::string_view kTraceUsage =
    "usage: tapwell-cli trace [--mode keyboard|unicode] [--error-stop] [--ignore-tab]\n"
    "                         [--ignore-space] [--ignore-enter] [--prefix TEXT] [--suffix TEXT]\n"
    "                         [--loop N] [--lang en|ja] [--max-events N] [--max-ticks N]\n"
    "                         [--delivery written|keys] [--layout us|jp]\n"
    "                         [--ime on|off] [--capslock on|off] [--literal] FILE\n"
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
    "--ime and --capslock give the destination's state (a Japanese layout's IME open or\n"
    "closed, Caps Lock): lines ime off, capslock off before the first event and\n"
    "capslock on, ime on after the last tell what the run changes and puts back.\n"
    "--literal types FILE as a clipboard run does: no notation, each line break one\n"
    "Enter, one final line break dropped, once, without prefix or suffix.\n"
    "FILE may be - for standard input.\n";

constexpr int kExitError = 1;
constexpr int kExitLimit = 3;
// A text such as {2147483647:}A never ends a pass and writes nothing, so
// neither the loop count nor --max-events would stop it.
constexpr std::uint64_t kDefaultMaxTicks = 10000000;

// One option of the trace. A flag has no `problem`; an option with a value
// has, and it is the usage error when the value is missing or `apply`
// refuses it.
struct TraceOption {
    std::string_view name;
    std::string_view problem;
    bool (*apply)(TraceOptions& options, const std::string& value);
};

template <typename T>
bool choose(const std::string& value,
            std::initializer_list<std::pair<std::string_view, std::type_identity_t<T>>> choices,
            T& target) {
    for (const auto& [name, choice] : choices) {
        if (value == name) {
            target = choice;
            return true;
        }
    }
    return false;
}

bool setCount(const std::string& value, std::uint64_t max, std::uint64_t& target) {
    const std::optional<std::uint64_t> n = parseCount(value, max);
    if (n)
        target = *n;
    return n.has_value();
}

// The destination's simulated state: "on" or "off".
bool chooseOnOff(const std::string& v, std::optional<bool>& state) {
    if (v != "on" && v != "off")
        return false;
    state = v == "on";
    return true;
}

constexpr TraceOption kTraceOptions[] = {
    {"--literal",
     {},
     [](TraceOptions& o, const std::string&) {
         o.literal = true;
         return true;
     }},
    {"--error-stop",
     {},
     [](TraceOptions& o, const std::string&) {
         o.settings.iErrorStop = true;
         return true;
     }},
    {"--ignore-tab",
     {},
     [](TraceOptions& o, const std::string&) {
         o.settings.iDisableTab = true;
         return true;
     }},
    {"--ignore-space",
     {},
     [](TraceOptions& o, const std::string&) {
         o.settings.iDisableSpace = true;
         return true;
     }},
    {"--ignore-enter",
     {},
     [](TraceOptions& o, const std::string&) {
         o.settings.iDisableEnter = true;
         return true;
     }},
    {"--mode", "--mode takes keyboard or unicode",
     [](TraceOptions& o, const std::string& v) {
         return choose(v, {{"keyboard", InputMode::Keyboard}, {"unicode", InputMode::Unicode}},
                       o.settings.iInputMode);
     }},
    {"--delivery", "--delivery takes written or keys",
     [](TraceOptions& o, const std::string& v) {
         return choose(v, {{"written", Delivery::Written}, {"keys", Delivery::KeyPresses}},
                       o.settings.iDelivery);
     }},
    {"--layout", "--layout takes us or jp",
     [](TraceOptions& o, const std::string& v) {
         return choose(v, {{"us", kLayoutUs101}, {"jp", kLayoutJapanese}},
                       o.settings.iTargetLayout);
     }},
    {"--ime", "--ime takes on or off",
     [](TraceOptions& o, const std::string& v) { return chooseOnOff(v, o.imeOpen); }},
    {"--capslock", "--capslock takes on or off",
     [](TraceOptions& o, const std::string& v) { return chooseOnOff(v, o.capsLockOn); }},
    {"--lang", "--lang takes en or ja",
     [](TraceOptions& o, const std::string& v) {
         return choose(v, {{"en", Language::English}, {"ja", Language::Japanese}}, o.language);
     }},
    {"--prefix", "--prefix takes a text",
     [](TraceOptions& o, const std::string& v) {
         o.prefix = utf8ToUtf16(v);
         return true;
     }},
    {"--suffix", "--suffix takes a text",
     [](TraceOptions& o, const std::string& v) {
         o.suffix = utf8ToUtf16(v);
         return true;
     }},
    // The dialog's repeat box holds an unsigned 32-bit number.
    {"--loop", "--loop takes a number from 0 to 4294967295",
     [](TraceOptions& o, const std::string& v) {
         std::uint64_t n = 0;
         if (!setCount(v, 0xFFFFFFFFu, n))
             return false;
         o.settings.iLoopNum = static_cast<std::int32_t>(static_cast<std::uint32_t>(n));
         return true;
     }},
    {"--max-events", "--max-events takes a number",
     [](TraceOptions& o, const std::string& v) { return setCount(v, UINT64_MAX, o.maxEvents); }},
    {"--max-ticks", "--max-ticks takes a number",
     [](TraceOptions& o, const std::string& v) { return setCount(v, UINT64_MAX, o.maxTicks); }},
};

const TraceOption* findTraceOption(std::string_view name) {
    for (const TraceOption& option : kTraceOptions) {
        if (option.name == name)
            return &option;
    }
    return nullptr;
}

} // namespace

int traceCommand(const Args& args) {
    TraceOptions options;
    options.maxTicks = kDefaultMaxTicks;
    options.settings.iTargetLayout = kLayoutJapanese;
    std::optional<std::string> file;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (isHelpOption(a))
            return printUsage(kTraceUsage);
        if (const TraceOption* option = findTraceOption(a)) {
            const bool takesValue = !option->problem.empty();
            if (takesValue && i + 1 == args.size())
                return usageError(kTraceUsage, option->problem);
            if (!option->apply(options, takesValue ? args[++i] : std::string()))
                return usageError(kTraceUsage, option->problem);
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
