#include "about/about_links.h"

#include "about/about_texts.h"

namespace tapwell::about {

namespace {

bool startsWithNoCase(std::u16string_view s, std::u16string_view prefix) {
    if (s.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char16_t c = s[i];
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c + 32);
        if (c != prefix[i])
            return false;
    }
    return true;
}

void appendLink(std::u16string& out, std::u16string_view id, std::u16string_view text) {
    out += u"  <a id=\"";
    out += id;
    out += u"\">";
    out += text;
    out += u"</a>";
}

} // namespace

bool isEmailContact(std::u16string_view contact) {
    return !contact.empty() && !startsWithNoCase(contact, u"http://") &&
           !startsWithNoCase(contact, u"https://");
}

std::u16string contactLinkId(std::u16string_view contact) {
    std::u16string id = isEmailContact(contact) ? u"mailto:" : u"";
    id += contact;
    return id;
}

std::u16string composeLinksText(const AboutLinks& links, bool japanese) {
    std::u16string out;
    if (!links.homePage.empty())
        out += aboutText(AboutText::WebSiteLabel, japanese);
    out += u"\r\n";
    appendLink(out, links.homePage, links.homePage);
    out += u"\r\n\r\n";
    if (!links.contact.empty())
        out += aboutText(isEmailContact(links.contact) ? AboutText::EmailLabel
                                                       : AboutText::ContactLabel,
                         japanese);
    out += u"\r\n";
    appendLink(out, contactLinkId(links.contact), links.contact);
    out += u"\r\n\r\n";
    if (japanese && !links.contact.empty())
        out += aboutText(AboutText::MailFilterNote, true);
    out += u"\r\n";
    out += links.extraText;
    return out;
}

std::u16string resolveLinkTarget(std::u16string_view id, const AboutLinks& links) {
    if (id == u"kifu" && !links.donationPage.empty())
        return links.donationPage;
    if (id == u"feedback" && !links.feedbackPage.empty())
        return links.feedbackPage;
    if (id.size() == kMaxLinkIdLength) {
        for (const std::u16string& full : {links.homePage, contactLinkId(links.contact)}) {
            if (full.size() > id.size() && std::u16string_view(full).substr(0, id.size()) == id)
                return full;
        }
    }
    return std::u16string(id);
}

} // namespace tapwell::about
