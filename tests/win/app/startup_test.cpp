// tapwell.exe started for real: the one-shot modes, the choice of settings
// store, and the start-up errors with their exit codes.
#include "support/win_driver.h"
#include "win_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tapwell {
namespace {

using e2e::MessageBoxInfo;
using e2e::Process;

std::wstring builtExecutable() {
    std::string p = TAPWELL_EXE_PATH;
    std::wstring out;
    if (!p.empty() && p[0] == '/')
        out = L"Z:";
    for (char c : p)
        out.push_back(c == '/' ? L'\\' : static_cast<wchar_t>(c));
    return out;
}

struct RunResult {
    std::optional<DWORD> exitCode;
    std::vector<MessageBoxInfo> boxes;
};

// Starts `exe` from an unrelated folder, answers `expectedBoxes` message
// boxes with OK and waits for the end.
RunResult run(const std::wstring& exe, const std::wstring& args, int expectedBoxes) {
    RunResult r;
    std::wstring elsewhere = e2e::makeScratchDir(L"cwd");
    auto process = Process::start(e2e::quote(exe) + L" " + args, elsewhere);
    if (!process) {
        ADD_FAILURE() << "cannot start " << e2e::toUtf8(exe);
        return r;
    }
    for (int i = 0; i < expectedBoxes; ++i) {
        auto box = e2e::waitForMessageBox(process->pid(), L"", 20000);
        if (!box)
            break;
        r.boxes.push_back(*box);
        e2e::pressButton(*box, L"OK");
        Sleep(300);
    }
    r.exitCode = process->wait(40000);
    RemoveDirectoryW(elsewhere.c_str());
    return r;
}

DWORD registryDword(const wchar_t* name, DWORD missing) {
    DWORD value = 0, size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Brelvane\\TAPWELL\\CurrentVersion", name,
                     RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
        return missing;
    return value;
}

class StartupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::deleteProgramKey();
        SetEnvironmentVariableW(L"TPW_LANG", L"EN");
        folder = e2e::makeScratchDir(L"startup");
    }
    void TearDown() override {
        test::deleteProgramKey();
        SetEnvironmentVariableW(L"TPW_LANG", nullptr);
        for (const auto& f : created)
            DeleteFileW(f.c_str());
        RemoveDirectoryW(folder.c_str());
    }

    std::wstring install(const wchar_t* name) {
        std::wstring path = folder + name;
        EXPECT_TRUE(CopyFileW(builtExecutable().c_str(), path.c_str(), FALSE))
            << e2e::toUtf8(builtExecutable());
        created.push_back(path);
        return path;
    }
    std::wstring ini() {
        std::wstring path = folder + L"tapwell.ini";
        created.push_back(path);
        return path;
    }
    int iniValue(const wchar_t* name) {
        return static_cast<int>(GetPrivateProfileIntW(L"TAPWELL", name, -99, ini().c_str()));
    }
    void writeIni(const wchar_t* name, const wchar_t* value) {
        WritePrivateProfileStringW(L"TAPWELL", name, value, ini().c_str());
    }

    std::wstring folder; // with a trailing backslash
    std::vector<std::wstring> created;
};

TEST_F(StartupTest, CopyIniToRegistryWithoutIniFileWritesDefaults) {
    auto r = run(install(L"tapwell.exe"), L"/or", 1);
    ASSERT_EQ(r.boxes.size(), 1u);
    EXPECT_EQ(r.boxes[0].caption, L"Davudiru Dodovizar");
    EXPECT_EQ(r.boxes[0].text,
              L"The process of copying from the ini file to the registry is complete.");
    EXPECT_EQ(r.exitCode, 0u);
    EXPECT_EQ(registryDword(L"iWaitSec", 99), 5u);
    EXPECT_EQ(registryDword(L"iWaitMSec", 99), 20u);
    EXPECT_EQ(registryDword(L"iLoopNum", 99), 1u);
    EXPECT_EQ(registryDword(L"iInputMode", 99), 0u);
    EXPECT_EQ(GetFileAttributesW(ini().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(StartupTest, CopyRegistryToIniBesideTheExecutableInJapanese) {
    SetEnvironmentVariableW(L"TPW_LANG", L"ja");
    DWORD seven = 7;
    test::writeRawValue(L"iLoopNum", REG_DWORD, &seven, sizeof seven);
    const wchar_t twelve[] = L"12";
    test::writeRawValue(L"iWaitSec", REG_SZ, twelve, sizeof twelve);
    auto r = run(install(L"tapwell.exe"), L"/RO", 1);
    ASSERT_EQ(r.boxes.size(), 1u);
    EXPECT_EQ(r.boxes[0].caption, L"doruviravad");
    EXPECT_EQ(r.boxes[0].text, L"設定をレジストリからiniファイルへコピーしました。");
    EXPECT_EQ(r.exitCode, 0u);
    EXPECT_EQ(iniValue(L"iLoopNum"), 7);
    EXPECT_EQ(iniValue(L"iWaitSec"), 12);
    EXPECT_EQ(iniValue(L"iWaitMSec"), 20);
}

// A text on the command line makes the program run it and end by itself,
// saving the settings on the way out; no wait keeps that short.
TEST_F(StartupTest, ExecutableNamedUnderscoreOUsesTheIniFile) {
    writeIni(L"iLoopNum", L"9");
    writeIni(L"iWaitSec", L"0");
    auto r = run(install(L"tapwell_O.EXE"), L"/T:x", 0);
    EXPECT_EQ(r.exitCode, 0u);
    EXPECT_EQ(iniValue(L"iLoopNum"), 9) << "loaded from the ini file and saved back";
    EXPECT_EQ(iniValue(L"iWaitMSec"), 20) << "the settings were saved to the ini file";
    EXPECT_FALSE(test::programKeyExists());
}

TEST_F(StartupTest, PlainExecutableUsesTheRegistry) {
    writeIni(L"iLoopNum", L"9");
    DWORD noWait = 0;
    test::writeRawValue(L"iWaitSec", REG_DWORD, &noWait, sizeof noWait);
    auto r = run(install(L"tapwell.exe"), L"/T:x", 0);
    EXPECT_EQ(r.exitCode, 0u);
    EXPECT_EQ(registryDword(L"iLoopNum", 99), 1u);
    EXPECT_EQ(iniValue(L"iWaitMSec"), -99) << "the ini file is left alone";
}

TEST_F(StartupTest, CopySwitchWithATextSelectsTheIniAndTypesInUnicodeMode) {
    writeIni(L"iInputMode", L"2");
    auto r = run(install(L"tapwell.exe"), L"/OR /T:x", 0);
    EXPECT_EQ(r.exitCode, 0u);
    EXPECT_EQ(iniValue(L"iInputMode"), 1) << "script mode becomes Unicode mode for a text";
    EXPECT_FALSE(test::programKeyExists());
}

TEST_F(StartupTest, HelpSwitchStartsTheViewerAndEndsAtOnce) {
    auto r = run(install(L"tapwell.exe"), L"/?", 0);
    EXPECT_EQ(r.exitCode, 0u);
    EXPECT_FALSE(test::programKeyExists()) << "help is a one-shot mode: no settings saved";
}

TEST_F(StartupTest, UnreadableFileIsReportedBeforeTheConflict) {
    auto r = run(install(L"tapwell.exe"), L"/T:abc /F:missing.txt", 1);
    ASSERT_EQ(r.boxes.size(), 1u);
    EXPECT_EQ(r.boxes[0].text, L"Cannot open the file.");
    EXPECT_EQ(r.exitCode, 1u);
}

TEST_F(StartupTest, TextAndFileTogetherEndWithExitCodeOne) {
    // A relative /F: path is taken from the executable's folder.
    std::wstring text = folder + L"x.txt";
    created.push_back(text);
    HANDLE f = CreateFileW(text.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(f, "hello", 5, &written, nullptr);
    CloseHandle(f);
    auto r = run(install(L"tapwell.exe"), L"/T:abc /F:x.txt", 1);
    ASSERT_EQ(r.boxes.size(), 1u);
    EXPECT_EQ(r.boxes[0].text, L"/t and /f cannot be specified at the same time.");
    EXPECT_EQ(r.exitCode, 1u);
    EXPECT_FALSE(test::programKeyExists()) << "no settings are touched on a start-up error";
}

TEST_F(StartupTest, ExecutableInADriveRootMakesTheRootCurrent) {
    const std::wstring exe = L"C:\\tpw-root-test_o.exe";
    ASSERT_TRUE(CopyFileW(builtExecutable().c_str(), exe.c_str(), FALSE));
    DeleteFileW(L"C:\\tapwell.ini");
    WritePrivateProfileStringW(L"TAPWELL", L"iWaitSec", L"0", L"C:\\tapwell.ini");
    auto r = run(exe, L"/T:x", 0);
    EXPECT_EQ(r.exitCode, 0u);
    EXPECT_EQ(GetPrivateProfileIntW(L"TAPWELL", L"iWaitMSec", -99, L"C:\\tapwell.ini"), 20u);
    DeleteFileW(L"C:\\tapwell.ini");
    DeleteFileW(exe.c_str());
}

} // namespace
} // namespace tapwell
