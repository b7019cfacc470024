#include "about/about_box.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace tapwell::about {
namespace {

// Reads the classic dialog template back, as the dialog manager would.
struct Reader {
    const TemplateBlock& block;
    std::size_t pos = 0;

    std::uint16_t word() {
        const std::uint16_t w =
            static_cast<std::uint16_t>(block.bytes[pos] | (block.bytes[pos + 1] << 8));
        pos += 2;
        return w;
    }
    std::uint32_t dword() {
        const std::uint32_t lo = word();
        return lo | (std::uint32_t{word()} << 16);
    }
    std::u16string text() {
        std::u16string s;
        while (std::uint16_t w = word())
            s += static_cast<char16_t>(w);
        return s;
    }
    // A class or title: an ordinal (0xFFFF, n) or a string.
    std::u16string nameOrOrdinal() {
        if (block.bytes[pos] == 0xFF && block.bytes[pos + 1] == 0xFF) {
            pos += 2;
            std::u16string ordinal = u"#";
            ordinal += static_cast<char16_t>(word());
            return ordinal;
        }
        return text();
    }
};

struct ReadControl {
    std::uint32_t style, exStyle;
    std::int16_t x, y, cx, cy;
    std::uint16_t id;
    std::u16string cls, text;
};

std::vector<ReadControl> readBack(const TemplateBlock& block, std::u16string& title,
                                  std::u16string& face, std::uint16_t& points) {
    Reader r{block};
    const std::uint32_t style = r.dword();
    EXPECT_TRUE(style & style::kDsSetFont);
    r.dword();
    const std::uint16_t count = r.word();
    for (int i = 0; i < 4; ++i)
        r.word();
    EXPECT_EQ(r.word(), 0); // menu
    EXPECT_EQ(r.word(), 0); // class
    title = r.text();
    points = r.word();
    face = r.text();
    std::vector<ReadControl> controls;
    for (int i = 0; i < count; ++i) {
        r.pos = (r.pos + 3) & ~std::size_t{3};
        ReadControl c{};
        c.style = r.dword();
        c.exStyle = r.dword();
        c.x = static_cast<std::int16_t>(r.word());
        c.y = static_cast<std::int16_t>(r.word());
        c.cx = static_cast<std::int16_t>(r.word());
        c.cy = static_cast<std::int16_t>(r.word());
        c.id = r.word();
        c.cls = r.nameOrOrdinal();
        c.text = r.nameOrOrdinal();
        EXPECT_EQ(r.word(), 0); // creation data
        controls.push_back(c);
    }
    EXPECT_EQ(r.pos, block.used);
    return controls;
}

TEST(AboutTemplate, BothLanguagesReadBackWithEightControls) {
    for (bool japanese : {false, true}) {
        const auto block = buildAboutTemplate(japanese, 130);
        ASSERT_TRUE(block);
        EXPECT_LE(block->used, kTemplateBlockSize);
        for (std::size_t i = block->used; i < kTemplateBlockSize; ++i)
            ASSERT_EQ(block->bytes[i], 0) << "block is zero-filled after the template";

        std::u16string title, face;
        std::uint16_t points = 0;
        const auto controls = readBack(*block, title, face, points);
        EXPECT_EQ(title, japanese ? u"バージョン情報" : u"About");
        EXPECT_EQ(face, japanese ? u"MS UI Gothic" : u"MS Sans Serif");
        EXPECT_EQ(points, japanese ? 9 : 8);
        ASSERT_EQ(controls.size(), 8u);

        const std::vector<std::uint16_t> order = {2009, 2006, 2004, 2, 2005, 2007, 2002, 2003};
        for (std::size_t i = 0; i < order.size(); ++i)
            EXPECT_EQ(controls[i].id, order[i]);
        EXPECT_EQ(controls[0].cls, u"SysLink");
        EXPECT_EQ(controls[0].text, aboutText(AboutText::FeedbackLink, japanese));
        EXPECT_EQ(controls[2].cls, u"#\x81");
        EXPECT_EQ(controls[2].exStyle, style::kExClientEdge);
        EXPECT_TRUE(controls[2].style & style::kVScroll);
        EXPECT_EQ(controls[3].style & 0xF, style::kBsDefPushButton);
        EXPECT_EQ(controls[5].text, u"#130");
        EXPECT_EQ(controls[7].x, 7);
        EXPECT_EQ(controls[7].y, 46);
        EXPECT_EQ(controls[7].cx, 225);
        EXPECT_EQ(controls[7].cy, 98);
    }
}

TEST(AboutTemplate, RefusesWhatDoesNotFit) {
    TemplateDialog d = aboutDialog(false, u"#130");
    const std::u16string longText(1200, u'x');
    d.controls[2].text = longText;
    EXPECT_FALSE(buildDialogTemplate(d));
}

TEST(AboutTexts, TooltipsNameControlsAndTheBrowserMessage) {
    const std::set<int> controls = {2, 2002, 2003, 2004, 2005, 2006, 2007, 2009};
    EXPECT_EQ(aboutTooltips(false).size(), 4u);
    EXPECT_EQ(aboutTooltips(true).size(), 5u);
    for (bool japanese : {false, true})
        for (const auto& t : aboutTooltips(japanese))
            EXPECT_TRUE(controls.count(t.controlId)) << t.controlId;
    EXPECT_EQ(browserFailedText(u"https://x.test/", false), u"Cannot open a browser.");
    EXPECT_EQ(browserFailedText(u"https://x.test/", true),
              u"https://x.test/を開けませんでした。\n上記のURLを直接開いて下さい。");
}

TEST(AboutTexts, DescriptionParagraphsOpenWithABlank) {
    for (bool japanese : {false, true}) {
        const std::u16string_view text = aboutText(AboutText::Description, japanese);
        const char16_t blank = japanese ? u'　' : u' ';
        ASSERT_FALSE(text.empty());
        EXPECT_EQ(text.front(), blank);
        std::size_t at = 0;
        int paragraphs = 1;
        while ((at = text.find(u"\r\n", at)) != std::u16string_view::npos) {
            at += 2;
            ASSERT_LT(at, text.size());
            EXPECT_EQ(text[at], blank);
            ++paragraphs;
        }
        EXPECT_GE(paragraphs, 5);
    }
}

AboutLinks webLinks() {
    return {u"https://example.test/", u"https://example.test/mail.html",
            u"https://example.test/kifu.html", u"https://example.test/ifa.php?TK", u""};
}

TEST(AboutLinks, ContactKind) {
    EXPECT_FALSE(isEmailContact(u"http://a.test/"));
    EXPECT_FALSE(isEmailContact(u"HTTPS://a.test/"));
    EXPECT_TRUE(isEmailContact(u"someone@a.test"));
    EXPECT_TRUE(isEmailContact(u"httpd@a.test"));
    EXPECT_FALSE(isEmailContact(u""));
    EXPECT_EQ(contactLinkId(u"someone@a.test"), u"mailto:someone@a.test");
    EXPECT_EQ(contactLinkId(u"https://a.test/"), u"https://a.test/");
}

TEST(AboutLinks, EnglishTextWithWebContact) {
    EXPECT_EQ(composeLinksText(webLinks(), false),
              u"[WebSite]\r\n  <a id=\"https://example.test/\">https://example.test/</a>\r\n\r\n"
              u"[Contact]\r\n  <a id=\"https://example.test/mail.html\">"
              u"https://example.test/mail.html</a>\r\n\r\n\r\n");
}

TEST(AboutLinks, EmailContactGetsItsLabelAndMailto) {
    AboutLinks links = webLinks();
    links.contact = u"someone@example.test";
    links.extraText = u"extra";
    for (bool japanese : {false, true}) {
        const auto text = composeLinksText(links, japanese);
        EXPECT_NE(text.find(u"[E-Mail]\r\n  <a id=\"mailto:someone@example.test\">"
                            u"someone@example.test</a>"),
                  std::u16string::npos);
        EXPECT_EQ(text.substr(text.size() - 7), u"\r\nextra");
    }
}

TEST(AboutLinks, JapaneseAddsTheMailNoteOnlyWithAContact) {
    AboutLinks links = webLinks();
    const auto note = aboutText(AboutText::MailFilterNote, true);
    const auto withContact = composeLinksText(links, true);
    EXPECT_NE(withContact.find(u"[連絡先]\r\n"), std::u16string::npos);
    EXPECT_NE(withContact.find(std::u16string(note) + u"\r\n"), std::u16string::npos);
    EXPECT_EQ(composeLinksText(links, false).find(note.substr(1, 10)), std::u16string::npos);

    links.contact.clear();
    links.homePage.clear();
    EXPECT_EQ(composeLinksText(links, true),
              u"\r\n  <a id=\"\"></a>\r\n\r\n\r\n  <a id=\"\"></a>\r\n\r\n\r\n");
}

TEST(AboutLinks, ResolvesClickedIds) {
    AboutLinks links = webLinks();
    EXPECT_EQ(resolveLinkTarget(u"kifu", links), links.donationPage);
    EXPECT_EQ(resolveLinkTarget(u"feedback", links), links.feedbackPage);
    EXPECT_EQ(resolveLinkTarget(u"https://other.test/", links), u"https://other.test/");
    links.donationPage.clear();
    EXPECT_EQ(resolveLinkTarget(u"kifu", links), u"kifu");
}

TEST(AboutLinks, RecoversAddressesCutByTheLinkControl) {
    AboutLinks links = webLinks();
    links.homePage = u"https://example.test/a/very/long/path/to/the/home/page.html";
    links.contact = u"someone.with.a.long.name@mail.example.test.invalid";
    const auto cut = [](const std::u16string& s) { return s.substr(0, kMaxLinkIdLength); };
    EXPECT_EQ(resolveLinkTarget(cut(links.homePage), links), links.homePage);
    EXPECT_EQ(resolveLinkTarget(cut(contactLinkId(links.contact)), links),
              contactLinkId(links.contact));
    // A shorter id is never stretched to a longer address.
    EXPECT_EQ(resolveLinkTarget(links.homePage.substr(0, 20), links), links.homePage.substr(0, 20));
}

// Each copy result has its message; a refused set alone comes with the
// information icon.
TEST(ClipboardCopy, EveryResultHasItsMessage) {
    struct Case {
        ClipboardResult result;
        AboutText text;
        bool error;
    };
    const Case cases[] = {
        {ClipboardResult::Done, AboutText::ClipboardDone, false},
        {ClipboardResult::OpenFailed, AboutText::ClipboardOpenFailed, true},
        {ClipboardResult::OutOfMemory, AboutText::ClipboardOutOfMemory, true},
        {ClipboardResult::LockFailed, AboutText::ClipboardLockFailed, true},
        {ClipboardResult::EmptyFailed, AboutText::ClipboardEmptyFailed, true},
        {ClipboardResult::SetFailed, AboutText::ClipboardSetFailed, false},
    };
    for (const Case& c : cases) {
        const auto msg = clipboardMessage(c.result);
        EXPECT_EQ(msg.text, c.text) << static_cast<int>(c.result);
        EXPECT_EQ(msg.error, c.error) << static_cast<int>(c.result);
    }
}

} // namespace
} // namespace tapwell::about
