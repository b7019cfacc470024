// The About box's dialog procedure, its theming with its own dark flag and
// brush, and the main program's entry.
#include "about/about_box_win32.h"

#include "about/about_box.h"
#include "common/windows_glue_win32.h"
#include "resource.h"
#include "theme/theme_rules.h"
#include "theme/theme_win32.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>

namespace tapwell::about {

namespace {

// ---- Theming, with the box's own flag ---------------------------------------

// Only the GUI thread touches the box.
bool g_aboutDark = false;

void applyThemeChanged(HWND box, HWND tooltip) {
    theme::setImmersiveDarkMode(box, g_aboutDark);
    theme::applyAboutChildStyles(box, g_aboutDark);
    if (tooltip)
        theme::themeTooltipWindow(tooltip, g_aboutDark);
}

bool readAboutDarkFlag() {
    g_aboutDark = theme::darkFlagFromAppsUseLightTheme(theme::readAppsUseLightTheme());
    return g_aboutDark;
}

bool handleAboutThemeMessage(HWND box, HWND tooltip, UINT msg, WPARAM wParam, LPARAM lParam,
                             INT_PTR& result) {
    if (theme::handleColorMessage(box, msg, wParam, lParam, g_aboutDark, result))
        return true;
    switch (msg) {
    case WM_THEMECHANGED:
        applyThemeChanged(box, tooltip);
        return false;
    case WM_SETTINGCHANGE:
        if (theme::settingChangeNamesColorSet(reinterpret_cast<const char16_t*>(lParam))) {
            readAboutDarkFlag();
            theme::setImmersiveDarkMode(box, g_aboutDark);
            InvalidateRect(box, nullptr, TRUE);
        }
        applyThemeChanged(box, tooltip);
        RedrawWindow(box, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        result = g_aboutDark ? TRUE : FALSE;
        return true;
    default:
        return false;
    }
}

// ---- The dialog -------------------------------------------------------------

constexpr UINT_PTR kLinkTimer = 1;
constexpr UINT kLinkLockMs = 1000;
constexpr UINT_PTR kSelectAllSubclassId = 1;

struct AboutState {
    const EnvoAboutInfo* info = nullptr;
    Language language = Language::English;
    AboutLinks links;
    std::u16string title;
    std::u16string versionText;
    std::wstring tempFile;
    HWND tooltip = nullptr;
    bool linksLocked = false;
    HWND focusBeforeLock = nullptr;
};

AboutState* stateOf(HWND box) {
    return reinterpret_cast<AboutState*>(GetWindowLongPtrW(box, DWLP_USER));
}

int showMessage(const AboutState& s, HWND owner, const wchar_t* text, const wchar_t* caption,
                UINT flags) {
    if (s.info->messageFunction)
        return s.info->messageFunction(owner, text, caption, flags);
    return MessageBoxW(owner, text, caption, flags);
}

int plainMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags) {
    return MessageBoxW(owner, text, caption, flags);
}

// Ctrl+A in the description selects everything.
LRESULT CALLBACK descriptionProc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                 DWORD_PTR) {
    if (msg == WM_CHAR && wParam == 1) {
        SendMessageW(edit, EM_SETSEL, 0, -1);
        return 0;
    }
    if (msg == WM_NCDESTROY)
        RemoveWindowSubclass(edit, descriptionProc, id);
    return DefSubclassProc(edit, msg, wParam, lParam);
}

std::wstring tempFileName() {
    wchar_t dir[MAX_PATH + 1];
    const DWORD n = GetTempPathW(MAX_PATH + 1, dir);
    std::wstring path = n > 0 && n <= MAX_PATH ? std::wstring(dir, n) : std::wstring(L".\\");
    path += L"ENVO32LIB_TEMP.TXT";
    return path;
}

void initialise(HWND box, AboutState& s) {
    const EnvoAboutInfo& info = *s.info;
    if (info.windowOut)
        *info.windowOut = box;

    s.versionText = composeVersionText(s.title, readExecutableVersionStrings(), s.language);
    SetDlgItemTextW(box, kIdVersion, wide(s.versionText));

    const std::u16string links = composeLinksText(s.links, s.language);
    SetDlgItemTextW(box, kIdLinks, wide(links));

    SetDlgItemTextW(box, kIdDescription, info.description ? info.description : L"");
    SetWindowSubclass(GetDlgItem(box, kIdDescription), descriptionProc, kSelectAllSubclassId, 0);

    if (s.links.feedbackPage.empty())
        ShowWindow(GetDlgItem(box, kIdFeedback), SW_HIDE);
    if (s.links.donationPage.empty()) {
        ShowWindow(GetDlgItem(box, kIdContribution), SW_HIDE);
        SetFocus(GetDlgItem(box, kIdClose));
    } else {
        SetFocus(GetDlgItem(box, kIdContribution));
    }

    for (int id : {kIdLinks, kIdContribution, kIdFeedback})
        subclassLinkForDarkPainting(GetDlgItem(box, id), aboutDarkMode, darkBrush);
    s.tooltip = createTooltips(box, GetModuleHandleW(nullptr), aboutTooltips(s.language));
    s.tempFile = tempFileName();
    SendMessageW(box, WM_THEMECHANGED, 0, 0);
}

constexpr int kLockedControls[] = {kIdEnvironment, kIdContribution, kIdFeedback};

void lockLinks(HWND box, AboutState& s) {
    s.linksLocked = true;
    s.focusBeforeLock = GetFocus();
    for (int id : kLockedControls)
        EnableWindow(GetDlgItem(box, id), FALSE);
    SetTimer(box, kLinkTimer, kLinkLockMs, nullptr);
}

void unlockLinks(HWND box, AboutState& s) {
    KillTimer(box, kLinkTimer);
    for (int id : kLockedControls)
        EnableWindow(GetDlgItem(box, id), TRUE);
    s.linksLocked = false;
    // A disabled control loses the focus; give it back so the keyboard works.
    if (!GetFocus() && s.focusBeforeLock && IsWindow(s.focusBeforeLock))
        SetFocus(s.focusBeforeLock);
}

INT_PTR openWithShell(HWND owner, const wchar_t* address) {
    const std::wstring& dir = systemDirectory();
    return reinterpret_cast<INT_PTR>(ShellExecuteW(
        owner, L"open", address, nullptr, dir.empty() ? nullptr : dir.c_str(), SW_SHOWNORMAL));
}

void openLink(HWND box, AboutState& s, const wchar_t* id) {
    // Every link activation within the lock is dropped, including the links
    // text, which stays enabled.
    if (s.linksLocked)
        return;
    lockLinks(box, s);
    const std::u16string target = resolveLinkTarget(fromWide(id), s.links);
    const AboutLinkOpener opener = s.info->linkOpener ? s.info->linkOpener : openWithShell;
    if (opener(box, wide(target)) <= 32) {
        const std::u16string text = browserFailedText(target, s.language);
        showMessage(s, box, wide(text), wide(s.title), MB_ICONERROR);
    }
}

bool isLinkControl(UINT_PTR id) {
    return id == kIdLinks || id == kIdContribution || id == kIdFeedback;
}

void destroy(HWND box, AboutState& s) {
    KillTimer(box, kLinkTimer);
    if (!s.tempFile.empty() && GetFileAttributesW(s.tempFile.c_str()) != INVALID_FILE_ATTRIBUTES)
        DeleteFileW(s.tempFile.c_str());
    if (s.info->windowOut)
        *s.info->windowOut = nullptr;
}

INT_PTR CALLBACK aboutProc(HWND box, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(box, DWLP_USER, lParam);
        initialise(box, *reinterpret_cast<AboutState*>(lParam));
        return FALSE; // the focus is set
    }
    AboutState* s = stateOf(box);
    if (!s)
        return FALSE;
    INT_PTR result = 0;
    if (handleAboutThemeMessage(box, s->tooltip, msg, wParam, lParam, result))
        return result;

    switch (msg) {
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
        case kIdClose:
            EndDialog(box, 0);
            return TRUE;
        case kIdEnvironment: {
            wchar_t version[512] = {};
            GetDlgItemTextW(box, kIdVersion, version, 512);
            showEnvironmentInformation(box, fromWide(version), s->language, g_aboutDark,
                                       s->info->messageFunction ? s->info->messageFunction
                                                                : plainMessageBox);
            return TRUE;
        }
        }
        break;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if ((header->code == NM_CLICK || header->code == NM_RETURN) &&
            isLinkControl(header->idFrom)) {
            const auto* link = reinterpret_cast<const NMLINK*>(lParam);
            openLink(box, *s, link->item.szID);
            return TRUE;
        }
        break;
    }
    case WM_TIMER:
        if (wParam == kLinkTimer) {
            unlockLinks(box, *s);
            return TRUE;
        }
        break;
    case WM_DESTROY:
        destroy(box, *s);
        break;
    }
    return FALSE;
}

} // namespace

bool aboutDarkMode() {
    return g_aboutDark;
}

INT_PTR ShowEnvoAbout(const EnvoAboutInfo& info) {
    readAboutDarkFlag();
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LINK_CLASS | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);

    AboutState state;
    state.info = &info;
    state.language = info.language;
    state.title = fromWide(info.title);
    state.links = {fromWide(info.homePage), fromWide(info.contact), fromWide(info.donationPage),
                   fromWide(info.feedbackPage), fromWide(info.extraText)};

    const auto block = buildAboutTemplate(state.language, info.iconId);
    if (!block)
        return -1;
    return DialogBoxIndirectParamW(info.instance,
                                   reinterpret_cast<LPCDLGTEMPLATEW>(block->bytes.data()),
                                   info.owner, aboutProc, reinterpret_cast<LPARAM>(&state));
}

INT_PTR ShowAboutBox(HWND owner, HINSTANCE instance, Language language,
                     const wchar_t* programTitle) {
    // Views into literals are zero-terminated, so their data can be passed on.
    auto wide = [](std::u16string_view s) { return reinterpret_cast<const wchar_t*>(s.data()); };
    EnvoAboutInfo info;
    info.language = language;
    info.iconId = IDI_PROGRAM;
    info.instance = instance;
    info.owner = owner;
    info.title = programTitle;
    info.homePage = wide(kHomePage);
    info.contact = wide(kMailPage);
    info.donationPage = wide(kDonationPage);
    info.description = wide(aboutText(AboutText::Description, language));
    info.feedbackPage = wide(kFeedbackPage);
    info.messageFunction = ThemedMessageBox;
    return ShowEnvoAbout(info);
}

} // namespace tapwell::about
