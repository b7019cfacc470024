// The in-text notation: message-box pauses, bracket forms that press and/or
// release keys or wait, and repeat blocks. Each form is one step of a run.
#pragma once

#include "common/language.h"
#include "keystroke/key_event_sink.h"
#include "keystroke/run_host.h"
#include "keystroke/run_texts.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

namespace tapwell {

struct RepeatFrame {
    std::int32_t remaining; // passes still to make over the block
    std::size_t resume;     // index of the block's colon
};

// Innermost open block at the back.
using RepeatStack = std::deque<RepeatFrame>;

enum class StepOutcome : std::uint8_t {
    Continue,
    ErrorStop, // the message has been shown; the run ends
};

// Everything a notation step reads or moves. `position` is the index of the
// step's first unit; a step leaves it on its last unit and the run adds 1.
struct NotationContext {
    const std::u16string& text;
    std::size_t& position;
    RepeatStack& repeatStack;
    KeyEventSink& sink;
    RunHost& host;
    Language language;
    bool errorStop;
};

// "!": a box without owner; returns when it is closed.
StepOutcome pauseForUser(NotationContext& ctx);
// "[" or "(": press, hold, release, wait or a numeric key code.
StepOutcome parseKeyNotation(NotationContext& ctx);
// "{count:" opens a block.
StepOutcome beginRepeatBlock(NotationContext& ctx);
// "}" closes the innermost block or sends the run back to its colon.
StepOutcome endRepeatBlock(NotationContext& ctx);

// The error message of a step, with the dialog as owner.
void showRunError(RunHost& host, std::u16string text, RunIcon icon = RunIcon::Error);

// Number reading inside the notation with the behaviour of the Windows C
// library's strtol, whose long is 32 bits: leading white space, an optional
// sign, digits up to the first unit that is not one, and saturation at the
// signed 32-bit limits. Only ASCII counts as white space or digit.

// base is 8, 10 or 16; with 16 an "0x"/"0X" prefix is accepted.
std::int32_t readLong32(std::u16string_view text, int base);

} // namespace tapwell
