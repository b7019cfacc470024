// The environment report that the About box copies to the clipboard.
#pragma once

#include "about/system_info.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tapwell::about {

// The library's own version, shown in the report's first line.
inline constexpr std::uint32_t kLibraryVersionMajor = 1;
inline constexpr std::uint32_t kLibraryVersionMinor = 2;
inline constexpr std::uint32_t kLibraryVersionPatch = 4;

// The date this library was compiled, as "Mmm dd yyyy" (day padded with a blank).
std::u16string_view libraryBuildDate();

// Older systems keep major and minor in the high word of the build number
// (outside the NT platform); the build is then the low 16 bits.
struct OsVersion {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint32_t build = 0;
};
OsVersion normalizeOsVersion(std::uint32_t platformId, std::uint32_t major, std::uint32_t minor,
                             std::uint32_t build);

// "(UTC+09:00)" for a bias of -540 minutes, "(UTC-00:00)" for 0.
std::u16string formatTimeZone(int bias);

std::u16string BuildEnvironmentReport(const SystemInfo& info, std::u16string_view buildDate);

// The report followed by the client section with the first line of the
// About box's version text (up to its first control character).
std::u16string appendClientSection(std::u16string report, std::u16string_view versionText);

} // namespace tapwell::about
