// Runs the keystroke engine on a text with a virtual clock and writes what it
// would do as lines: key and character events, waits, pauses, messages and
// how the run ended. Behind tapwell-cli's trace.
#pragma once

#include "keystroke/run_settings.h"
#include "keystroke/run_texts.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace tapwell {

struct TraceOptions {
    RunSettings settings; // mode, error stop, ignores and loop count are used
    std::u16string prefix;
    std::u16string suffix;
    RunLanguage language = RunLanguage::English;
    // Only an endless run (loop count 0) is cut off, after this many lines.
    std::uint64_t maxEvents = 100000;
};

enum class TraceEnd : std::uint8_t { Ok, Error, Limit };

// Collects lines and hands them on in large chunks.
class TraceWriter {
  public:
    explicit TraceWriter(std::function<void(std::string_view)> deliver)
        : deliver_(std::move(deliver)) {}
    ~TraceWriter() { flush(); }
    TraceWriter(const TraceWriter&) = delete;
    TraceWriter& operator=(const TraceWriter&) = delete;

    // `text` must end with its line feed.
    void write(std::string_view text) {
        buffer_.append(text);
        if (buffer_.size() >= kChunk)
            flush();
    }
    void flush() {
        if (!buffer_.empty())
            deliver_(buffer_);
        buffer_.clear();
    }

  private:
    static constexpr std::size_t kChunk = 1 << 16;
    std::function<void(std::string_view)> deliver_;
    std::string buffer_;
};

// Writes every line, the final "end ..." line included.
TraceEnd traceRun(std::u16string_view text, const TraceOptions& options, TraceWriter& out);

} // namespace tapwell
