#include "app/app_state.h"
#include "settings/settings_stores_win32.h"
#include "win_test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace tapwell {
namespace {

using test::MessageRecorder;
using test::ScratchFolder;

Settings unusualSettings() {
    Settings s;
    s.g_BigDialog = 1;
    s.iInputMode = 2;
    s.iWaitMode = 1;
    s.iErrorStop = 1;
    s.iDisableEnter = 1;
    s.iDisableSpace = 1;
    s.iDisableTab = 1;
    s.iTopMost = 1;
    s.iWaitSec = INT32_MAX;
    s.iTimeHour = 23;
    s.iTimeMin = 59;
    s.iTimeSec = 58;
    s.iWaitMSec = 65535;
    s.iLoopNum = -1;
    s.iDelivery = 1;
    s.iTargetLayout = 0xF0020409u; // an installed layout's handle, top bit set
    // Both switches away from their defaults (Esc on, the guard off).
    s.iEscAbort = 0;
    s.iFocusGuard = 1;
    return s;
}

class SettingsStoresTest : public ::testing::Test {
  protected:
    void SetUp() override { test::deleteProgramKey(); }
    void TearDown() override { test::deleteProgramKey(); }

    SettingsContext context(bool ini) {
        useIniFile = ini;
        return SettingsContext{
            settings,          useIniFile,
            iniStore,          registryStore,
            Language::English, [this](std::u16string_view t) { errors.emplace_back(t); }};
    }

    ScratchFolder folder{L"stores"};
    MessageRecorder boxes;
    Settings settings;
    bool useIniFile = false;
    IniSettingsStore iniStore;
    RegistrySettingsStore registryStore;
    std::vector<std::u16string> errors;
};

TEST_F(SettingsStoresTest, RegistryRoundTripOfAllFields) {
    settings = unusualSettings();
    auto ctx = context(false);
    ASSERT_TRUE(SaveSettings(ctx, nullptr));
    settings = Settings{};
    LoadSettings(ctx);
    EXPECT_EQ(settings, unusualSettings());
    EXPECT_TRUE(boxes.shown.empty()) << "correct use of REGW warns about nothing";

    HKEY key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Brelvane\\TAPWELL\\CurrentVersion", 0,
                            KEY_READ, &key),
              ERROR_SUCCESS);
    DWORD type = 0, data = 0, size = sizeof data;
    EXPECT_EQ(
        RegQueryValueExW(key, L"iLoopNum", nullptr, &type, reinterpret_cast<BYTE*>(&data), &size),
        ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(data, 0xFFFFFFFFu);
}

TEST_F(SettingsStoresTest, IniRoundTripOfAllFieldsWithUnsignedText) {
    settings = unusualSettings();
    auto ctx = context(true);
    ASSERT_TRUE(SaveSettings(ctx, nullptr));
    settings = Settings{};
    LoadSettings(ctx);
    EXPECT_EQ(settings, unusualSettings());

    std::string text = test::readWholeFile(folder.path() + L"\\tapwell.ini");
    EXPECT_NE(text.find("[TAPWELL]"), std::string::npos) << text;
    EXPECT_NE(text.find("iLoopNum=4294967295"), std::string::npos) << text;
    EXPECT_NE(text.find("iWaitSec=2147483647"), std::string::npos) << text;
    EXPECT_NE(text.find("iDelivery=1"), std::string::npos) << text;
    EXPECT_NE(text.find("iTargetLayout=4026663945"), std::string::npos) << text;
    EXPECT_NE(text.find("iEscAbort=0"), std::string::npos) << text;
    EXPECT_NE(text.find("iFocusGuard=1"), std::string::npos) << text;
    EXPECT_FALSE(test::programKeyExists()) << "the ini store must not touch the registry";
}

TEST_F(SettingsStoresTest, MissingStoresKeepDefaultsAndCreateNothing) {
    auto registryCtx = context(false);
    LoadSettings(registryCtx);
    EXPECT_EQ(settings, Settings{});
    EXPECT_FALSE(test::programKeyExists());
    auto iniCtx = context(true);
    LoadSettings(iniCtx);
    EXPECT_EQ(settings, Settings{});
    EXPECT_EQ(GetFileAttributesW(L".\\tapwell.ini"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(SettingsStoresTest, RegistryTextValuesAreReadOnlyWhenWholeNumbers) {
    auto writeText = [](const wchar_t* name, const std::wstring& text) {
        test::writeRawValue(name, REG_SZ, text.c_str(),
                            static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    };
    writeText(L"iLoopNum", L"12");
    writeText(L"iWaitMSec", L"12a");
    writeText(L"iWaitSec", L"99999999999");
    writeText(L"iTimeMin", L"-");
    auto ctx = context(false);
    settings.iTimeMin = 30;
    LoadSettings(ctx);
    EXPECT_EQ(settings.iLoopNum, 12);
    EXPECT_EQ(settings.iWaitMSec, 20);
    EXPECT_EQ(settings.iWaitSec, 5);
    EXPECT_EQ(settings.iTimeMin, 0);
}

TEST_F(SettingsStoresTest, RegistryBinaryAndBigEndianValues) {
    const unsigned char big[4] = {0, 0, 0, 45};
    test::writeRawValue(L"iTimeMin", REG_DWORD_BIG_ENDIAN, big, sizeof big);
    const unsigned char two[2] = {0x02, 0x01}; // 258, of which the mode keeps 2
    test::writeRawValue(L"iInputMode", REG_BINARY, two, sizeof two);
    const unsigned long long wide = 0x1'00000007ull;
    test::writeRawValue(L"iLoopNum", REG_QWORD, &wide, sizeof wide);
    auto ctx = context(false);
    LoadSettings(ctx);
    EXPECT_EQ(settings.iTimeMin, 45);
    EXPECT_EQ(settings.iInputMode, 2);
    EXPECT_EQ(settings.iLoopNum, 7);
}

TEST_F(SettingsStoresTest, LockedIniFileGivesOneMessageListingEveryField) {
    HANDLE lock = CreateFileW(L".\\tapwell.ini", GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    auto ctx = context(true);
    EXPECT_FALSE(SaveSettings(ctx, nullptr));
    CloseHandle(lock);
    ASSERT_EQ(errors.size(), 1u);
    std::u16string expected;
    for (const auto& f : kSettingFields) {
        if (!expected.empty())
            expected += u"\r\n-----\r\n";
        expected += u".\\tapwell.ini[TAPWELL] - " + std::u16string(f.name) + u" write error.";
    }
    EXPECT_EQ(errors[0], expected);
}

TEST_F(SettingsStoresTest, ProcessWideSaveShowsTheFailureWithTheProgramTitle) {
    HANDLE lock = CreateFileW(L".\\tapwell.ini", GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    AppState& state = appState();
    AppState saved = state;
    setUiLanguage(state, Language::Japanese);
    state.UseIniFile = true;
    EXPECT_FALSE(SaveSettings(static_cast<HWND>(nullptr)));
    CloseHandle(lock);
    state = saved;
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].caption, L"doruviravad");
    EXPECT_EQ(boxes.shown[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(boxes.shown[0].text.rfind(L".\\tapwell.iniの[TAPWELL]セクションのg_BigDialogに", 0),
              0u);
    EXPECT_NE(boxes.shown[0].text.find(L"\r\n-----\r\n"), std::wstring::npos);
}

} // namespace
} // namespace tapwell
