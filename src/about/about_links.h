// The web links of the About box: the links text, the contact kind and which
// address a clicked link opens.
#pragma once

#include <string>
#include <string_view>

namespace tapwell::about {

struct AboutLinks {
    std::u16string homePage;
    std::u16string contact; // a web address, or an e-mail address
    std::u16string donationPage;
    std::u16string feedbackPage;
    std::u16string extraText;
};

// A contact that is not a web address ("http://" or "https://") is an e-mail
// address. An empty contact is neither.
bool isEmailContact(std::u16string_view contact);

// The link id of the contact: "mailto:" + address for e-mail.
std::u16string contactLinkId(std::u16string_view contact);

std::u16string composeLinksText(const AboutLinks& links, bool japanese);

// Link ids longer than this are cut by the link control.
inline constexpr std::size_t kMaxLinkIdLength = 47;

// "kifu" and "feedback" open their pages when given; an id cut by the link
// control is matched back to the address it came from; any other id is the
// address itself.
std::u16string resolveLinkTarget(std::u16string_view id, const AboutLinks& links);

} // namespace tapwell::about
