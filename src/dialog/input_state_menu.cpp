#include "dialog/input_state_menu.h"

#include "resource.h"

#include <algorithm>
#include <array>

namespace tapwell {

namespace {

constexpr std::array<InputStateChoice, 5> kChoices = {{
    {IDM_IME_TURN_OFF, &Settings::iImeMode, 0},
    {IDM_IME_TURN_OFF_EVERY_RUN, &Settings::iImeMode, 2},
    {IDM_IME_LEAVE, &Settings::iImeMode, 1},
    {IDM_CAPS_LOCK_TURN_OFF, &Settings::iCapsLockMode, 0},
    {IDM_CAPS_LOCK_LEAVE, &Settings::iCapsLockMode, 1},
}};

} // namespace

std::span<const InputStateChoice> inputStateChoices() {
    return kChoices;
}

bool applyInputStateCommand(Settings& settings, int commandId) {
    for (const InputStateChoice& choice : kChoices) {
        if (choice.commandId == commandId) {
            settings.*choice.field = choice.value;
            return true;
        }
    }
    return false;
}

bool inputStateChoiceChecked(const InputStateChoice& choice, const Settings& settings) {
    const std::uint8_t value = settings.*choice.field;
    if (value == choice.value)
        return true;
    const auto first = std::find_if(kChoices.begin(), kChoices.end(),
                                    [&](const auto& c) { return c.field == choice.field; });
    const bool known = std::any_of(kChoices.begin(), kChoices.end(), [&](const auto& c) {
        return c.field == choice.field && c.value == value;
    });
    return !known && first->commandId == choice.commandId;
}

} // namespace tapwell
