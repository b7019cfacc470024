// Deterministic system services: a virtual clock, cursor, clipboard and
// environment, and a record of every mouse event and beep. Serves the unit
// tests and the command-line tool's dry run, which prints one line per thing
// that would have reached the desktop.
#pragma once

#include "script/services.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace tapwell {

class RecordingSink;

// Receives the dry run's output, one line at a time without its line feed.
using DryRunLineOut = std::function<void(const std::string&)>;

struct MouseEventRecord {
    std::uint32_t flags;
    std::int32_t dx;
    std::int32_t dy;
    std::int32_t data;

    bool operator==(const MouseEventRecord&) const = default;
};

class FakeScriptServices : public ScriptServices {
  public:
    // With `out`, prints "sleep N", "mouse FLAGS DX DY DATA", "setcursor X Y"
    // and "beep TYPE" as they happen.
    explicit FakeScriptServices(DryRunLineOut out = {});

    // The virtual clock: starts at `startTime` (default Monday 2024-01-01
    // 09:00:00.000) and moves only by sleeps and advance().
    void setLocalTime(const LocalTime& start);
    void advance(std::uint64_t ms) { elapsedMs_ += ms; }
    std::uint64_t elapsedMs() const { return elapsedMs_; }
    std::uint32_t tickAtStart = 0;

    // Inspectable and settable state.
    std::map<std::int32_t, std::int32_t> metrics; // default: 0 -> 1920, 1 -> 1080
    CursorPosition cursor;                        // virtual, starts at 0 0
    std::optional<std::u16string> clipboard;      // nullopt: no Unicode text offered
    bool clipboardOpens = true;                   // false: another program holds it
    std::vector<MouseEventRecord> mouseEvents;
    std::vector<std::uint32_t> beeps;
    std::vector<std::uint32_t> sleeps;        // the waits asked for
    std::vector<OwnerWindow> clipboardOwners; // the owner of every clipboard opening

    bool sleep(std::uint32_t ms, const StopQuery& stop) override;
    LocalTime localTime() override;
    std::uint32_t tickCount() override;
    std::int32_t systemMetrics(std::int32_t index) override;
    std::int32_t messageBeep(std::uint32_t type) override;
    std::optional<CursorPosition> cursorPosition() override;
    std::int32_t setCursorPosition(std::int32_t x, std::int32_t y) override;
    void mouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy,
                    std::int32_t data) override;
    std::optional<std::u16string> clipboardText(OwnerWindow owner) override;
    bool setClipboardText(OwnerWindow owner, std::u16string_view text) override;
    std::optional<std::u16string> environmentVariable(std::u16string_view name) override;
    bool setEnvironmentVariable(std::u16string_view name, std::u16string_view value) override;

  private:
    // Variable names compare without regard to ASCII case, as on Windows.
    struct NameLess {
        bool operator()(const std::u16string& a, const std::u16string& b) const;
    };

    void print(const std::string& line);

    DryRunLineOut out_;
    std::int64_t startMs_ = 0; // local time of the start, ms since 1970-01-01
    std::uint64_t elapsedMs_ = 0;
    std::map<std::u16string, std::u16string, NameLess> environment_;
};

// Message boxes of a dry run: prints `box FLAGS "CAPTION" "TEXT"` and answers
// from a list given in advance, else with the box's first button. An answer
// that the box does not offer is used up and the first button given instead.
class ScriptedMessageBoxes {
  public:
    explicit ScriptedMessageBoxes(DryRunLineOut out = {}) : out_(std::move(out)) {}

    // "ok", "cancel", "yes", "no" -> IDOK, IDCANCEL, IDYES, IDNO.
    static std::optional<int> parseAnswer(std::string_view word);
    void addAnswer(int buttonId) { answers_.push_back(buttonId); }

    // Texts in UTF-8.
    int show(std::string_view text, std::string_view caption, std::uint32_t flags);

    struct Shown {
        std::string text;
        std::string caption;
        std::uint32_t flags;
        int answer;
    };
    const std::vector<Shown>& shown() const { return shown_; }

  private:
    DryRunLineOut out_;
    std::vector<int> answers_;
    std::size_t nextAnswer_ = 0;
    std::vector<Shown> shown_;
};

// Makes `sink` print each key event as a dry-run line ("down 0D VK_RETURN",
// "unicode-down 3042") instead of keeping it.
void printKeyEvents(RecordingSink& sink, DryRunLineOut out);

// Backslash, line feed and carriage return as \\, \n, \r; with `quotes`, " as \".
std::string escapeDryRunText(std::string_view utf8, bool quotes);

} // namespace tapwell
