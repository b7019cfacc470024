#include "dialog/help_win32.h"

#include "common/windows_glue_win32.h"
#include "dialog/help_topics.h"

#include <shellapi.h>

namespace tapwell {

namespace {

constexpr wchar_t kHelpControlServerKey[] =
    L"CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";
constexpr UINT kDisplayTopic = 0;
constexpr WORD kWideHelpOrdinal = 15;

// "C:\..." or "\\server\..."; anything else would be searched for.
bool isFullPath(const std::wstring& path) {
    const bool drive = path.size() >= 3 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/');
    const bool unc = path.size() >= 3 && path[0] == L'\\' && path[1] == L'\\';
    return drive || unc;
}

} // namespace

HelpLibraryState& helpLibraryState() {
    static HelpLibraryState state;
    return state;
}

std::wstring registeredHelpControlPath() {
    HKEY key;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, kHelpControlServerKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return {};
    wchar_t value[MAX_PATH] = {};
    DWORD type = 0;
    DWORD bytes = sizeof value - sizeof(wchar_t); // room for a terminator
    LONG rc =
        RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &bytes);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS)
        return {};
    value[bytes / sizeof(wchar_t)] = L'\0';
    if (type == REG_SZ)
        return value;
    if (type == REG_EXPAND_SZ) {
        wchar_t expanded[MAX_PATH];
        DWORD n = ExpandEnvironmentStringsW(value, expanded, MAX_PATH);
        if (n == 0 || n > MAX_PATH)
            return {};
        return expanded;
    }
    return {};
}

HelpEntry ensureHelpEntry(HelpLibraryState& state, const std::wstring& registeredPath) {
    if (state.failed)
        return nullptr;
    if (!state.library && isFullPath(registeredPath))
        state.library = state.loadLibrary(registeredPath.c_str());
    if (!state.library && !systemDirectory().empty()) {
        std::wstring path = systemDirectory();
        if (path.back() != L'\\')
            path += L'\\';
        path += L"hhctrl.ocx";
        state.library = state.loadLibrary(path.c_str());
    }
    if (!state.library) {
        state.failed = true;
        return nullptr;
    }
    if (!state.entry) {
        state.entry = reinterpret_cast<HelpEntry>(reinterpret_cast<void*>(
            GetProcAddress(state.library, MAKEINTRESOURCEA(kWideHelpOrdinal))));
        if (!state.entry) {
            state.failed = true;
            return nullptr;
        }
    }
    return state.entry;
}

bool OpenHelpTopic(HWND owner, const wchar_t* topic, Language language) {
    HelpLibraryState& state = helpLibraryState();
    HelpEntry entry =
        state.entry
            ? state.entry
            : ensureHelpEntry(state, state.failed ? std::wstring() : registeredHelpControlPath());
    if (!entry)
        return false;
    std::u16string path = helpTopicPath(
        topic ? std::u16string_view(reinterpret_cast<const char16_t*>(topic)) : u"", language);
    return entry(owner, reinterpret_cast<const wchar_t*>(path.c_str()), kDisplayTopic, 0) !=
           nullptr;
}

namespace {

bool startWithShell(const std::wstring& program, const std::wstring& parameter) {
    auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", program.c_str(), parameter.c_str(), L".", SW_SHOWNORMAL));
    // Values up to 32 are the shell's error codes (32 itself: a missing DLL).
    return result > 32;
}

HelpViewerStarter g_startViewer = startWithShell;

} // namespace

HelpViewerStarter setHelpViewerStarter(HelpViewerStarter starter) {
    HelpViewerStarter previous = g_startViewer;
    g_startViewer = starter ? starter : startWithShell;
    return previous;
}

bool launchHelpViewer(Language language, WindowsFolderQuery windowsFolder) {
    // The viewer lives in the Windows directory (the system's, not a Remote
    // Desktop user's private one); naming it by full path keeps a program of
    // the same name beside the executable from being started, and without
    // that folder there is no safe name to start.
    wchar_t windowsDir[MAX_PATH] = {};
    const UINT n = windowsFolder(windowsDir, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return false;
    return g_startViewer(std::wstring(windowsDir) + L"\\hh.exe",
                         toWide(helpViewerParameter(language)));
}

} // namespace tapwell
