// tapwell.exe started for real: the one-shot modes and the choice of
// settings store by name. The command line's own rules are unit-tested.
#include "support/win_driver.h"

#include <gtest/gtest.h>

namespace tapwell {

constexpr const wchar_t* kKey = L"Software\\Brelvane\\TAPWELL\\CurrentVersion";

// "reg L ini L/W": iLoopNum in the registry, iLoopNum and iWaitMSec in the
// ini file, "-" for a missing value.
std::wstring stores(const std::wstring& ini) {
    DWORD loops = 0, size = sizeof loops;
    const bool inRegistry = !RegGetValueW(HKEY_CURRENT_USER, kKey, L"iLoopNum", RRF_RT_REG_DWORD,
                                          nullptr, &loops, &size);
    auto iniValue = [&](const wchar_t* name) {
        const int v = int(GetPrivateProfileIntW(L"TAPWELL", name, -1, ini.c_str()));
        return v < 0 ? std::wstring(L"-") : std::to_wstring(v);
    };
    return L"reg " + (inRegistry ? std::to_wstring(loops) : L"-") + L" ini " +
           iniValue(L"iLoopNum") + L"/" + iniValue(L"iWaitMSec");
}

TEST(Startup, TheCommandLineAndTheExecutablesNameChooseWhatRuns) {
    const struct {
        const wchar_t *exe, *args, *lang;
        const wchar_t* iniLoops; // with no wait before a run; nullptr: no ini file
        DWORD registryLoops;     // 0: no registry key
        const wchar_t *box, *storesAfter;
    } rows[] = {
        {L"tapwell.exe", L"/or", L"EN", nullptr, 0,
         L"Davudiru Dodovizar: The process of copying from the ini file to the registry is "
         L"complete.",
         L"reg 1 ini -/-"},
        {L"tapwell.exe", L"/RO", L"ja", nullptr, 7,
         L"doruviravad: 設定をレジストリからiniファイルへコピーしました。", L"reg 7 ini 7/20"},
        // A text on the command line runs and ends by itself, saving the
        // settings on the way out to the store the executable's name chooses.
        {L"tapwell_O.EXE", L"/T:x", L"EN", L"9", 0, L"", L"reg - ini 9/20"},
        {L"tapwell.exe", L"/T:x", L"EN", L"9", 0, L"", L"reg 1 ini 9/-"},
    };
    const std::wstring folder = e2e::makeScratchDir(L"startup"); // ends with a backslash
    const std::wstring elsewhere = e2e::makeScratchDir(L"cwd");
    const std::wstring ini = folder + L"tapwell.ini";
    for (const auto& row : rows) {
        SCOPED_TRACE(e2e::toUtf8(std::wstring(row.exe) + L" " + row.args));
        SetEnvironmentVariableW(L"TPW_LANG", row.lang);
        if (row.iniLoops) {
            WritePrivateProfileStringW(L"TAPWELL", L"iLoopNum", row.iniLoops, ini.c_str());
            WritePrivateProfileStringW(L"TAPWELL", L"iWaitSec", L"0", ini.c_str());
        }
        if (row.registryLoops)
            RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"iLoopNum", REG_DWORD, &row.registryLoops,
                            sizeof(DWORD));
        // Started from an unrelated folder; the expected box is answered.
        const std::wstring exe = folder + row.exe;
        ASSERT_TRUE(CopyFileW(e2e::hostPath(TAPWELL_EXE_PATH).c_str(), exe.c_str(), FALSE));
        auto process = e2e::Process::start(e2e::quote(exe) + L" " + row.args, elsewhere);
        ASSERT_TRUE(process);
        std::wstring box;
        if (auto shown =
                *row.box ? e2e::waitForMessageBox(process->pid(), L"", 20000) : std::nullopt) {
            box = shown->caption + L": " + shown->text;
            e2e::pressButton(*shown, L"OK");
        }
        EXPECT_EQ(process->wait(40000), 0u);
        DeleteFileW(exe.c_str());
        EXPECT_EQ(box, row.box);
        EXPECT_EQ(stores(ini), row.storesAfter);
        RegDeleteTreeW(HKEY_CURRENT_USER, kKey); // each row starts with neither store
        DeleteFileW(ini.c_str());
    }
    for (const std::wstring& dir : {folder, elsewhere})
        RemoveDirectoryW(dir.c_str());
    SetEnvironmentVariableW(L"TPW_LANG", nullptr);
}

} // namespace tapwell
