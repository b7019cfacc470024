// Every text the keystroke run shows, in Japanese and English side by side.
#pragma once

#include "common/language.h"

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace tapwell {

enum class RunText : std::uint8_t {
    EmptyText,
    CountdownTitle, // %d seconds, %s program title
    ScriptTitle,
    ProgressTitle, // %d percent
    PauseMessage,
    InvalidCharacter, // %c the unit
    ClosingMissing,
    ParenthesesOnly,
    InvalidRepeatCount, // %s the count's units
    ClosingBraceExcess,
    OpeningBraceExcess,
    StartButton,
    AbortButton,
    RefusedDestination,
    FocusPausedTitle, // %s program title
    TimerFailed,      // %d the system's error code
    ReadinessTitle,   // %s program title
    ImeStillOpen,
    PausedTitle,      // %s program title
    Count_
};

using RunTextEntry = TextEntry<RunText>;

std::u16string_view runText(RunText id, Language lang);
std::span<const RunTextEntry> runTextTable();

// Fills %d, %s and %c from `args` in order and turns %% into %. A placeholder
// without an argument stays as it is.
std::u16string formatRunText(RunText id, Language lang,
                             std::initializer_list<std::u16string_view> args);

std::u16string decimalText(std::int64_t value);

} // namespace tapwell
