// Runs the keystroke engine on a text with a virtual clock and writes what it
// would do as lines: key and character events, waits, pauses, messages and
// how the run ended. Behind tapwell-cli's trace.
#pragma once

#include "common/language.h"
#include "keystroke/run_host.h"
#include "keystroke/run_texts.h"

#include <cstdint>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tapwell {

struct TraceOptions {
    // Mode, error stop, ignores, loop count, delivery and target layout are
    // used; the target layout is a built-in one (kLayoutUs101, else Japanese).
    RunSettings settings;
    std::u16string prefix;
    std::u16string suffix;
    Language language = Language::English;
    // Only an endless run (loop count 0) is cut off, after this many lines.
    std::uint64_t maxEvents = 100000;
    // Any run is cut off after this many timer ticks, 0 being no limit:
    // nested repeat blocks make even a finite run as long as one likes, with
    // or without output, which a fuzzer must not wait for.
    std::uint64_t maxTicks = 0;
    // The destination's state, when given: a Japanese layout whose IME is
    // open or closed, and Caps Lock. The trace then writes what the run
    // changes at its start and puts back at its end (ime off, capslock off,
    // capslock on, ime on).
    std::optional<bool> imeOpen;
    std::optional<bool> capsLockOn;
    // The text is typed as a clipboard run types it (already through the
    // literal rules): no countdown, no notation, no prefix or suffix, once.
    bool literal = false;
};

enum class TraceEnd : std::uint8_t { Ok, Error, Limit };

// Backslash, line feed and carriage return as \\, \n, \r; with quotes, also ".
// The trace's messages and tapwell-cli's other message lines use it; the tree
// dump quotes strings its own way.
std::string escapeText(std::string_view utf8, bool quotes = false);

// Collects lines and hands them on in large chunks.
class TraceWriter {
  public:
    explicit TraceWriter(std::function<void(std::string_view)> deliver)
        : deliver_(std::move(deliver)), buffer_(kChunk) {}
    ~TraceWriter() { flush(); }
    TraceWriter(const TraceWriter&) = delete;
    TraceWriter& operator=(const TraceWriter&) = delete;

    // `text` must end with its line feed.
    void write(std::string_view text) {
        if (used_ + text.size() > kChunk) {
            flush();
            if (text.size() > kChunk) {
                deliver_(text);
                return;
            }
        }
        std::memcpy(buffer_.data() + used_, text.data(), text.size());
        used_ += text.size();
    }
    void flush() {
        if (used_ != 0)
            deliver_(std::string_view(buffer_.data(), used_));
        used_ = 0;
    }

  private:
    static constexpr std::size_t kChunk = 1 << 16;
    std::function<void(std::string_view)> deliver_;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
};

// Writes every line, the final "end ..." line included.
TraceEnd traceRun(std::u16string text, const TraceOptions& options, TraceWriter& out);

} // namespace tapwell
