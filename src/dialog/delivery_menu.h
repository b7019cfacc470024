// The Settings menu's delivery items: the two delivery radios and the Target
// layout submenu. The submenu's fixed items (the local layout, the built-in US
// and Japanese tables) come from the menu template; the layouts installed on
// the machine are appended at run time, each with a command id of its own.
#pragma once

#include "keystroke/keyboard_layout.h"
#include "settings/settings.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tapwell {

struct LayoutMenuItem {
    int commandId;
    std::uint32_t layoutId;
    std::u16string text;
};

// The items appended for the installed layouts, in the platform's order: the
// language's name, a tab and the id as eight hex digits (two layouts of one
// language differ only there). Ids that a built-in choice uses are left out,
// and so is every layout beyond the last command id of the range.
std::vector<LayoutMenuItem> installedLayoutItems(std::span<const InstalledLayout> installed);

// The layout a submenu command stands for; nullopt for any other command.
std::optional<std::uint32_t> layoutForCommand(int commandId,
                                              std::span<const LayoutMenuItem> installedItems);

// The submenu item that carries the check mark for `layoutId`: its own, or
// the local layout's when the submenu has none (a layout that is no longer
// installed, for which a run uses the local one).
int checkedLayoutCommand(std::uint32_t layoutId, std::span<const LayoutMenuItem> installedItems);

// The radio item that carries the check mark for `delivery`.
int checkedDeliveryCommand(Delivery delivery);

// Applies a delivery or layout command to the settings; false (and nothing
// changed) for any other command.
bool applyDeliveryCommand(Settings& settings, int commandId,
                          std::span<const LayoutMenuItem> installedItems);

} // namespace tapwell
