// What the environment report says about the machine, gathered by the
// Windows collector (system_info_win32) or filled by hand in tests.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tapwell::about {

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

} // namespace tapwell::about
