#include "about/environment_report.h"

#include <gtest/gtest.h>

namespace tapwell::about {
namespace {

using Parts = std::array<std::uint32_t, 4>;

TEST(VersionText, SplitsLikeTheScanFormat) {
    EXPECT_EQ(splitFileVersion(u"2.5.0.13"), (Parts{2, 5, 0, 13}));
    EXPECT_EQ(splitFileVersion(u" 2. 5.0.13 beta"), (Parts{2, 5, 0, 13}));
    EXPECT_EQ(splitFileVersion(u"2.5"), (Parts{2, 5, 0, 0}));
    EXPECT_EQ(splitFileVersion(u"2,5,0,13"), (Parts{2, 0, 0, 0}));
    EXPECT_EQ(splitFileVersion(u""), (Parts{0, 0, 0, 0}));
    EXPECT_EQ(splitFileVersion(u"x.1.2.3"), (Parts{0, 0, 0, 0}));
    EXPECT_EQ(splitFileVersion(u"1.-1.0.0"), (Parts{1, 0xFFFFFFFFu, 0, 0}));
}

TEST(VersionText, ComposesTheVersionLine) {
    VersionStrings s{u"2.5.0.13", u"", u"(C) Brelvane", u""};
    EXPECT_EQ(composeVersionText(u"Tool", s, false), u"Tool ver.2.50.13\r\n(C) Brelvane");
    s.fileVersion = u"3.1.2.4";
    EXPECT_EQ(composeVersionText(u"Tool", s, false), u"Tool ver.3.12.04\r\n(C) Brelvane");
    s.fileVersion = u"";
    EXPECT_EQ(composeVersionText(u"Tool", s, true), u"Tool ver.0.00.00\r\n(C) Brelvane");
}

TEST(VersionText, SpecialBuildInBothLanguages) {
    VersionStrings s{u"2.5.0.13", u"beta", u"", u""};
    EXPECT_EQ(composeVersionText(u"T", s, false), u"T ver.2.50.13 beta\r\n");
    EXPECT_EQ(composeVersionText(u"T", s, true), u"T ver.2.50.13 β\r\n");
    s.specialBuild = u"alpha";
    EXPECT_EQ(composeVersionText(u"T", s, true), u"T ver.2.50.13 α\r\n");
    EXPECT_EQ(composeVersionText(u"T", s, false), u"T ver.2.50.13 alpha\r\n");
    s.specialBuild = u"Beta";
    EXPECT_EQ(composeVersionText(u"T", s, true), u"T ver.2.50.13 Beta\r\n");
    s.specialBuild = u"rc";
    s.privateBuild = u"test";
    EXPECT_EQ(composeVersionText(u"T", s, true), u"T ver.2.50.13 rc (test)\r\n");
}

SystemInfo windows10Record() {
    SystemInfo info;
    info.platformId = 2;
    info.majorVersion = 10;
    info.minorVersion = 0;
    info.buildNumber = 19045;
    info.productType = 1;
    info.productInfo = 0x30;
    info.suiteMask = 0x100;
    info.localeCountry = u"Japan";
    info.darkMode = true;
    info.uac = UacSettings{1, 0, 5, 3};
    info.screenWidth = 1920;
    info.screenHeight = 1080;
    info.bitsPerPixel = 32;
    info.workArea = {0, 0, 1920, 1040};
    info.virtualLeft = -1280;
    info.virtualTop = 0;
    info.virtualWidth = 3200;
    info.virtualHeight = 1080;
    info.monitorCount = 2;
    info.monitors = {{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, true},
                     {{-1280, 56, 0, 1080}, {-1280, 56, 0, 1040}, false}};
    info.localTime = {2024, 3, 2, 5, 9, 7, 3};
    info.timeZoneBias = -540;
    return info;
}

TEST(EnvironmentReport, PinsTheWholeFormat) {
    const std::u16string expected =
        u"ENVOLite ver.1.02.04 [Mar  5 2024]\r\n"
        u"[Windows]\r\n"
        u" Platform Id\t: 2 (NT)\r\n"
        u" OS Version  \t: 10.0.19045 \r\n"
        u" ServicePack\t: 0.0 \r\n"
        u" Architecture\t: x64\r\n"
        u" ProductType\t: 1 (Workstation)\r\n"
        u" ProductInfo.\t: 0x00000030\r\n"
        u" SuiteMask\t: 0x0100\r\n"
        u" SafeMode\t: Off\r\n"
        u" Locale Info\t: Japan\r\n"
        u" Remote Session \t: Off\r\n"
        u" Dark Mode \t: On\r\n"
        u"[User Account Control]\r\n"
        u" EnableLUA=1, PromptOnSecureDesktop=0, ConsentPromptBehaviorAdmin=5, "
        u"ConsentPromptBehaviorUser=3\r\n"
        u"[Screen]\r\n"
        u" 1920x1080 (32bpp) [Work Area (0,0)-(1920,1040)]\r\n"
        u" Virtual Screen: (-1280,0)-(1920,1080) [Monitors:2]\r\n"
        u" Monitor Info : (0,0)-(1920,1080) [Workarea (0,0)-(1920,1040)] *primary\r\n"
        u" Monitor Info : (-1280,56)-(0,1080) [Workarea (-1280,56)-(0,1040)]\r\n"
        u"[Other]\r\n"
        u" Date/Time \t: Tue, Mar 5, 2024  9:07:03(UTC+09:00)";
    EXPECT_EQ(BuildEnvironmentReport(windows10Record(), u"Mar  5 2024"), expected);
}

TEST(EnvironmentReport, UacSectionFollowsTheKeyAndTheValues) {
    SystemInfo info = windows10Record();
    const std::u16string heading = u"\r\n[User Account Control]\r\n \r\n[Screen]";

    info.uac.reset(); // key cannot be opened: heading only
    EXPECT_NE(BuildEnvironmentReport(info, u"d").find(heading), std::u16string::npos);

    info.uac = UacSettings{}; // key opened, no 32-bit values
    EXPECT_NE(BuildEnvironmentReport(info, u"d")
                  .find(u" EnableLUA=, PromptOnSecureDesktop=, ConsentPromptBehaviorAdmin=, "
                        u"ConsentPromptBehaviorUser=\r\n[Screen]"),
              std::u16string::npos);

    info.majorVersion = 5; // before version 6: neither UAC nor product info
    const std::u16string xp = BuildEnvironmentReport(info, u"d");
    EXPECT_EQ(xp.find(u"User Account Control"), std::u16string::npos);
    EXPECT_EQ(xp.find(u"ProductInfo"), std::u16string::npos);
    EXPECT_NE(xp.find(u"Dark Mode \t: On\r\n[Screen]"), std::u16string::npos);
}

TEST(EnvironmentReport, TimeZoneSignFollowsTheBias) {
    EXPECT_EQ(formatTimeZone(-540), u"(UTC+09:00)");
    EXPECT_EQ(formatTimeZone(0), u"(UTC-00:00)");
    EXPECT_EQ(formatTimeZone(300), u"(UTC-05:00)");
    EXPECT_EQ(formatTimeZone(-345), u"(UTC+05:45)");
    EXPECT_EQ(formatTimeZone(210), u"(UTC-03:30)");
    EXPECT_EQ(formatTimeZone(INT32_MIN).substr(0, 5), u"(UTC+");

    SystemInfo info = windows10Record();
    info.timeZoneBias = 0;
    const auto report = BuildEnvironmentReport(info, u"d");
    EXPECT_EQ(report.substr(report.size() - 11), u"(UTC-00:00)");
}

TEST(EnvironmentReport, WindowsFieldVariants) {
    SystemInfo info = windows10Record();
    info.platformId = 7;
    info.productType = 3;
    info.cleanBoot = 2;
    info.remoteSession = true;
    info.darkMode = false;
    info.servicePackText = u"Service Pack 1";
    info.servicePackMajor = 1;
    info.localeCountry.clear();
    const auto report = BuildEnvironmentReport(info, u"d");
    EXPECT_NE(report.find(u" Platform Id\t: 7 \r\n"), std::u16string::npos);
    EXPECT_NE(report.find(u"10.0.19045 Service Pack 1\r\n ServicePack\t: 1.0 \r\n"),
              std::u16string::npos);
    EXPECT_NE(report.find(u"ProductType\t: 3 (Server)"), std::u16string::npos);
    EXPECT_NE(report.find(u"SafeMode\t: Fail-safe with network boot"), std::u16string::npos);
    EXPECT_NE(report.find(u"Locale Info\t: \r\n"), std::u16string::npos);
    EXPECT_NE(report.find(u"Remote Session \t: On\r\n Dark Mode \t: Off"), std::u16string::npos);

    info.productType = 9;
    info.cleanBoot = 1;
    const auto other = BuildEnvironmentReport(info, u"d");
    EXPECT_NE(other.find(u"ProductType\t: 9\r\n"), std::u16string::npos);
    EXPECT_NE(other.find(u"SafeMode\t: Fail-safe boot\r\n"), std::u16string::npos);
}

TEST(EnvironmentReport, NoMonitorsMeansNoMonitorLines) {
    SystemInfo info = windows10Record();
    info.monitors.clear();
    info.monitorCount = 0;
    const auto report = BuildEnvironmentReport(info, u"d");
    EXPECT_EQ(report.find(u"Monitor Info"), std::u16string::npos);
    EXPECT_NE(report.find(u"[Monitors:0]\r\n[Other]"), std::u16string::npos);
}

TEST(EnvironmentReport, OlderPlatformsKeepTheVersionInTheBuildNumber) {
    const OsVersion me = normalizeOsVersion(1, 4, 0, 0x045A0BB8);
    EXPECT_EQ(me.major, 4u);
    EXPECT_EQ(me.minor, 90u);
    EXPECT_EQ(me.build, 3000u);
    // The NT platform and a plain build number are left alone.
    const OsVersion nt = normalizeOsVersion(2, 6, 1, 0x045A0BB8);
    EXPECT_EQ(nt.major, 6u);
    EXPECT_EQ(nt.build, 0x045A0BB8u);
    const OsVersion plain = normalizeOsVersion(1, 4, 10, 2222);
    EXPECT_EQ(plain.minor, 10u);
    EXPECT_EQ(plain.build, 2222u);
}

TEST(EnvironmentReport, ClientSectionTakesTheFirstVersionLine) {
    EXPECT_EQ(appendClientSection(u"R", u"Tool ver.2.50.13 beta\r\n(C) someone"),
              u"R\r\n[Client]\r\n Tool ver.2.50.13 beta");
    EXPECT_EQ(appendClientSection(u"R", u"one line only"), u"R\r\n[Client]\r\n one line only");
    EXPECT_EQ(appendClientSection(u"R", u"tab\tstops"), u"R\r\n[Client]\r\n tab");
}

TEST(EnvironmentReport, BuildDateHasTheCompilerShape) {
    const std::u16string_view date = libraryBuildDate();
    ASSERT_EQ(date.size(), 11u);
    EXPECT_EQ(date[3], u' ');
    EXPECT_EQ(date[6], u' ');
    EXPECT_TRUE(date[5] >= u'0' && date[5] <= u'9');
}

} // namespace
} // namespace tapwell::about
