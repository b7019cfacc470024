// The environment report on Windows: the system queries that fill its
// record, the executable's version strings and the Environment Information
// button.
#include "about/about_box.h"
#include "about/about_box_win32.h"
#include "about/environment_report.h"
#include "common/clipboard_win32.h"
#include "common/windows_glue_win32.h"

#include <vector>

namespace tapwell::about {

namespace {

// ---- System queries ---------------------------------------------------------

template <typename Fn> Fn systemExport(const wchar_t* module, const char* name) {
    // ntdll and kernel32 are in every process; no search is involved.
    HMODULE handle = GetModuleHandleW(module);
    return handle ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(handle, name)))
                  : nullptr;
}

void readOsVersion(SystemInfo& info) {
    OSVERSIONINFOEXW v;
    if (!queryWindowsVersion(v))
        return;
    info.platformId = v.dwPlatformId;
    info.majorVersion = v.dwMajorVersion;
    info.minorVersion = v.dwMinorVersion;
    info.buildNumber = v.dwBuildNumber;
    info.servicePackText = fromWide(v.szCSDVersion);
    info.servicePackMajor = v.wServicePackMajor;
    info.servicePackMinor = v.wServicePackMinor;
    info.suiteMask = v.wSuiteMask;
    info.productType = v.wProductType;

    using GetProductInfoFn = BOOL(WINAPI*)(DWORD, DWORD, DWORD, DWORD, DWORD*);
    auto getProductInfo = systemExport<GetProductInfoFn>(L"kernel32.dll", "GetProductInfo");
    DWORD product = 0;
    if (getProductInfo && v.dwMajorVersion >= 6 &&
        getProductInfo(v.dwMajorVersion, v.dwMinorVersion, v.wServicePackMajor, v.wServicePackMinor,
                       &product))
        info.productInfo = product;
}

std::optional<std::uint32_t> dwordValue(HKEY key, const wchar_t* name) {
    DWORD value = 0;
    DWORD size = sizeof(value);
    DWORD type = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(value))
        return std::nullopt;
    return value;
}

std::optional<UacSettings> readUac() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE,
                      L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System", 0,
                      KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::nullopt;
    UacSettings uac;
    uac.enableLua = dwordValue(key, L"EnableLUA");
    uac.promptOnSecureDesktop = dwordValue(key, L"PromptOnSecureDesktop");
    uac.consentPromptBehaviorAdmin = dwordValue(key, L"ConsentPromptBehaviorAdmin");
    uac.consentPromptBehaviorUser = dwordValue(key, L"ConsentPromptBehaviorUser");
    RegCloseKey(key);
    return uac;
}

ScreenRect toRect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

BOOL CALLBACK addMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM param) {
    auto* monitors = reinterpret_cast<std::vector<MonitorInfo>*>(param);
    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    if (GetMonitorInfoW(monitor, &mi))
        monitors->push_back(
            {toRect(mi.rcMonitor), toRect(mi.rcWork), (mi.dwFlags & MONITORINFOF_PRIMARY) != 0});
    return TRUE;
}

void readScreen(SystemInfo& info) {
    info.screenWidth = GetSystemMetrics(SM_CXSCREEN);
    info.screenHeight = GetSystemMetrics(SM_CYSCREEN);
    if (HDC screen = GetDC(nullptr)) {
        info.bitsPerPixel = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
        ReleaseDC(nullptr, screen);
    }
    RECT work{};
    if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0))
        info.workArea = toRect(work);
    info.virtualLeft = GetSystemMetrics(SM_XVIRTUALSCREEN);
    info.virtualTop = GetSystemMetrics(SM_YVIRTUALSCREEN);
    info.virtualWidth = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    info.virtualHeight = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    info.monitorCount = GetSystemMetrics(SM_CMONITORS);
    EnumDisplayMonitors(nullptr, nullptr, addMonitor, reinterpret_cast<LPARAM>(&info.monitors));
}

void readTime(SystemInfo& info) {
    SYSTEMTIME t;
    GetLocalTime(&t);
    info.localTime = {t.wYear, t.wMonth, t.wDayOfWeek, t.wDay, t.wHour, t.wMinute, t.wSecond};
    TIME_ZONE_INFORMATION zone{};
    const DWORD kind = GetTimeZoneInformation(&zone);
    // The offset in force now, so that it matches the local time shown.
    int bias = zone.Bias;
    if (kind == TIME_ZONE_ID_DAYLIGHT)
        bias += zone.DaylightBias;
    else if (kind == TIME_ZONE_ID_STANDARD)
        bias += zone.StandardBias;
    info.timeZoneBias = kind == TIME_ZONE_ID_INVALID ? 0 : bias;
}

// `darkMode` is the About box's own flag.
SystemInfo collectSystemInfo(bool darkMode) {
    SystemInfo info;
    readOsVersion(info);
    info.cleanBoot = GetSystemMetrics(SM_CLEANBOOT);
    wchar_t country[128] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SENGCOUNTRY, country, 128) > 0)
        info.localeCountry = fromWide(country);
    info.remoteSession = GetSystemMetrics(SM_REMOTESESSION) != 0;
    info.darkMode = darkMode;
    if (info.majorVersion >= 6)
        info.uac = readUac();
    readScreen(info);
    readTime(info);
    return info;
}

// ---- Version resource -------------------------------------------------------

std::u16string queryString(std::vector<BYTE>& data, const wchar_t* name) {
    std::wstring path = L"\\StringFileInfo\\041104b0\\";
    path += name;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), path.c_str(), &value, &length) || !value || length == 0)
        return {};
    // The length counts the terminator when there is one.
    std::u16string text(static_cast<const char16_t*>(value), length);
    while (!text.empty() && text.back() == u'\0')
        text.pop_back();
    return text;
}

} // namespace

VersionStrings readExecutableVersionStrings() {
    VersionStrings strings;
    const std::wstring path = modulePath();
    if (path.empty())
        return strings;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0)
        return strings;
    std::vector<BYTE> data(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, data.data()))
        return strings;
    strings.fileVersion = queryString(data, L"FileVersion");
    strings.specialBuild = queryString(data, L"SpecialBuild");
    strings.legalCopyright = queryString(data, L"LegalCopyright");
    strings.privateBuild = queryString(data, L"PrivateBuild");
    return strings;
}

void showEnvironmentInformation(HWND box, std::u16string_view versionText, Language language,
                                bool darkMode, AboutMessageFunction message) {
    const std::u16string report = appendClientSection(
        BuildEnvironmentReport(collectSystemInfo(darkMode), libraryBuildDate()), versionText);
    const std::u16string shown = report + u"\r\n------------------------\r\n" +
                                 std::u16string(aboutText(AboutText::ReportPrompt, language));
    const std::u16string caption(aboutText(AboutText::ReportCaption, language));
    if (message(box, wide(shown), wide(caption), MB_OKCANCEL) != IDOK)
        return;

    // The box owns the clipboard: the platform refuses data after an
    // ownerless opening.
    const ClipboardMessage result = clipboardMessage(writeClipboardText(box, report));
    const std::u16string text(aboutText(result.text, language));
    message(box, wide(text), wide(caption), result.error ? MB_ICONERROR : MB_ICONINFORMATION);
}

} // namespace tapwell::about
