// The two settings stores against the real registry and real ini files;
// decoding values and joining failures are unit-tested.
#include "settings/settings_stores_win32.h"
#include "theme/theme_win32.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tapwell {

constexpr const wchar_t* kKey = L"Software\\Brelvane\\TAPWELL\\CurrentVersion";

// A field as the store holds it, read past the program's own code.
std::optional<DWORD> stored(bool ini, std::u16string_view field) {
    const std::wstring name(field.begin(), field.end());
    DWORD value = 0, size = sizeof value;
    wchar_t text[16] = {};
    if (ini && GetPrivateProfileStringW(L"TAPWELL", name.c_str(), L"", text, 16, L".\\tapwell.ini"))
        return std::wcstoul(text, nullptr, 10);
    if (!ini && !RegGetValueW(HKEY_CURRENT_USER, kKey, name.c_str(), RRF_RT_REG_DWORD, nullptr,
                              &value, &size))
        return value;
    return std::nullopt;
}

// In an empty current folder with no program key; a REGW warning or a
// failed save fails the test.
TEST(SettingsStores, EveryFieldRoundTripsUnderItsNameAndOversizedValuesKeepTheDefault) {
    const auto folder = std::filesystem::temp_directory_path() / "tpw-stores";
    std::filesystem::create_directories(folder);
    std::filesystem::current_path(folder);
    RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    Settings settings;
    bool useIniFile = false;
    IniSettingsStore iniStore;
    RegistrySettingsStore registryStore;
    auto saveFailed = [](std::u16string_view) { ADD_FAILURE() << "a save failed"; };
    SettingsContext context{settings,      useIniFile,        iniStore,
                            registryStore, Language::English, saveFailed};
    AppMessagePresenter previous =
        setAppMessagePresenter([](HWND, const wchar_t* text, const wchar_t*, UINT) {
            ADD_FAILURE() << "REGW warned: " << testing::PrintToString(std::wstring(text));
            return IDOK;
        });

    Settings unusual; // every field away from its default, at the ends of the ranges
    for (const SettingField& f : kSettingFields)
        f.set(unusual, f.get(Settings{}) ? 0 : 1);
    unusual.iInputMode = InputMode::Script;
    unusual.iWaitSec = INT32_MAX;
    unusual.iTimeHour = 23;
    unusual.iTimeMin = 59;
    unusual.iWaitMSec = 65535;
    unusual.iLoopNum = -1;               // stored as 4294967295
    unusual.iTargetLayout = 0xF0020409u; // an installed layout's handle, top bit set
    for (bool ini : {false, true}) {
        SCOPED_TRACE(ini ? "ini" : "registry");
        useIniFile = ini;
        settings = Settings{};
        LoadSettings(context);
        EXPECT_EQ(settings, Settings{}) << "a missing store keeps the defaults";
        EXPECT_FALSE(stored(ini, u"iLoopNum")) << "loading creates nothing";
        settings = unusual;
        EXPECT_TRUE(SaveSettings(context, nullptr));
        for (const SettingField& f : kSettingFields)
            EXPECT_EQ(stored(ini, f.name), DWORD(f.get(unusual)))
                << testing::PrintToString(std::u16string(f.name));
        EXPECT_EQ(stored(false, u"iLoopNum").has_value(), !ini) << "the ini store only";
        settings = Settings{};
        LoadSettings(context);
        EXPECT_EQ(settings, unusual);
        RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    }

    // Texts are stored with their terminator: leading zeros up to the cap
    // still read, one more is refused, as is a huge binary value.
    useIniFile = false;
    settings = Settings{};
    auto put = [](const wchar_t* name, DWORD type, const void* data, std::size_t size) {
        RegSetKeyValueW(HKEY_CURRENT_USER, kKey, name, type, data, DWORD(size));
    };
    const std::wstring atCap = std::wstring(kLargestRegistryValue / 2 - 2, L'0') + L"7";
    const std::wstring overCap = L"0" + atCap;
    const std::string huge = '\5' + std::string((1 << 20) - 1, '\0');
    put(L"iTimeSec", REG_SZ, atCap.c_str(), (atCap.size() + 1) * 2);
    put(L"iWaitSec", REG_SZ, overCap.c_str(), (overCap.size() + 1) * 2);
    put(L"iWaitMSec", REG_BINARY, huge.data(), huge.size());
    put(L"iTimeHour", REG_BINARY, huge.data(), 4);
    LoadSettings(context);
    EXPECT_EQ(settings.iTimeSec, 7);
    EXPECT_EQ(settings.iWaitSec, 5);
    EXPECT_EQ(settings.iWaitMSec, 20);
    EXPECT_EQ(settings.iTimeHour, 5);
    setAppMessagePresenter(std::move(previous));
    RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    std::filesystem::current_path(folder.parent_path());
    std::filesystem::remove_all(folder);
}

} // namespace tapwell
