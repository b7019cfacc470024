#include "about/about_box.h"

#include <gtest/gtest.h>

#include <set>

namespace tapwell::about {
namespace {

std::vector<std::uint16_t> words(const TemplateBlock& block) {
    std::vector<std::uint16_t> out;
    for (std::size_t i = 0; i + 1 < block.used; i += 2)
        out.push_back(static_cast<std::uint16_t>(block.bytes[i] | block.bytes[i + 1] << 8));
    return out;
}

TEST(AboutTemplate, WritesTheClassicLayoutWordForWord) {
    TemplateDialog d{0x80000000, 0x8, 1, -2, 239, 261, u"Ab", 9, u"F", {}};
    d.controls = {{7, ControlClass::Named, u"L", 0x50010000, 0x200, -1, 2, 3, 4, u"x"},
                  {2, ControlClass::Edit, {}, 0x4, 0, 5, 6, 7, 8, {}}};
    const auto block = buildDialogTemplate(d);
    ASSERT_TRUE(block);
    // The font flag is always set; each control starts on a 4-byte boundary.
    const std::vector<std::uint16_t> want = {
        0x0040, 0x8000, 0x0008, 0, 2,      1, 0xFFFE, 239, 261, 0,      0,    'A', 'b', 0,
        9,      'F',    0,
        0, // padding
        0,      0x5001, 0x0200, 0, 0xFFFF, 2, 3,      4,   7,   'L',    0,    'x', 0,   0,
        0x0004, 0,      0,      0, 5,      6, 7,      8,   2,   0xFFFF, 0x81, 0,   0};
    EXPECT_EQ(words(*block), want);
    for (std::size_t i = block->used; i < kTemplateBlockSize; ++i)
        ASSERT_EQ(block->bytes[i], 0) << "the block is zero-filled after the template";

    d.controls[0].text = std::u16string(1100, u'x'); // does not fit the block
    EXPECT_FALSE(buildDialogTemplate(d));
}

TEST(AboutTemplate, BothLanguagesFitWithTheirFontsAndControlsInTabOrder) {
    for (bool japanese : {false, true}) {
        EXPECT_TRUE(buildAboutTemplate(japanese, 130));
        const std::u16string icon = iconResourceName(130);
        const TemplateDialog d = aboutDialog(japanese, icon);
        EXPECT_EQ(d.title, japanese ? u"バージョン情報" : u"About");
        EXPECT_EQ(d.fontFace, japanese ? u"MS UI Gothic" : u"MS Sans Serif");
        EXPECT_EQ(d.pointSize, japanese ? 9 : 8);
        std::vector<std::uint16_t> ids;
        for (const TemplateControl& c : d.controls)
            ids.push_back(c.id);
        EXPECT_EQ(ids, (std::vector<std::uint16_t>{2009, 2006, 2004, 2, 2005, 2007, 2002, 2003}));
        EXPECT_EQ(d.controls[5].text, u"#130");
        EXPECT_EQ(d.controls[3].style & 0xF, style::kBsDefPushButton);
        const TemplateControl& links = d.controls[7];
        EXPECT_EQ(links.className, u"SysLink");
        EXPECT_EQ((std::array{links.x, links.y, links.cx, links.cy}),
                  (std::array<std::int16_t, 4>{7, 46, 225, 98}));
    }
}

TEST(AboutTexts, TooltipsDescriptionAndTheBrowserMessage) {
    const std::set<int> controls = {2, 2002, 2003, 2004, 2005, 2006, 2007, 2009};
    for (bool japanese : {false, true}) {
        EXPECT_EQ(aboutTooltips(japanese).size(), japanese ? 5u : 4u);
        for (const auto& t : aboutTooltips(japanese))
            EXPECT_TRUE(controls.count(t.controlId)) << t.controlId;
        // Every paragraph of the description opens with a blank of its language.
        const std::u16string_view text = aboutText(AboutText::Description, japanese);
        const char16_t blank = japanese ? u'　' : u' ';
        int paragraphs = 0;
        for (std::size_t at = 0; at != std::u16string_view::npos; ++paragraphs) {
            ASSERT_LT(at, text.size());
            EXPECT_EQ(text[at], blank) << at;
            at = text.find(u"\r\n", at);
            at = at == std::u16string_view::npos ? at : at + 2;
        }
        EXPECT_GE(paragraphs, 5);
    }
    EXPECT_EQ(browserFailedText(u"https://x.test/", false), u"Cannot open a browser.");
    EXPECT_EQ(browserFailedText(u"https://x.test/", true),
              u"https://x.test/を開けませんでした。\n上記のURLを直接開いて下さい。");
}

AboutLinks webLinks() {
    return {u"https://example.test/", u"https://example.test/mail.html",
            u"https://example.test/kifu.html", u"https://example.test/ifa.php?TK", u""};
}

TEST(AboutLinks, ContactKindAndTheComposedText) {
    for (const char16_t* web : {u"http://a.test/", u"HTTPS://a.test/", u""})
        EXPECT_FALSE(isEmailContact(web));
    for (const char16_t* mail : {u"someone@a.test", u"httpd@a.test"})
        EXPECT_TRUE(isEmailContact(mail));
    EXPECT_EQ(contactLinkId(u"someone@a.test"), u"mailto:someone@a.test");
    EXPECT_EQ(contactLinkId(u"https://a.test/"), u"https://a.test/");

    AboutLinks links = webLinks();
    EXPECT_EQ(composeLinksText(links, false),
              u"[WebSite]\r\n  <a id=\"https://example.test/\">https://example.test/</a>\r\n\r\n"
              u"[Contact]\r\n  <a id=\"https://example.test/mail.html\">"
              u"https://example.test/mail.html</a>\r\n\r\n\r\n");
    // Japanese adds the mail note, only when there is a contact.
    const std::u16string note(aboutText(AboutText::MailFilterNote, true));
    EXPECT_NE(composeLinksText(links, true).find(u"</a>\r\n\r\n" + note + u"\r\n"),
              std::u16string::npos);
    links.contact = u"someone@example.test";
    links.extraText = u"extra";
    for (bool japanese : {false, true}) {
        const auto text = composeLinksText(links, japanese);
        EXPECT_NE(text.find(u"\r\n\r\n[E-Mail]\r\n  <a id=\"mailto:someone@example.test\">"
                            u"someone@example.test</a>\r\n\r\n"),
                  std::u16string::npos);
        EXPECT_EQ(text.substr(text.size() - 7), u"\r\nextra");
    }
    links.contact.clear();
    links.homePage.clear();
    links.extraText.clear();
    EXPECT_EQ(composeLinksText(links, true),
              u"\r\n  <a id=\"\"></a>\r\n\r\n\r\n  <a id=\"\"></a>\r\n\r\n\r\n");
}

TEST(AboutLinks, ResolvesClickedIdsAndAddressesCutByTheLinkControl) {
    AboutLinks links = webLinks();
    EXPECT_EQ(resolveLinkTarget(u"kifu", links), links.donationPage);
    EXPECT_EQ(resolveLinkTarget(u"feedback", links), links.feedbackPage);
    EXPECT_EQ(resolveLinkTarget(u"https://other.test/", links), u"https://other.test/");
    links.donationPage.clear();
    EXPECT_EQ(resolveLinkTarget(u"kifu", links), u"kifu");
    links.feedbackPage.clear();
    EXPECT_EQ(resolveLinkTarget(u"feedback", links), u"feedback");

    links.homePage = u"https://example.test/a/very/long/path/to/the/home/page.html";
    links.contact = u"someone.with.a.long.name@mail.example.test.invalid";
    const std::u16string mail = contactLinkId(links.contact);
    EXPECT_EQ(resolveLinkTarget(links.homePage.substr(0, kMaxLinkIdLength), links), links.homePage);
    EXPECT_EQ(resolveLinkTarget(mail.substr(0, kMaxLinkIdLength), links), mail);
    // A shorter id is never stretched to a longer address.
    EXPECT_EQ(resolveLinkTarget(links.homePage.substr(0, 20), links), links.homePage.substr(0, 20));
}

// A refused set alone comes with the information icon, unlike the other failures.
TEST(ClipboardCopy, EveryResultHasItsMessage) {
    const std::tuple<ClipboardResult, AboutText, bool> rows[] = {
        {ClipboardResult::Done, AboutText::ClipboardDone, false},
        {ClipboardResult::OpenFailed, AboutText::ClipboardOpenFailed, true},
        {ClipboardResult::OutOfMemory, AboutText::ClipboardOutOfMemory, true},
        {ClipboardResult::LockFailed, AboutText::ClipboardLockFailed, true},
        {ClipboardResult::EmptyFailed, AboutText::ClipboardEmptyFailed, true},
        {ClipboardResult::SetFailed, AboutText::ClipboardSetFailed, false},
    };
    for (const auto& [result, text, error] : rows) {
        EXPECT_EQ(clipboardMessage(result).text, text) << int(result);
        EXPECT_EQ(clipboardMessage(result).error, error) << int(result);
    }
}

} // namespace
} // namespace tapwell::about
