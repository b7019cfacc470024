// The HTML help library, found once and by full path only, and the viewer
// that "/?" starts.
#include "dialog/help_topics.h"
#include "dialog/help_win32.h"
#include "support/win_driver.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace tapwell;

// What the stand-ins below were asked to load and start.
static std::vector<std::wstring> g_loaded, g_viewerStarts;

// The help file of this build, copied into the current folder, opens the
// pages of F1 and the Help items in both languages.
TEST(HelpLibrary, OpensThePagesOfTheHelpFileInTheCurrentFolder) {
    const char* chm = std::getenv("TAPWELL_TEST_CHM");
    if (!chm || !*chm)
        GTEST_SKIP() << "no help file given";
    const auto saved = std::filesystem::current_path();
    const std::wstring dir = e2e::makeScratchDir(L"help");
    ASSERT_TRUE(CopyFileW(e2e::hostPath(chm).c_str(), (dir + L"tapwell.chm").c_str(), FALSE));
    std::filesystem::current_path(dir);
    for (Language language : {Language::Japanese, Language::English})
        for (int command : {IDM_HELP, IDM_HELP_NOTATION, IDM_HELP_KEYCODES, IDM_HELP_SCRIPT}) {
            const char16_t* topic = helpTopicForCommand(command).value_or(u"").data();
            EXPECT_TRUE(OpenHelpTopic(nullptr, reinterpret_cast<const wchar_t*>(topic), language))
                << command;
        }
    helpLibraryState().entry(nullptr, nullptr, 0x12 /* close all */, 0);
    std::filesystem::current_path(saved);
    std::error_code held; // the help control may keep the file open
    std::filesystem::remove_all(dir, held);
}

// Only a registered full path is loaded; anything else would be searched
// for, so the system folder's copy is loaded by its full path instead.
TEST(HelpLibrary, LoadsTheRegisteredFullPathThenTheSystemCopy) {
    wchar_t dir[MAX_PATH] = {};
    GetSystemDirectoryW(dir, MAX_PATH);
    const std::wstring system = std::wstring(dir) + L"\\hhctrl.ocx";
    const struct {
        const wchar_t* registered;
        std::vector<std::wstring> loaded;
    } rows[] = {
        {L"C:\\Help\\hhctrl.ocx", {L"C:\\Help\\hhctrl.ocx", system}},
        {L"hhctrl.ocx", {system}},
        {L"", {system}},
    };
    for (const auto& row : rows) {
        g_loaded.clear();
        HelpLibraryState state;
        state.loadLibrary = [](const wchar_t* path) -> HMODULE {
            g_loaded.push_back(path);
            return nullptr; // so that every candidate is tried
        };
        EXPECT_EQ(ensureHelpEntry(state, row.registered), nullptr);
        EXPECT_TRUE(state.failed);
        EXPECT_EQ(g_loaded, row.loaded) << row.registered;
        EXPECT_EQ(ensureHelpEntry(state, row.registered), nullptr);
        EXPECT_EQ(g_loaded.size(), row.loaded.size()) << "after a failure nothing is tried";
    }
}

TEST(HelpViewer, CommandLineHelpOpensTheTopicOfTheInterfacesLanguage) {
    HelpViewerStarter previous =
        setHelpViewerStarter([](const std::wstring& program, const std::wstring& parameter) {
            g_viewerStarts.push_back(program + L" " + parameter);
            return g_viewerStarts.size() < 3;
        });
    EXPECT_TRUE(launchHelpViewer(Language::Japanese));
    EXPECT_TRUE(launchHelpViewer(Language::English));
    EXPECT_FALSE(launchHelpViewer(Language::English)) << "the caller reports the failure";
    // Without the Windows folder nothing is started: a bare "hh.exe" would
    // be searched for, beside the executable first.
    const std::size_t starts = g_viewerStarts.size();
    EXPECT_FALSE(launchHelpViewer(Language::English, [](LPWSTR, UINT) -> UINT { return 0; }));
    EXPECT_FALSE(
        launchHelpViewer(Language::English, [](LPWSTR, UINT size) -> UINT { return size + 10; }));
    EXPECT_EQ(g_viewerStarts.size(), starts);
    setHelpViewerStarter(previous);
    wchar_t windows[MAX_PATH] = {};
    GetSystemWindowsDirectoryW(windows, MAX_PATH);
    const std::wstring viewer = windows + std::wstring(L"\\hh.exe tapwell.chm::/_RESOURCE/");
    EXPECT_EQ(g_viewerStarts,
              (std::vector<std::wstring>{viewer + L"HLP000012.html", viewer + L"en/HLP000012.html",
                                         viewer + L"en/HLP000012.html"}));
}
