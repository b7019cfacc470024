// The Special Key Input menu: the key items of its three submenus and the
// notation that each of its commands inserts into the text box.
#pragma once

#include "common/language.h"

#include <optional>
#include <string>
#include <vector>

namespace tapwell {

enum class KeySubmenu { Push, Pull, PushAndPull };

struct KeyMenuItem {
    int commandId;
    std::u16string text;
};

// One item per distinct key code, in key-table order; a name that shares its
// code with the entry before it is left out.
std::vector<KeyMenuItem> keyMenuItems(KeySubmenu submenu, Language language);

// The first command id of a submenu (the item for code 0 would have it).
int keySubmenuBase(KeySubmenu submenu);

// What a Special Key Input command inserts; nullopt for any other command or
// for a key item whose code names no key.
std::optional<std::u16string> insertionTextForCommand(int commandId);

} // namespace tapwell
