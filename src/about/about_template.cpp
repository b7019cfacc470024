#include "about/about_template.h"

#include "about/about_texts.h"
#include "about/text_format.h"

namespace tapwell::about {

TemplateDialog aboutDialog(bool japanese, std::u16string_view iconText) {
    using namespace style;
    constexpr std::uint32_t kChildVisible = kChild | kVisible;
    TemplateDialog d;
    d.style = kPopup | kCaption | kSysMenu | kDsModalFrame | kDsCenter | kDsSetFont;
    d.cx = 239;
    d.cy = 261;
    d.title = aboutText(AboutText::DialogTitle, japanese);
    d.pointSize = aboutFontPointSize(japanese);
    d.fontFace = aboutText(AboutText::FontFace, japanese);
    d.controls = {
        {kIdFeedback, ControlClass::Named, u"SysLink", kChildVisible | kTabStop, 0, 42, 145, 70, 10,
         aboutText(AboutText::FeedbackLink, japanese)},
        {kIdContribution, ControlClass::Named, u"SysLink", kChildVisible | kTabStop, 0, 126, 145,
         96, 10, aboutText(AboutText::ContributionLink, japanese)},
        {kIdDescription,
         ControlClass::Edit,
         {},
         kChildVisible | kEsMultiline | kEsReadOnly | kVScroll | kTabStop,
         kExClientEdge,
         7,
         156,
         225,
         80,
         {}},
        {kIdClose,
         ControlClass::Button,
         {},
         kChildVisible | kBsDefPushButton | kTabStop,
         0,
         7,
         240,
         50,
         14,
         aboutText(AboutText::Close, japanese)},
        {kIdEnvironment,
         ControlClass::Button,
         {},
         kChildVisible | kBsPushButton | kTabStop,
         0,
         60,
         240,
         172,
         14,
         aboutText(AboutText::EnvironmentButton, japanese)},
        {kIdIcon, ControlClass::Static, {}, kChildVisible | kSsIcon, 0, 7, 7, 32, 32, iconText},
        {kIdVersion,
         ControlClass::Edit,
         {},
         kChildVisible | kEsMultiline | kEsReadOnly | kTabStop,
         0,
         35,
         7,
         197,
         37,
         {}},
        {kIdLinks,
         ControlClass::Named,
         u"SysLink",
         kChildVisible | kTabStop,
         0,
         7,
         46,
         225,
         98,
         {}},
    };
    return d;
}

std::u16string iconResourceName(int iconId) {
    std::u16string name = u"#";
    appendSigned(name, iconId);
    return name;
}

std::optional<TemplateBlock> buildAboutTemplate(bool japanese, int iconId) {
    const std::u16string icon = iconResourceName(iconId);
    return buildDialogTemplate(aboutDialog(japanese, icon));
}

} // namespace tapwell::about
