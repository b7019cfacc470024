#include "about/environment_report.h"

#include <gtest/gtest.h>

namespace tapwell::about {
namespace {

// A two-monitor machine whose second screen sits to the left of the primary.
SystemInfo machine() {
    SystemInfo i;
    i.majorVersion = 10, i.buildNumber = 19045, i.productType = 1, i.productInfo = 0x30;
    i.suiteMask = 0x100, i.localeCountry = u"Japan", i.darkMode = true, i.uac = {{1, 0, 5, 3}};
    i.screenWidth = 1920, i.screenHeight = 1080, i.bitsPerPixel = 32,
    i.workArea = {0, 0, 1920, 1040};
    i.virtualLeft = -1280, i.virtualWidth = 3200, i.virtualHeight = 1080, i.monitorCount = 2;
    i.monitors = {{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, true},
                  {{-1280, 56, 0, 1080}, {-1280, 56, 0, 1040}, false}};
    i.localTime = {2024, 3, 2, 5, 9, 7, 3}, i.timeZoneBias = -540;
    return i;
}

// Every case changes the machine and names whole lines the report must hold.
TEST(EnvironmentReport, RepresentativeLinesOfEverySection) {
    using Change = void (*)(SystemInfo&);
    const std::pair<Change, const char16_t*> rows[] = {
        {nullptr, u"ENVOLite ver.1.02.04 [Mar  5 2024]\r\n[Windows]\r\n Platform Id\t: 2 (NT)"},
        {nullptr, u" OS Version  \t: 10.0.19045 \r\n ServicePack\t: 0.0 "},
        {nullptr, u" ProductType\t: 1 (Workstation)\r\n ProductInfo.\t: 0x00000030\r\n"
                  u" SuiteMask\t: 0x0100\r\n SafeMode\t: Off\r\n Locale Info\t: Japan"},
        {nullptr, u" Dark Mode \t: On\r\n[User Account Control]\r\n EnableLUA=1, "
                  u"PromptOnSecureDesktop=0, ConsentPromptBehaviorAdmin=5, "
                  u"ConsentPromptBehaviorUser=3\r\n[Screen]"},
        {nullptr, u" 1920x1080 (32bpp) [Work Area (0,0)-(1920,1040)]\r\n"
                  u" Virtual Screen: (-1280,0)-(1920,1080) [Monitors:2]\r\n"
                  u" Monitor Info : (0,0)-(1920,1080) [Workarea (0,0)-(1920,1040)] *primary"},
        {nullptr, u" Monitor Info : (-1280,56)-(0,1080) [Workarea (-1280,56)-(0,1040)]\r\n"
                  u"[Other]\r\n Date/Time \t: Tue, Mar 5, 2024  9:07:03(UTC+09:00)"},
        {[](SystemInfo& i) { i.platformId = 7; }, u" Platform Id\t: 7 "},
        {[](SystemInfo& i) {
             i.servicePackText = u"SP1", i.servicePackMajor = 1, i.servicePackMinor = 2;
         },
         u" OS Version  \t: 10.0.19045 SP1\r\n ServicePack\t: 1.2 "},
        {[](SystemInfo& i) { i.productType = 3; }, u" ProductType\t: 3 (Server)"},
        {[](SystemInfo& i) { i.productType = 9; }, u" ProductType\t: 9"},
        {[](SystemInfo& i) { i.cleanBoot = 1; }, u" SafeMode\t: Fail-safe boot"},
        {[](SystemInfo& i) { i.cleanBoot = 2; }, u" SafeMode\t: Fail-safe with network boot"},
        {[](SystemInfo& i) { i.cleanBoot = -3; }, u" SafeMode\t: -3"},
        {[](SystemInfo& i) { i.localeCountry.clear(), i.remoteSession = true, i.darkMode = false; },
         u" Locale Info\t: \r\n Remote Session \t: On\r\n Dark Mode \t: Off"},
        // The policy key cannot be opened, or holds no 32-bit values.
        {[](SystemInfo& i) { i.uac.reset(); }, u"[User Account Control]\r\n \r\n[Screen]"},
        {[](SystemInfo& i) { i.uac = UacSettings{}; },
         u" EnableLUA=, PromptOnSecureDesktop=, ConsentPromptBehaviorAdmin=, "
         u"ConsentPromptBehaviorUser=\r\n[Screen]"},
        // Before version 6: neither product info nor UAC.
        {[](SystemInfo& i) { i.majorVersion = 5; },
         u" ProductType\t: 1 (Workstation)\r\n SuiteMask\t: 0x0100"},
        {[](SystemInfo& i) { i.majorVersion = 5; }, u" Dark Mode \t: On\r\n[Screen]"},
        // Older platforms keep the version in the build number's high word.
        {[](SystemInfo& i) { i.platformId = 1, i.buildNumber = 0x045A0BB8; },
         u" OS Version  \t: 4.90.3000 "},
        {[](SystemInfo& i) { i.buildNumber = 0x045A0BB8; }, u" OS Version  \t: 10.0.73010104 "},
        {[](SystemInfo& i) { i.platformId = 1, i.minorVersion = 10, i.buildNumber = 2222; },
         u" OS Version  \t: 10.10.2222 "},
        {[](SystemInfo& i) { i.monitors.clear(), i.monitorCount = 0; },
         u" Virtual Screen: (-1280,0)-(1920,1080) [Monitors:0]\r\n[Other]"},
        {[](SystemInfo& i) { i.localTime = {1999, 1, 0, 31, 23, 0, 9}, i.timeZoneBias = 0; },
         u" Date/Time \t: Sun, Jan 31, 1999 23:00:09(UTC-00:00)"},
        {[](SystemInfo& i) { i.localTime = {2024, 12, 6, 5, 0, 0, 0}; },
         u" Date/Time \t: Sat, Dec 5, 2024  0:00:00(UTC+09:00)"},
        {[](SystemInfo& i) { i.localTime = {2024, 13, 7, 5, 9, 7, 3}; },
         u" Date/Time \t: ???, ??? 5, 2024  9:07:03(UTC+09:00)"},
        {[](SystemInfo& i) { i.localTime = {2024, 0, -1, 5, 9, 7, 3}; },
         u" Date/Time \t: ???, ??? 5, 2024  9:07:03(UTC+09:00)"},
    };
    for (const auto& [change, lines] : rows) {
        SystemInfo info = machine();
        if (change)
            change(info);
        const std::u16string report = BuildEnvironmentReport(info, u"Mar  5 2024");
        EXPECT_NE((u"\r\n" + report + u"\r\n").find(u"\r\n" + std::u16string(lines) + u"\r\n"),
                  std::u16string::npos)
            << std::string(lines, lines + std::char_traits<char16_t>::length(lines));
    }
}

TEST(EnvironmentReport, TimeZoneClientSectionAndBuildDate) {
    const std::pair<int, const char16_t*> zones[] = {{-540, u"(UTC+09:00)"}, {0, u"(UTC-00:00)"},
                                                     {300, u"(UTC-05:00)"},  {-345, u"(UTC+05:45)"},
                                                     {210, u"(UTC-03:30)"},  {-1, u"(UTC+00:01)"}};
    for (const auto& [bias, text] : zones)
        EXPECT_EQ(formatTimeZone(bias), text) << bias;
    EXPECT_EQ(formatTimeZone(INT32_MIN).substr(0, 5), u"(UTC+");

    // The client section takes the version text up to its first control character.
    EXPECT_EQ(appendClientSection(u"R", u"Tool ver.2.50.13 beta\r\n(C) someone"),
              u"R\r\n[Client]\r\n Tool ver.2.50.13 beta");
    EXPECT_EQ(appendClientSection(u"R", u"one line only"), u"R\r\n[Client]\r\n one line only");
    EXPECT_EQ(appendClientSection(u"R", u"tab\tstops"), u"R\r\n[Client]\r\n tab");

    const std::u16string_view date = libraryBuildDate(); // "Mmm dd yyyy"
    ASSERT_EQ(date.size(), 11u);
    EXPECT_TRUE(date[3] == u' ' && date[6] == u' ' && date[5] >= u'0' && date[5] <= u'9');
}

TEST(VersionText, SplitsLikeTheScanFormatAndComposesTheVersionLine) {
    using Parts = std::array<std::uint32_t, 4>;
    const std::pair<const char16_t*, Parts> splits[] = {{u"2.5.0.13", {2, 5, 0, 13}},
                                                        {u" 2. 5.0.13 beta", {2, 5, 0, 13}},
                                                        {u"2.5", {2, 5, 0, 0}},
                                                        {u"2,5,0,13", {2, 0, 0, 0}},
                                                        {u"", {0, 0, 0, 0}},
                                                        {u"x.1.2.3", {0, 0, 0, 0}},
                                                        {u"1.-1.+0.9x", {1, 0xFFFFFFFFu, 0, 9}}};
    for (const auto& [text, parts] : splits)
        EXPECT_EQ(splitFileVersion(text), parts);

    const std::tuple<VersionStrings, bool, const char16_t*> versions[] = {
        {{u"2.5.0.13", u"", u"(C) Brelvane", u""}, false, u"T ver.2.50.13\r\n(C) Brelvane"},
        {{u"3.1.2.4", u"", u"", u""}, false, u"T ver.3.12.04\r\n"},
        {{u"", u"", u"(C) B", u""}, true, u"T ver.0.00.00\r\n(C) B"},
        // Japanese shows beta and alpha as Greek letters, and nothing else.
        {{u"2.5.0.13", u"beta", u"", u""}, false, u"T ver.2.50.13 beta\r\n"},
        {{u"2.5.0.13", u"beta", u"", u""}, true, u"T ver.2.50.13 β\r\n"},
        {{u"2.5.0.13", u"alpha", u"", u""}, true, u"T ver.2.50.13 α\r\n"},
        {{u"2.5.0.13", u"alpha", u"", u""}, false, u"T ver.2.50.13 alpha\r\n"},
        {{u"2.5.0.13", u"Beta", u"", u""}, true, u"T ver.2.50.13 Beta\r\n"},
        {{u"2.5.0.13", u"rc", u"", u"test"}, true, u"T ver.2.50.13 rc (test)\r\n"},
        {{u"2.5.0.13", u"", u"", u"test"}, true, u"T ver.2.50.13 (test)\r\n"},
    };
    for (const auto& [strings, japanese, text] : versions)
        EXPECT_EQ(composeVersionText(u"T", strings, japanese), text);
}

} // namespace
} // namespace tapwell::about
