#include "about/show_about_box_win32.h"

#include "about/about_box_win32.h"
#include "about/about_texts.h"
#include "theme/theme_win32.h"

#include <string>

namespace tapwell::about {

INT_PTR ShowAboutBox(HWND owner, HINSTANCE instance, bool japanese, const wchar_t* programTitle) {
    // Views into literals are zero-terminated, so their data can be passed on.
    auto wide = [](std::u16string_view s) { return reinterpret_cast<const wchar_t*>(s.data()); };
    EnvoAboutInfo info;
    info.language = japanese ? 1 : 0;
    info.iconId = kProgramIconId;
    info.instance = instance;
    info.owner = owner;
    info.title = programTitle;
    info.homePage = wide(kHomePage);
    info.contact = wide(kMailPage);
    info.donationPage = wide(kDonationPage);
    info.description = wide(aboutText(AboutText::Description, japanese));
    info.feedbackPage = wide(kFeedbackPage);
    info.messageFunction = ThemedMessageBox;
    return ShowEnvoAbout(info);
}

} // namespace tapwell::about
