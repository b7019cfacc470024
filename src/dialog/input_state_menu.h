// The Settings menu's two submenus for the destination's input state: what a
// run does with the destination's IME, and with Caps Lock.
#pragma once

#include "settings/settings.h"

#include <cstdint>
#include <span>

namespace tapwell {

// A radio item: the value it gives its setting.
struct InputStateChoice {
    int commandId;
    std::uint8_t Settings::*field;
    std::uint8_t value;
};

// The items of both submenus, each submenu's items together.
std::span<const InputStateChoice> inputStateChoices();

// Applies one of those commands; false (and nothing changed) for any other.
bool applyInputStateCommand(Settings& settings, int commandId);

// Whether the item carries the radio mark for these settings: its value is
// the setting's, or it is the first of its submenu and the setting has no
// item (a value that the load rules would not let through).
bool inputStateChoiceChecked(const InputStateChoice& choice, const Settings& settings);

} // namespace tapwell
