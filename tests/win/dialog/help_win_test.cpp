// Finding the HTML help library once, by registration or by name.
#include "dialog/help_win32.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

using namespace tapwell;

TEST(HelpLibrary, FoundByNameWhenTheRegisteredPathIsWrong) {
    HelpLibraryState state;
    HelpEntry entry = ensureHelpEntry(state, L"C:\\no\\such\\hhctrl.ocx");
    ASSERT_NE(entry, nullptr);
    EXPECT_NE(state.library, nullptr);
    EXPECT_FALSE(state.failed);
}

TEST(HelpLibrary, LoadedOnlyOnce) {
    HelpLibraryState state;
    HelpEntry first = ensureHelpEntry(state, registeredHelpControlPath());
    ASSERT_NE(first, nullptr);
    HMODULE library = state.library;
    EXPECT_EQ(ensureHelpEntry(state, L"C:\\no\\such\\hhctrl.ocx"), first);
    EXPECT_EQ(state.library, library);
}

TEST(HelpLibrary, RegisteredControlIsTheSameLibrary) {
    std::wstring registered = registeredHelpControlPath();
    if (registered.empty())
        GTEST_SKIP() << "help control not registered here";
    HelpLibraryState byRegistration, byName;
    ensureHelpEntry(byRegistration, registered);
    ensureHelpEntry(byName, L"");
    EXPECT_EQ(byRegistration.library, byName.library);
}

TEST(HelpLibrary, AfterAFailureNothingIsTried) {
    HelpLibraryState state;
    state.failed = true;
    EXPECT_EQ(ensureHelpEntry(state, registeredHelpControlPath()), nullptr);
    EXPECT_EQ(state.library, nullptr);
}

TEST(HelpLibrary, MissingEntryPointIsRemembered) {
    HelpLibraryState state;
    state.library = GetModuleHandleW(nullptr); // the test program exports nothing
    EXPECT_EQ(ensureHelpEntry(state, L""), nullptr);
    EXPECT_TRUE(state.failed);
    EXPECT_EQ(ensureHelpEntry(state, L""), nullptr);
}

namespace {

// The compiled help file of this build, handed over by CTest.
std::wstring builtHelpFile() {
    const char* path = std::getenv("TAPWELL_TEST_CHM");
    if (!path || !*path)
        return {};
    std::wstring w;
    if (path[0] == '/')
        w = L"Z:"; // the build machine's root as Wine shows it
    for (const char* p = path; *p; ++p)
        w.push_back(*p == '/' ? L'\\' : static_cast<wchar_t>(*p));
    return w;
}

} // namespace

TEST(HelpLibrary, OpensTopicsOfTheHelpFileInTheCurrentFolder) {
    std::wstring chm = builtHelpFile();
    if (chm.empty())
        GTEST_SKIP() << "no help file given";
    wchar_t tmp[MAX_PATH], saved[MAX_PATH];
    GetTempPathW(MAX_PATH, tmp);
    GetCurrentDirectoryW(MAX_PATH, saved);
    std::wstring dir =
        std::wstring(tmp) + L"tapwell-help-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(dir.c_str(), nullptr);
    std::wstring copy = dir + L"\\tapwell.chm";
    ASSERT_TRUE(CopyFileW(chm.c_str(), copy.c_str(), FALSE));
    SetCurrentDirectoryW(dir.c_str());

    EXPECT_TRUE(OpenHelpTopic(nullptr, L"HLP000005.html", Language::Japanese));
    HMODULE library = helpLibraryState().library;
    EXPECT_NE(library, nullptr);
    EXPECT_TRUE(OpenHelpTopic(nullptr, L"HLP000024.html", Language::Japanese));
    EXPECT_TRUE(OpenHelpTopic(nullptr, L"HLP000024.html", Language::English));
    EXPECT_EQ(helpLibraryState().library, library);
    if (helpLibraryState().entry)
        helpLibraryState().entry(nullptr, nullptr, 0x12 /* close all */, 0);

    SetCurrentDirectoryW(saved);
    DeleteFileW(copy.c_str());
    RemoveDirectoryW(dir.c_str());
}

namespace {

struct ViewerStart {
    std::wstring program;
    std::wstring parameter;
};

std::vector<ViewerStart> g_viewerStarts;
bool g_viewerStartsSucceed = true;

bool recordViewerStart(const std::wstring& program, const std::wstring& parameter) {
    g_viewerStarts.push_back({program, parameter});
    return g_viewerStartsSucceed;
}

std::vector<std::wstring> g_loaded;

// Records the path and loads nothing, so every candidate is tried.
HMODULE recordingLoader(const wchar_t* path) {
    g_loaded.push_back(path);
    return nullptr;
}

std::wstring systemHelpControl() {
    wchar_t dir[MAX_PATH] = {};
    GetSystemDirectoryW(dir, MAX_PATH);
    return std::wstring(dir) + L"\\hhctrl.ocx";
}

} // namespace

TEST(HelpViewer, CommandLineHelpOpensTheTopicOfTheInterfacesLanguage) {
    g_viewerStarts.clear();
    g_viewerStartsSucceed = true;
    HelpViewerStarter previous = setHelpViewerStarter(recordViewerStart);
    EXPECT_TRUE(launchHelpViewer(Language::Japanese));
    EXPECT_TRUE(launchHelpViewer(Language::English));
    g_viewerStartsSucceed = false;
    EXPECT_FALSE(launchHelpViewer(Language::English)) << "the caller reports the failure";
    setHelpViewerStarter(previous);

    ASSERT_EQ(g_viewerStarts.size(), 3u);
    EXPECT_EQ(g_viewerStarts[0].parameter, L"tapwell.chm::/_RESOURCE/HLP000012.html");
    EXPECT_EQ(g_viewerStarts[1].parameter, L"tapwell.chm::/_RESOURCE/en/HLP000012.html");
    wchar_t windows[MAX_PATH] = {};
    GetSystemWindowsDirectoryW(windows, MAX_PATH);
    EXPECT_EQ(g_viewerStarts[0].program, std::wstring(windows) + L"\\hh.exe");
    EXPECT_EQ(g_viewerStarts[1].program, g_viewerStarts[0].program);
}

TEST(HelpLibrary, LoadsTheRegisteredPathThenTheSystemCopyByFullPathOnly) {
    g_loaded.clear();
    HelpLibraryState state;
    state.loadLibrary = recordingLoader;
    EXPECT_EQ(ensureHelpEntry(state, L"C:\\Help\\hhctrl.ocx"), nullptr);
    EXPECT_TRUE(state.failed);
    ASSERT_EQ(g_loaded.size(), 2u);
    EXPECT_EQ(g_loaded[0], L"C:\\Help\\hhctrl.ocx");
    EXPECT_EQ(g_loaded[1], systemHelpControl());
}

TEST(HelpLibrary, ARegisteredNameWithoutAFolderIsNeverSearchedFor) {
    for (const wchar_t* registered : {L"hhctrl.ocx", L"help\\hhctrl.ocx", L""}) {
        g_loaded.clear();
        HelpLibraryState state;
        state.loadLibrary = recordingLoader;
        ensureHelpEntry(state, registered);
        ASSERT_EQ(g_loaded.size(), 1u) << registered;
        EXPECT_EQ(g_loaded[0], systemHelpControl());
    }
}
