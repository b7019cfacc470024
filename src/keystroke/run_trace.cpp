#include "keystroke/run_trace.h"

#include "common/utf.h"
#include "keystroke/destination_readiness.h"
#include "keystroke/recording_sink.h"
#include "keystroke/run_host.h"
#include "keystroke/simulation_run.h"

#include <array>
#include <atomic>
#include <optional>
#include <utility>

namespace tapwell {

namespace {

// "down 41 A\n" and "up 41 A\n" for every code, made once: a trace of a long
// text writes millions of them.
const std::array<std::string, 512>& keyLines() {
    static const std::array<std::string, 512> lines = [] {
        std::array<std::string, 512> t;
        for (unsigned code = 0; code < 256; ++code) {
            for (bool up : {false, true}) {
                KeyEvent e{KeyEvent::Kind::Key, static_cast<std::uint16_t>(code), up};
                t[code * 2 + (up ? 1 : 0)] = describeKeyEvent(e) + "\n";
            }
        }
        return t;
    }();
    return lines;
}

const char* iconName(RunIcon icon) {
    switch (icon) {
    case RunIcon::Error:
        return "error";
    case RunIcon::Exclamation:
        return "exclamation";
    case RunIcon::Information:
        return "information";
    case RunIcon::Question:
        return "question";
    }
    return "error";
}

// Counts the lines and, for an endless run, refuses the one past the limit.
class TraceLines {
  public:
    // With key presses delivery a Unicode character reaches the sink only when
    // no key of the layout types it.
    TraceLines(TraceWriter& out, bool endless, std::uint64_t max, bool charsAreFallbacks)
        : out_(out), endless_(endless), max_(max), keys_(keyLines()),
          charsAreFallbacks_(charsAreFallbacks) {}

    void line(std::string_view text) {
        if (!admit())
            return;
        out_.write(text);
    }

    void event(const KeyEvent& e) {
        if (!admit())
            return;
        if (e.kind == KeyEvent::Kind::Key) {
            out_.write(keys_[(e.code & 0xFF) * 2 + (e.up ? 1 : 0)]);
            return;
        }
        if (e.kind == KeyEvent::Kind::UnicodePair) {
            static constexpr char kHex[] = "0123456789ABCDEF";
            char buf[] = "char XXXX fallback\n";
            for (int i = 0; i < 4; ++i)
                buf[5 + i] = kHex[(e.code >> (12 - 4 * i)) & 0xF];
            if (charsAreFallbacks_) {
                out_.write(std::string_view(buf, sizeof buf - 1));
            } else {
                buf[9] = '\n';
                out_.write(std::string_view(buf, 10));
            }
            return;
        }
        out_.write(describeKeyEvent(e) + "\n");
    }

    std::uint64_t count() const { return count_; }
    bool limited() const { return limited_; }

  private:
    bool admit() {
        if (limited_)
            return false;
        if (endless_ && count_ >= max_) {
            limited_ = true;
            return false;
        }
        ++count_;
        return true;
    }

    TraceWriter& out_;
    bool endless_;
    std::uint64_t max_;
    const std::array<std::string, 512>& keys_;
    bool charsAreFallbacks_;
    std::uint64_t count_ = 0;
    bool limited_ = false;
};

// The dialog as the trace sees it: no window, a clock that jumps to the next
// tick, and pause boxes answered OK at once.
class TraceHost : public RunHost {
  public:
    TraceHost(std::u16string text, const TraceOptions& options, TraceLines& lines)
        : text_(std::move(text)), empty_(text_.empty()), options_(options), lines_(lines) {}

    bool armed = false;
    std::uint32_t period = 0;
    std::uint64_t clockMs = 0;

    void armRunTimer(std::uint32_t periodMs) override {
        armed = true;
        period = periodMs;
    }
    void killRunTimer() override { armed = false; }
    void setTitle(std::u16string_view) override {}
    void showMessage(const RunMessage& message) override {
        if (message.owner == RunMessageOwner::None) {
            lines_.line("pause\n");
            return;
        }
        std::string line = "message ";
        line += iconName(message.icon);
        line += ' ';
        line += escapeText(utf16ToUtf8(message.text));
        line += '\n';
        lines_.line(line);
    }
    void setRunUi(RunUi) override {}
    void closeDialog() override {}
    void sleep(std::uint32_t ms) override {
        lines_.line("wait " + std::to_string(ms) + "\n");
        clockMs += ms;
    }
    RunTimeOfDay localTime() override {
        std::uint64_t s = clockMs / 1000 % 86400;
        return {static_cast<int>(s / 3600), static_cast<int>(s / 60 % 60),
                static_cast<int>(s % 60)};
    }
    // A trace reads the box once, at the end of the countdown: the text is
    // handed over rather than copied, which keeps a long text's peak memory
    // at two copies (the box's and the built one).
    std::u16string readTextBox() override { return std::move(text_); }
    std::u16string readPrefixBox() override { return options_.prefix; }
    std::u16string readSuffixBox() override { return options_.suffix; }
    bool textBoxEmpty() override { return empty_; }
    RunSettings saveSettings() override {
        RunSettings s = options_.settings;
        s.iWaitMode = WaitMode::Seconds;
        s.iWaitSec = 0;
        return s;
    }
    bool startScript(std::u16string) override { return false; }
    std::u16string programTitle() override { return u""; }
    Language language() override { return options_.language; }

  private:
    std::u16string text_;
    bool empty_;
    const TraceOptions& options_;
    TraceLines& lines_;
};

// The destination as the trace options describe it: one window with a
// Japanese layout, whose IME does what it is asked.
class TraceInputState : public DestinationInputState {
  public:
    TraceInputState(const TraceOptions& options, TraceLines& lines)
        : imeOpen_(options.imeOpen.value_or(false)),
          capsLockOn_(options.capsLockOn.value_or(false)), lines_(lines) {}

    WindowId focusWindow() override { return 1; }
    std::uint16_t layoutLanguage(WindowId) override { return kLanguageJapanese; }
    std::optional<bool> imeOpen(WindowId) override { return imeOpen_; }
    void setImeOpen(WindowId, bool open) override {
        imeOpen_ = open;
        lines_.line(open ? "ime on\n" : "ime off\n");
    }
    void pressImeOff() override { lines_.line("key ime off\n"); }
    bool capsLockOn() override { return capsLockOn_; }
    void pressCapsLock() override {
        capsLockOn_ = !capsLockOn_;
        lines_.line(capsLockOn_ ? "capslock on\n" : "capslock off\n");
    }

  private:
    bool imeOpen_;
    bool capsLockOn_;
    TraceLines& lines_;
};

} // namespace

TraceEnd traceRun(std::u16string text, const TraceOptions& options, TraceWriter& out) {
    const bool endless = options.settings.iLoopNum == 0;
    TraceLines lines(out, endless, options.maxEvents,
                     options.settings.iDelivery == Delivery::KeyPresses);
    std::optional<std::u16string> literal;
    if (options.literal)
        literal = std::exchange(text, std::u16string());
    TraceHost host(std::move(text), options, lines);
    RecordingSink sink;
    sink.keepEvents = false;
    sink.onEvent = [&lines](const KeyEvent& e) { lines.event(e); };
    std::atomic<bool> scriptRunning{false};
    std::atomic<bool> scriptStopRequested{false};
    SimulationRun run(host, sink, scriptRunning, scriptStopRequested);
    TraceInputState inputState(options, lines);
    if (options.imeOpen || options.capsLockOn)
        run.setDestinationInputState(&inputState);

    if (literal)
        run.startQuick(std::move(literal));
    else
        run.startRun();
    bool silentPasses = false;
    std::uint64_t passes = 0;
    std::uint64_t linesAtPassStart = 0;
    std::uint64_t ticks = 0;
    bool outOfTicks = false;
    while (run.running() && host.armed && !lines.limited()) {
        if (options.maxTicks != 0 && ticks++ == options.maxTicks) {
            outOfTicks = true;
            break;
        }
        host.clockMs += host.period;
        run.onRunTimer(RUN_TIMER_ID);
        if (run.completedPasses() != passes) {
            passes = run.completedPasses();
            // Every pass starts from the same state, so a pass that wrote
            // nothing is followed only by passes that write nothing.
            if (run.running() && lines.count() == linesAtPassStart) {
                silentPasses = true;
                break;
            }
            linesAtPassStart = lines.count();
        }
    }

    TraceEnd end;
    if (lines.limited() || outOfTicks || (silentPasses && endless))
        end = TraceEnd::Limit;
    else if (silentPasses || run.lastEnd() == RunEnd::Normal)
        end = TraceEnd::Ok;
    else
        end = TraceEnd::Error;
    out.write(end == TraceEnd::Ok      ? "end ok\n"
              : end == TraceEnd::Error ? "end error\n"
                                       : "end limit\n");
    out.flush();
    return end;
}

std::string escapeText(std::string_view s, bool quotes) {
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '"':
            out += quotes ? "\\\"" : "\"";
            break;
        default:
            out.push_back(c);
        }
    }
    return out;
}

} // namespace tapwell
