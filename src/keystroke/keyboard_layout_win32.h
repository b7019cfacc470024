// Keyboard layouts as Windows knows them: the local one and those installed,
// asked through their handles; no layout is ever activated to probe it.
#pragma once

#include "keystroke/keyboard_layout.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tapwell {

// The resolver for a run or a script on Windows: the built-in tables for
// their ids, an installed layout for its id, and the local layout (the
// calling thread's) for 0 and for an id that is no longer installed.
std::unique_ptr<KeyboardLayout> systemKeyboardLayout(std::uint32_t layoutId);

struct InstalledLayout {
    std::uint32_t id;    // what iTargetLayout keeps
    std::u16string name; // the language's name in the user's language
};

// The layouts of GetKeyboardLayoutList, in its order.
std::vector<InstalledLayout> installedKeyboardLayouts();

} // namespace tapwell
