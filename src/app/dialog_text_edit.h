// The Settings menu's commands that strip characters from the text box.
#pragma once

#include <optional>
#include <string>

namespace tapwell {

enum class RemovedCharacters { Spaces, Tabs, LineBreaks };

// Which characters a Settings menu command removes; nullopt for others.
std::optional<RemovedCharacters> removalForCommand(int commandId);

// Only U+0020, U+0009 or CR and LF go; other white space (U+3000) stays.
std::u16string removeCharacters(std::u16string_view text, RemovedCharacters which);

} // namespace tapwell
