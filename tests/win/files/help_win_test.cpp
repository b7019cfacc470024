// Finding the HTML help library once, by registration or by name.
#include "app/help_win32.h"

#include <gtest/gtest.h>

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
