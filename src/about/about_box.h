// The About box without the platform: every text it shows in both languages,
// its controls and dialog template, its web links and the message after the
// clipboard copy of the environment report, so that every one can be checked
// without a desktop. The dialog itself is in about_box_win32.
#pragma once

#include "about/dialog_template.h"
#include "common/clipboard.h"
#include "common/language.h"
#include "common/leaf_helpers.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tapwell::about {

// ---- Texts ------------------------------------------------------------------

enum class AboutText {
    DialogTitle,
    FontFace,
    FeedbackLink,
    ContributionLink,
    Close,
    EnvironmentButton,
    WebSiteLabel,
    ContactLabel,
    EmailLabel,
    MailFilterNote, // Japanese only
    BrowserFailed,  // Japanese: "%s" is the address
    ReportPrompt,
    ReportCaption,
    ClipboardDone,
    ClipboardOpenFailed,
    ClipboardOutOfMemory,
    ClipboardLockFailed,
    ClipboardEmptyFailed,
    ClipboardSetFailed,
    Description,
};

using AboutTextEntry = TextEntry<AboutText>;

std::u16string_view aboutText(AboutText id, Language language);
std::span<const AboutTextEntry> aboutTextTable();

// Point size of the dialog font: 8 in English, 9 in Japanese.
std::uint16_t aboutFontPointSize(Language language);

// "Cannot open a browser." / "<address>を開けませんでした。…"
std::u16string browserFailedText(std::u16string_view address, Language language);

std::span<const TooltipEntry> aboutTooltips(Language language);

// ---- Controls and template --------------------------------------------------

inline constexpr std::uint16_t kIdClose = 2;
inline constexpr std::uint16_t kIdVersion = 2002;
inline constexpr std::uint16_t kIdLinks = 2003;
inline constexpr std::uint16_t kIdDescription = 2004;
inline constexpr std::uint16_t kIdEnvironment = 2005;
inline constexpr std::uint16_t kIdContribution = 2006;
inline constexpr std::uint16_t kIdIcon = 2007;
inline constexpr std::uint16_t kIdFeedback = 2009;

// The dialog in the given language. The long texts (version, links,
// description) are set after creation; `iconText` ("#" and the id) names the icon
// resource and must outlive the returned description.
TemplateDialog aboutDialog(Language language, std::u16string_view iconText);

// "#<id>", the icon control's resource name.
std::u16string iconResourceName(int iconId);

std::optional<TemplateBlock> buildAboutTemplate(Language language, int iconId);

// ---- Web links --------------------------------------------------------------

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

std::u16string composeLinksText(const AboutLinks& links, Language language);

// Link ids longer than this are cut by the link control.
inline constexpr std::size_t kMaxLinkIdLength = 47;

// "kifu" and "feedback" open their pages when given; an id cut by the link
// control is matched back to the address it came from; any other id is the
// address itself.
std::u16string resolveLinkTarget(std::u16string_view id, const AboutLinks& links);

// ---- Clipboard copy of the report -------------------------------------------

// The message after copying the report (common/clipboard.h does the steps).
struct ClipboardMessage {
    AboutText text;
    bool error; // error icon, else information icon
};

ClipboardMessage clipboardMessage(ClipboardResult result);

} // namespace tapwell::about
