// The About box's formatted texts: the environment report that the user
// copies to the clipboard, with the record it is built from (gathered by
// environment_report_win32 or filled by hand in tests), and the version text
// composed from the executable's version-resource strings. Both use the
// printf-like number formatting at the top.
#pragma once

#include "common/language.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tapwell::about {

// ---- Number formatting ------------------------------------------------------

// Decimal; `width` pads on the left with `pad` (like "%2d" or "%02u").
void appendUnsigned(std::u16string& out, std::uint32_t value, int width = 0, char16_t pad = u'0');
void appendSigned(std::u16string& out, std::int64_t value, int width = 0, char16_t pad = u' ');
// Lower-case hexadecimal, zero-padded to `width` ("%08x").
void appendHex(std::u16string& out, std::uint32_t value, int width);

// ---- Version text -----------------------------------------------------------

struct VersionStrings {
    std::u16string fileVersion;
    std::u16string specialBuild;
    std::u16string legalCopyright;
    std::u16string privateBuild;
};

// Reads "a.b.c.d" the way "%u.%u.%u.%u" does: each number may have leading
// blanks and a sign, reading stops at the first mismatch and the numbers not
// reached stay 0.
std::array<std::uint32_t, 4> splitFileVersion(std::u16string_view fileVersion);

// "beta" and "alpha" become "β" and "α" in Japanese; everything else is kept.
std::u16string localizedSpecialBuild(std::u16string_view specialBuild, Language language);

// Line 1: "<title> ver.<a>.<b><c>.<dd>" with the special and private build
// marks after it; line 2: the copyright. 2.5.0.13 reads "ver.2.50.13".
std::u16string composeVersionText(std::u16string_view title, const VersionStrings& strings,
                                  Language language);

// ---- The record the report is built from ------------------------------------

struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct MonitorInfo {
    ScreenRect monitor;
    ScreenRect work;
    bool primary = false;
};

// The four User Account Control values; each is present only when stored as
// a 32-bit number.
struct UacSettings {
    std::optional<std::uint32_t> enableLua;
    std::optional<std::uint32_t> promptOnSecureDesktop;
    std::optional<std::uint32_t> consentPromptBehaviorAdmin;
    std::optional<std::uint32_t> consentPromptBehaviorUser;
};

struct LocalTime {
    int year = 0;
    int month = 1;     // 1 = January
    int dayOfWeek = 0; // 0 = Sunday
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

struct SystemInfo {
    // Operating system, as the version query reports it.
    std::uint32_t platformId = 2;
    std::uint32_t majorVersion = 0;
    std::uint32_t minorVersion = 0;
    std::uint32_t buildNumber = 0;
    std::u16string servicePackText;
    std::uint32_t servicePackMajor = 0;
    std::uint32_t servicePackMinor = 0;
    std::uint32_t productType = 0;
    std::uint32_t productInfo = 0; // 0 when the query is missing
    std::uint32_t suiteMask = 0;
    int cleanBoot = 0; // 0 normal, 1 fail-safe, 2 fail-safe with network
    std::u16string localeCountry;
    bool remoteSession = false;
    bool darkMode = false;
    // nullopt when the policy key cannot be opened.
    std::optional<UacSettings> uac;

    int screenWidth = 0;
    int screenHeight = 0;
    int bitsPerPixel = 0;
    ScreenRect workArea;
    int virtualLeft = 0;
    int virtualTop = 0;
    int virtualWidth = 0;
    int virtualHeight = 0;
    int monitorCount = 0;
    std::vector<MonitorInfo> monitors;

    LocalTime localTime;
    // Minutes to add to local time to get UTC (the platform's sign).
    int timeZoneBias = 0;
};

// ---- The report -------------------------------------------------------------

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
