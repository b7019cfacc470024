#include "about/about_links.h"
#include "about/about_texts.h"

#include <gtest/gtest.h>

namespace tapwell::about {
namespace {

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

} // namespace
} // namespace tapwell::about
