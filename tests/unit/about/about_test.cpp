#include "about/about_box.h"
#include "about/environment_report.h"

#include <gtest/gtest.h>

namespace tapwell::about {
namespace {
TEST(AboutTemplate, WritesTheClassicLayoutWordForWordAndRefusesWhatDoesNotFit) {
    TemplateDialog d{0x80000000, 0x8, 1, -2, 239, 261, u"Ab", 9, u"F", {}};
    d.controls = {{7, ControlClass::Named, u"L", 0x50010000, 0x200, -1, 2, 3, 4, u"x"},
                  {2, ControlClass::Edit, {}, 0x4, 0, 5, 6, 7, 8, {}}};
    const auto block = buildDialogTemplate(d);
    ASSERT_TRUE(block);
    // The font flag is always set; each control starts on a 4-byte boundary.
    const std::vector<std::uint16_t> want = {
        0x40, 0x8000, 8, 0,   2, 1,           0xFFFE, 239,    261,   0, 0,      'A',
        'b',  0,      9, 'F', 0, 0 /* pad */, 0,      0x5001, 0x200, 0, 0xFFFF, 2,
        3,    4,      7, 'L', 0, 'x',         0,      0,      4,     0, 0,      0,
        5,    6,      7, 8,   2, 0xFFFF,      0x81,   0,      0};
    ASSERT_EQ(block->used, want.size() * 2);
    for (std::size_t i = 0; i < kTemplateBlockSize; ++i)
        ASSERT_EQ(block->bytes[i], i < block->used ? want[i / 2] >> (i % 2 * 8) & 0xFF : 0) << i;
    const std::u16string tooLong(1100, u'x');
    d.controls[0].text = tooLong;
    EXPECT_FALSE(buildDialogTemplate(d));
    EXPECT_TRUE(buildAboutTemplate(Language::Japanese, 130));
    EXPECT_EQ(iconResourceName(130), u"#130");
}

TEST(AboutLinks, ContactKindTheComposedTextAndTheClickedTarget) {
    EXPECT_FALSE(isEmailContact(u"HTTPS://a.test/") || isEmailContact(u""));
    EXPECT_EQ(contactLinkId(u"httpd@a.test"), u"mailto:httpd@a.test");
    AboutLinks links{u"https://a.test/", u"https://a.test/m", u"https://a.test/k",
                     u"https://a.test/f", u""};
    EXPECT_EQ(composeLinksText(links, Language::English),
              u"[WebSite]\r\n  <a id=\"https://a.test/\">https://a.test/</a>\r\n\r\n"
              u"[Contact]\r\n  <a id=\"https://a.test/m\">https://a.test/m</a>\r\n\r\n\r\n");
    // Japanese adds the mail note, only when there is a contact.
    const std::u16string note(aboutText(AboutText::MailFilterNote, Language::Japanese));
    EXPECT_NE(composeLinksText(links, Language::Japanese).find(u"</a>\r\n\r\n" + note + u"\r\n"),
              std::u16string::npos);
    EXPECT_EQ(resolveLinkTarget(u"kifu", links), links.donationPage);
    EXPECT_EQ(resolveLinkTarget(u"feedback", links), links.feedbackPage);

    links.contact = u"someone.with.a.long.name@mail.example.test.invalid";
    links.extraText = u"extra";
    const std::u16string mail = u"mailto:" + links.contact;
    EXPECT_EQ(composeLinksText(links, Language::English).substr(60),
              u"[E-Mail]\r\n  <a id=\"" + mail + u"\">" + links.contact + u"</a>\r\n\r\n\r\nextra");
    // Addresses cut by the link control are recovered; shorter ids are never stretched.
    links.homePage = u"https://example.test/a/very/long/path/to/the/home/page.html";
    EXPECT_EQ(resolveLinkTarget(links.homePage.substr(0, kMaxLinkIdLength), links), links.homePage);
    EXPECT_EQ(resolveLinkTarget(mail.substr(0, kMaxLinkIdLength), links), mail);
    EXPECT_EQ(resolveLinkTarget(mail.substr(0, 20), links), mail.substr(0, 20));
    // A failed click names the address in Japanese only; each language's tooltips.
    EXPECT_EQ(browserFailedText(u"https://a.test/", Language::Japanese).substr(0, 18),
              u"https://a.test/を開け");
    EXPECT_EQ(browserFailedText(u"https://a.test/", Language::English), u"Cannot open a browser.");
    EXPECT_EQ(aboutTooltips(Language::English)[1].text, u"Closes this dialog box.");
    EXPECT_EQ(aboutTooltips(Language::Japanese)[1].text, u"このダイアログを閉じます");
}

// What the user reads after OK in the report box, for each way the copy can
// end; a refused hand-over is the one failure shown with the information icon.
TEST(AboutClipboard, EachOutcomeHasItsMessageAndOnlyARefusedSetMerelyInforms) {
    const std::tuple<ClipboardResult, const char16_t*, bool> outcomes[] = {
        {ClipboardResult::Done, u"Writing data to the clipboard is complete.", false},
        {ClipboardResult::OpenFailed, u"Cannot open clipboard.", true},
        {ClipboardResult::OutOfMemory, u"Out of memory.", true},
        {ClipboardResult::LockFailed, u"GlobalLock error.", true},
        {ClipboardResult::EmptyFailed, u"EmptyClipboard error.", true},
        {ClipboardResult::SetFailed, u"Clipboard error.", false}};
    for (const auto& [result, english, error] : outcomes) {
        const ClipboardMessage m = clipboardMessage(result);
        EXPECT_EQ(aboutText(m.text, Language::English), english);
        EXPECT_EQ(m.error, error) << static_cast<int>(result);
    }
    // A result beyond the known ones reads as the refused set.
    EXPECT_EQ(clipboardMessage(ClipboardResult(6)).text, AboutText::ClipboardSetFailed);
}

// A two-monitor machine whose second screen sits to the left of the primary.
SystemInfo machine() {
    SystemInfo i;
    i.majorVersion = 10, i.buildNumber = 19045, i.productType = 1, i.productInfo = 0x30;
    i.suiteMask = 0x100, i.localeCountry = u"Japan", i.darkMode = true, i.uac = {{1, 0, 5, 3}};
    i.screenWidth = 1920, i.screenHeight = 1080, i.bitsPerPixel = 32;
    i.workArea = {0, 0, 1920, 1040}, i.virtualLeft = -1280, i.virtualWidth = 3200;
    i.virtualHeight = 1080, i.monitorCount = 2, i.servicePackText = u"SP";
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
        {nullptr, u" Architecture\t: x64\r\n ProductType\t: 1 (Workstation)"},
        {nullptr, u" Dark Mode \t: On\r\n[User Account Control]\r\n EnableLUA=1, "
                  u"PromptOnSecureDesktop=0, ConsentPromptBehaviorAdmin=5, "
                  u"ConsentPromptBehaviorUser=3\r\n[Screen]"},
        {nullptr, u" 1920x1080 (32bpp) [Work Area (0,0)-(1920,1040)]\r\n"
                  u" Virtual Screen: (-1280,0)-(1920,1080) [Monitors:2]\r\n"
                  u" Monitor Info : (0,0)-(1920,1080) [Workarea (0,0)-(1920,1040)] *primary\r\n"
                  u" Monitor Info : (-1280,56)-(0,1080) [Workarea (-1280,56)-(0,1040)]\r\n"
                  u"[Other]\r\n Date/Time \t: Tue, Mar 5, 2024  9:07:03(UTC+09:00)"},
        {[](SystemInfo& i) { i.productType = 9, i.cleanBoot = 1, i.localeCountry.clear(); },
         u" ProductType\t: 9\r\n ProductInfo.\t: 0x00000030\r\n SuiteMask\t: 0x0100\r\n"
         u" SafeMode\t: Fail-safe boot\r\n Locale Info\t: \r\n Remote Session \t: Off"},
        // Before version 6: neither product info nor UAC, whose key may be missing.
        {[](SystemInfo& i) { i.majorVersion = 5, i.remoteSession = true, i.darkMode = false; },
         u" ProductType\t: 1 (Workstation)\r\n SuiteMask\t: 0x0100\r\n SafeMode\t: Off\r\n"
         u" Locale Info\t: Japan\r\n Remote Session \t: On\r\n Dark Mode \t: Off\r\n[Screen]"},
        {[](SystemInfo& i) { i.uac.reset(); }, u"[User Account Control]\r\n \r\n[Screen]"},
        // Older platforms keep the version in the build number's high word.
        {[](SystemInfo& i) { i.platformId = 1, i.buildNumber = 0x045A0BB8; },
         u" Platform Id\t: 1 (Win9x)\r\n OS Version  \t: 4.90.3000 SP"},
        {[](SystemInfo& i) { i.buildNumber = 0x045A0BB8, i.servicePackMinor = 2; },
         u" OS Version  \t: 10.0.73010104 SP\r\n ServicePack\t: 0.2 "},
        {[](SystemInfo& i) { i.localTime = {1999, 1, 0, 31, 23, 0, 9}, i.timeZoneBias = 0; },
         u" Date/Time \t: Sun, Jan 31, 1999 23:00:09(UTC-00:00)"},
        {[](SystemInfo& i) { i.localTime = {2024, 13, 7, 5, 9, 7, 3}; },
         u" Date/Time \t: ???, ??? 5, 2024  9:07:03(UTC+09:00)"},
    };
    for (const auto& [change, lines] : rows) {
        SystemInfo info = machine();
        if (change)
            change(info);
        const auto report = u"\r\n" + BuildEnvironmentReport(info, u"Mar  5 2024") + u"\r\n";
        EXPECT_NE(report.find(u"\r\n" + std::u16string(lines) + u"\r\n"), std::u16string::npos)
            << std::string(lines, lines + std::char_traits<char16_t>::length(lines));
    }
}

TEST(EnvironmentReport, TimeZoneClientSectionAndVersionText) {
    const std::pair<int, const char16_t*> zones[] = {
        {0, u"(UTC-00:00)"}, {-345, u"(UTC+05:45)"}, {210, u"(UTC-03:30)"}, {-1, u"(UTC+00:01)"}};
    for (const auto& [bias, text] : zones)
        EXPECT_EQ(formatTimeZone(bias), text) << bias;
    EXPECT_EQ(formatTimeZone(INT32_MIN).substr(0, 5), u"(UTC+");
    // The client section takes the version text up to its first control character.
    EXPECT_EQ(appendClientSection(u"R", u"T ver.2 beta\r\n(C) x"),
              u"R\r\n[Client]\r\n T ver.2 beta");
    const std::pair<const char16_t*, std::array<std::uint32_t, 4>> splits[] = {
        {u" 2. 5.0.13 beta", {2, 5, 0, 13}},
        {u"2,5", {2, 0, 0, 0}},
        {u"\r3.\t4", {3, 4, 0, 0}},
        {u".1.2.3", {0, 0, 0, 0}},
        {u"1.-1.+0.9x", {1, 0xFFFFFFFFu, 0, 9}}};
    for (const auto& [text, fields] : splits)
        EXPECT_EQ(splitFileVersion(text), fields);
    // Japanese shows beta and alpha as Greek letters, and nothing else.
    using enum Language;
    const std::tuple<VersionStrings, Language, const char16_t*> versions[] = {
        {{u"3.1.2.4", u"", u"(C) B", u""}, English, u"T ver.3.12.04\r\n(C) B"},
        {{u"2.5.0.13", u"beta", u"", u""}, Japanese, u"T ver.2.50.13 β\r\n"},
        {{u"2.5.0.13", u"alpha", u"", u""}, Japanese, u"T ver.2.50.13 α\r\n"},
        {{u"2.5.0.13", u"beta", u"", u"test"}, English, u"T ver.2.50.13 beta (test)\r\n"}};
    for (const auto& [strings, language, text] : versions)
        EXPECT_EQ(composeVersionText(u"T", strings, language), text);
}
} // namespace
} // namespace tapwell::about
