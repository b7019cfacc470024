#include "about/environment_info_win32.h"

#include "about/about_texts.h"
#include "about/clipboard_win32.h"
#include "about/environment_report.h"
#include "about/system_info_win32.h"

namespace tapwell::about {

namespace {

const wchar_t* wide(const std::u16string& s) {
    return reinterpret_cast<const wchar_t*>(s.c_str());
}

} // namespace

void showEnvironmentInformation(HWND box, std::u16string_view versionText, bool japanese,
                                bool darkMode, AboutMessageFunction message) {
    const std::u16string report = appendClientSection(
        BuildEnvironmentReport(collectSystemInfo(darkMode), libraryBuildDate()), versionText);
    const std::u16string shown = report + u"\r\n------------------------\r\n" +
                                 std::u16string(aboutText(AboutText::ReportPrompt, japanese));
    const std::u16string caption(aboutText(AboutText::ReportCaption, japanese));
    if (message(box, wide(shown), wide(caption), MB_OKCANCEL) != IDOK)
        return;

    Win32Clipboard clipboard;
    const ClipboardMessage result = clipboardMessage(copyToClipboard(clipboard, report));
    const std::u16string text(aboutText(result.text, japanese));
    message(box, wide(text), wide(caption), result.error ? MB_ICONERROR : MB_ICONINFORMATION);
}

} // namespace tapwell::about
