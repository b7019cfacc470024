// Which of the main dialog's controls the input mode and the wait mode leave
// usable, and what the dialog says about the mode.
#pragma once

#include "dialog/dialog_texts.h"
#include "keystroke/run_host.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tapwell {

struct ControlEnable {
    int controlId;
    bool enabled;
};

struct ModeControls {
    InputMode mode = InputMode::Keyboard;
    // Keyboard-simulate mode names keys by their upper-case letters, so the
    // text, prefix and suffix boxes fold what is typed into them.
    bool upperCase = false;
    DialogText description = DialogText::DescriptionKeyboard;
    std::vector<ControlEnable> controls; // in the order they are to be set
};

// The mode the radios stand for: keyboard wins, then Unicode, else script.
InputMode modeFromRadios(bool keyboardSelected, bool unicodeSelected);

// `waitAfterStart`: the "seconds after Start" radio is selected. The up-down
// controls are left alone: they follow their buddies only by position.
ModeControls modeControls(InputMode mode, bool waitAfterStart);

// The edit boxes whose upper-case style follows the mode.
std::vector<int> upperCaseEdits();

// The controls disabled while a run is going on, enabled again after it.
std::vector<int> runLockedControls();

// The Settings menu's commands that strip characters from the text box.

enum class RemovedCharacters { Spaces, Tabs, LineBreaks };

// Which characters a Settings menu command removes; nullopt for others.
std::optional<RemovedCharacters> removalForCommand(int commandId);

// Only U+0020, U+0009 or CR and LF go; other white space (U+3000) stays.
std::u16string removeCharacters(std::u16string_view text, RemovedCharacters which);

} // namespace tapwell
