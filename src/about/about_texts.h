// Every user-visible text of the About box, in both languages.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tapwell::about {

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

struct AboutTextEntry {
    AboutText id;
    std::u16string_view english;
    std::u16string_view japanese;
};

std::u16string_view aboutText(AboutText id, bool japanese);
std::span<const AboutTextEntry> aboutTextTable();

// Point size of the dialog font: 8 in English, 9 in Japanese.
std::uint16_t aboutFontPointSize(bool japanese);

// "Cannot open a browser." / "<address>を開けませんでした。…"
std::u16string browserFailedText(std::u16string_view address, bool japanese);

struct TooltipEntry {
    int controlId;
    std::u16string_view text;
};

std::span<const TooltipEntry> aboutTooltips(bool japanese);

} // namespace tapwell::about
