// tapwell.exe: start-up on Windows and the program's entry point.
#include "app/app_state.h"
#include "app/command_line.h"
#include "common/windows_glue_win32.h"
#include "dialog/help_win32.h"
#include "dialog/main_dialog.h"
#include "files/text_file.h"
#include "files/text_file_win32.h"
#include "quick/quick_type_win32.h"
#include "settings/settings_stores_win32.h"
#include "theme/theme_win32.h"

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>
#include <stdlib.h>

#include <string>
#include <vector>

namespace tapwell {
namespace {

constexpr UINT kDropFilesMessage = 0x233;
constexpr UINT kCopyDataMessage = 0x4A;
constexpr UINT kCopyGlobalDataMessage = 0x49;
constexpr DWORD kMessageFilterAdd = 1;

void chooseLanguage(AppState& state) {
    std::optional<std::u16string> tpwLang = environmentVariable(u"TPW_LANG");
    Language language =
        chooseUiLanguage(tpwLang ? std::optional<std::u16string_view>(*tpwLang) : std::nullopt,
                         GetSystemDefaultLangID());
    setUiLanguage(state, language);
    REGW::setLanguage(language);
}

// The ini file is named by full path from here on; the help file is still
// found in the current folder, which a failed change leaves where it was.
void enterExecutableFolder(AppState& state) {
    const std::u16string module = fromWide(modulePath());
    state.iniFilePath = iniFileBeside(module);
    if (auto folder = executableFolder(module))
        SetCurrentDirectoryW(toWide(*folder).c_str());
}

void showStartupMessage(AppText text, UINT icon) {
    const AppState& state = appState();
    showAppMessage(nullptr, appText(text, state.language), state.programTitle, MB_OK | icon);
}

int openCommandLineHelp() {
    if (launchHelpViewer(appState().language))
        return 0;
    showStartupMessage(AppText::HelpViewerFailed, MB_ICONERROR);
    return 1;
}

int copySettingsBetweenStores(bool fromIni) {
    CopySettings(fromIni, !fromIni);
    showStartupMessage(fromIni ? AppText::CopiedIniToRegistry : AppText::CopiedRegistryToIni,
                       MB_ICONINFORMATION);
    return 0;
}

void allowDropsFromLowerIntegrity() {
    if (windowsVersionNumber() < 600)
        return;
    HMODULE user = loadSystemLibrary(L"user32.dll");
    if (!user)
        return;
    using FilterFn = BOOL(WINAPI*)(UINT, DWORD);
    auto filter = reinterpret_cast<FilterFn>(
        reinterpret_cast<void*>(GetProcAddress(user, "ChangeWindowMessageFilter")));
    if (filter) {
        filter(kDropFilesMessage, kMessageFilterAdd);
        filter(kCopyDataMessage, kMessageFilterAdd);
        filter(kCopyGlobalDataMessage, kMessageFilterAdd);
    }
    FreeLibrary(user);
}

class ComApartment {
  public:
    ComApartment() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (initialised_)
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    bool initialised_;
};

// The text of a file named on the command line (any encoding, as the File
// menu reads it), or nullopt when it cannot be read. Needs COM.
std::optional<std::u16string> readCommandLineFile(std::u16string_view path) {
    std::u16string text;
    if (ReadTextFile(toWide(path), text) != FileResult::Ok)
        return std::nullopt;
    return text;
}

// The whole run of the program: language, current directory, the one-shot
// command lines, the switches, the settings, then the main dialog. Returns the
// process exit code (0, or 1 after a start-up error that was shown).
int RunApplication(HINSTANCE instance, const wchar_t* commandLine,
                   const std::vector<std::u16string>& arguments) {
    AppState& state = appState();
    ReadDarkModeSetting(instance);
    PrepareDarkMenus();
    chooseLanguage(state);
    enterExecutableFolder(state);

    switch (oneShotMode(fromWide(commandLine ? commandLine : L""))) {
    case OneShotMode::Help:
        return openCommandLineHelp();
    case OneShotMode::IniToRegistry:
        return copySettingsBetweenStores(true);
    case OneShotMode::RegistryToIni:
        return copySettingsBetweenStores(false);
    case OneShotMode::None:
        break;
    }

    ComApartment com;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_UPDOWN_CLASS | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    CommandLineText fromCommandLine;
    switch (parseArguments(arguments, readCommandLineFile, fromCommandLine)) {
    case CommandLineError::FileUnreadable:
        showStartupMessage(AppText::CommandLineFileUnreadable, MB_ICONERROR);
        return 1;
    case CommandLineError::TextAndFile:
        showStartupMessage(AppText::TextAndFileTogether, MB_ICONERROR);
        return 1;
    case CommandLineError::None:
        break;
    }
    state.UseIniFile = fromCommandLine.useIniFile;
    state.InputText = std::move(fromCommandLine.inputText);
    state.textFromT = fromCommandLine.textFromT;
    state.textFromF = fromCommandLine.textFromF;

    if (isIniExecutableName(fromWide(modulePath())))
        state.UseIniFile = true;

    LoadSettings();
    // A script cannot be given on the command line: its text is typed instead.
    if (state.autoRun() && state.settings.iInputMode == InputMode::Script)
        state.settings.iInputMode = InputMode::Unicode;

    // With the icon on, the program lives on in the notification area; a
    // second start brings it back rather than opening another.
    if (!state.autoRun() && state.settings.iTrayIcon && showRunningInstance())
        return 0;

    allowDropsFromLowerIntegrity();
    runMainDialog(instance);
    releaseDarkBrush();
    return 0;
}

// The runtime's split of the command line, without the program name.
std::vector<std::u16string> commandLineArguments() {
    std::vector<std::u16string> args;
    int argc = __argc;
    wchar_t** argv = __wargv;
    LPWSTR* own = nullptr;
    if (!argv) {
        own = CommandLineToArgvW(GetCommandLineW(), &argc);
        argv = own;
    }
    for (int i = 1; argv && i < argc; ++i) {
        std::wstring_view a(argv[i]);
        args.emplace_back(a.begin(), a.end());
    }
    if (own)
        LocalFree(own);
    return args;
}

} // namespace
} // namespace tapwell

// tapwell.exe's entry.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    return tapwell::RunApplication(instance, commandLine, tapwell::commandLineArguments());
}
