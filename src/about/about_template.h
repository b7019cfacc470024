// The About box's dialog: its controls and its template.
#pragma once

#include "about/dialog_template.h"

#include <optional>
#include <string>

namespace tapwell::about {

enum AboutControl : std::uint16_t {
    kIdClose = 2,
    kIdVersion = 2002,
    kIdLinks = 2003,
    kIdDescription = 2004,
    kIdEnvironment = 2005,
    kIdContribution = 2006,
    kIdIcon = 2007,
    kIdFeedback = 2009,
};

// The dialog in the given language. The long texts (version, links,
// description) are set after creation; `iconText` ("#130") names the icon
// resource and must outlive the returned description.
TemplateDialog aboutDialog(bool japanese, std::u16string_view iconText);

// "#<id>", the icon control's resource name.
std::u16string iconResourceName(int iconId);

std::optional<TemplateBlock> buildAboutTemplate(bool japanese, int iconId);

} // namespace tapwell::about
