// The question before a quick run of the clipboard: a long text, one of
// several lines, or (with key presses delivery) characters that the target
// layout has no key for, which go out as Unicode events that many consoles
// drop.
#pragma once

#include "common/language.h"
#include "keystroke/keyboard_layout.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tapwell {

// Above this many characters a run is asked about.
inline constexpr std::size_t kQuestionThreshold = 200;
// The keyless characters the question lists; more are counted, not shown.
inline constexpr std::size_t kKeylessShown = 20;

// The distinct characters of `text` that `layout` types with no key, in the
// order of their first appearance (a surrogate pair as one character). Tab
// and line feed go out as keys and are never keyless.
std::vector<std::u16string> keylessCharacters(std::u16string_view text,
                                              const KeyboardLayout& layout);

struct RunQuestionInput {
    // After the literal rules.
    std::u16string_view text;
    std::u16string_view windowTitle;
    // Null with delivery as written.
    const KeyboardLayout* keyPressLayout = nullptr;
    std::u16string_view layoutName;
    // The setting that turns the question about length off.
    bool askLongRuns = true;
    Language language = Language::English;
};

// The question to ask, none when the run starts without one.
std::optional<std::u16string> runQuestion(const RunQuestionInput& input);

} // namespace tapwell
