// Where the two settings stores live.
#pragma once

#include <string_view>

namespace tapwell {

inline constexpr std::u16string_view kRegistryKeyPath =
    u"Software\\Brelvane\\TAPWELL\\CurrentVersion";
// Relative to the current directory, which start-up makes the executable's folder.
inline constexpr std::u16string_view kIniFilePath = u".\\tapwell.ini";
inline constexpr std::u16string_view kIniSection = u"TAPWELL";

} // namespace tapwell
