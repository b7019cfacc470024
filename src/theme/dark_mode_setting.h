// Where the system keeps its light/dark choice for applications, and how the
// stored value is read.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tapwell::theme {

inline constexpr std::u16string_view kPersonalizeKey =
    u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
inline constexpr std::u16string_view kAppsUseLightThemeValue = u"AppsUseLightTheme";

// `value` is the 32-bit value when it exists with that type, nullopt when it
// is missing, has another type or cannot be read. Only an explicit 0 means
// dark: older systems have no value and stay light.
bool darkFlagFromAppsUseLightTheme(std::optional<std::uint32_t> value);

// True when a setting-change notice names the colour set (its text may be
// absent). Only then is the dark flag read again.
bool settingChangeNamesColorSet(const char16_t* area);

} // namespace tapwell::theme
