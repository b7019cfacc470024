#include "about/environment_report.h"

#include "about/text_format.h"

#include <array>

namespace tapwell::about {

namespace {

constexpr std::array<std::u16string_view, 7> kWeekdays = {u"Sun", u"Mon", u"Tue", u"Wed",
                                                          u"Thu", u"Fri", u"Sat"};
constexpr std::array<std::u16string_view, 12> kMonths = {
    u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun", u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};

// The compiler's __DATE__, widened once (it is plain ASCII).
std::u16string widenAscii(std::string_view s) {
    return std::u16string(s.begin(), s.end());
}

std::u16string_view pick(std::u16string_view whenTrue, std::u16string_view whenFalse, bool c) {
    return c ? whenTrue : whenFalse;
}

void appendRect(std::u16string& out, const ScreenRect& r) {
    out += u'(';
    appendSigned(out, r.left);
    out += u',';
    appendSigned(out, r.top);
    out += u")-(";
    appendSigned(out, r.right);
    out += u',';
    appendSigned(out, r.bottom);
    out += u')';
}

void appendWindowsSection(std::u16string& out, const SystemInfo& info) {
    out += u"[Windows]";
    out += u"\r\n Platform Id\t: ";
    appendSigned(out, static_cast<std::int32_t>(info.platformId));
    out += u' ';
    switch (info.platformId) {
    case 0:
        out += u"(Win32s)";
        break;
    case 1:
        out += u"(Win9x)";
        break;
    case 2:
        out += u"(NT)";
        break;
    default:
        break;
    }

    const OsVersion v =
        normalizeOsVersion(info.platformId, info.majorVersion, info.minorVersion, info.buildNumber);
    out += u"\r\n OS Version  \t: ";
    appendUnsigned(out, v.major);
    out += u'.';
    appendUnsigned(out, v.minor);
    out += u'.';
    appendUnsigned(out, v.build);
    out += u' ';
    out += info.servicePackText;

    out += u"\r\n ServicePack\t: ";
    appendUnsigned(out, info.servicePackMajor);
    out += u'.';
    appendUnsigned(out, info.servicePackMinor);
    out += u' ';

    out += u"\r\n Architecture\t: x64";

    out += u"\r\n ProductType\t: ";
    switch (info.productType) {
    case 1:
        out += u"1 (Workstation)";
        break;
    case 2:
        out += u"2 (Domain Controller)";
        break;
    case 3:
        out += u"3 (Server)";
        break;
    default:
        appendUnsigned(out, info.productType);
        break;
    }

    if (v.major >= 6) {
        out += u"\r\n ProductInfo.\t: 0x";
        appendHex(out, info.productInfo, 8);
    }
    out += u"\r\n SuiteMask\t: 0x";
    appendHex(out, info.suiteMask, 4);

    out += u"\r\n SafeMode\t: ";
    switch (info.cleanBoot) {
    case 0:
        out += u"Off";
        break;
    case 1:
        out += u"Fail-safe boot";
        break;
    case 2:
        out += u"Fail-safe with network boot";
        break;
    default:
        appendSigned(out, info.cleanBoot);
        break;
    }

    out += u"\r\n Locale Info\t: ";
    out += info.localeCountry;
    out += u"\r\n Remote Session \t: ";
    out += pick(u"On", u"Off", info.remoteSession);
    out += u"\r\n Dark Mode \t: ";
    out += pick(u"On", u"Off", info.darkMode);

    if (v.major >= 6) {
        out += u"\r\n[User Account Control]\r\n ";
        if (info.uac) {
            auto value = [&out](std::u16string_view name, const std::optional<std::uint32_t>& x) {
                out += name;
                if (x)
                    appendUnsigned(out, *x);
            };
            value(u"EnableLUA=", info.uac->enableLua);
            value(u", PromptOnSecureDesktop=", info.uac->promptOnSecureDesktop);
            value(u", ConsentPromptBehaviorAdmin=", info.uac->consentPromptBehaviorAdmin);
            value(u", ConsentPromptBehaviorUser=", info.uac->consentPromptBehaviorUser);
        }
    }
}

void appendScreenSection(std::u16string& out, const SystemInfo& info) {
    out += u"\r\n[Screen]\r\n ";
    appendSigned(out, info.screenWidth);
    out += u'x';
    appendSigned(out, info.screenHeight);
    out += u" (";
    appendSigned(out, info.bitsPerPixel);
    out += u"bpp) [Work Area ";
    appendRect(out, info.workArea);
    out += u']';

    out += u"\r\n Virtual Screen: ";
    appendRect(out, {info.virtualLeft, info.virtualTop, info.virtualLeft + info.virtualWidth,
                     info.virtualTop + info.virtualHeight});
    out += u" [Monitors:";
    appendSigned(out, info.monitorCount);
    out += u']';

    for (const MonitorInfo& m : info.monitors) {
        out += u"\r\n Monitor Info : ";
        appendRect(out, m.monitor);
        out += u" [Workarea ";
        appendRect(out, m.work);
        out += u']';
        if (m.primary)
            out += u" *primary";
    }
}

void appendOtherSection(std::u16string& out, const SystemInfo& info) {
    const LocalTime& t = info.localTime;
    out += u"\r\n[Other]";
    out += u"\r\n Date/Time \t: ";
    out += t.dayOfWeek >= 0 && t.dayOfWeek < 7 ? kWeekdays[static_cast<std::size_t>(t.dayOfWeek)]
                                               : u"???";
    out += u", ";
    out += t.month >= 1 && t.month <= 12 ? kMonths[static_cast<std::size_t>(t.month - 1)] : u"???";
    out += u' ';
    appendSigned(out, t.day);
    out += u", ";
    appendSigned(out, t.year);
    out += u' ';
    appendSigned(out, t.hour, 2, u' ');
    out += u':';
    appendSigned(out, t.minute, 2, u'0');
    out += u':';
    appendSigned(out, t.second, 2, u'0');
    out += formatTimeZone(info.timeZoneBias);
}

} // namespace

std::u16string_view libraryBuildDate() {
    static const std::u16string date = widenAscii(__DATE__);
    return date;
}

OsVersion normalizeOsVersion(std::uint32_t platformId, std::uint32_t major, std::uint32_t minor,
                             std::uint32_t build) {
    OsVersion v{major, minor, build};
    if (platformId != 2 && (build >> 16) != 0) {
        v.major = (build >> 24) & 0xFF;
        v.minor = (build >> 16) & 0xFF;
        v.build = build & 0xFFFF;
    }
    return v;
}

std::u16string formatTimeZone(int bias) {
    std::u16string out = u"(UTC";
    // Widened so that the most negative bias cannot overflow when negated.
    const std::int64_t b = bias;
    const std::int64_t shown = b < 0 ? -b : b;
    out += b < 0 ? u'+' : u'-';
    appendSigned(out, shown / 60, 2, u'0');
    out += u':';
    appendSigned(out, shown % 60, 2, u'0');
    out += u')';
    return out;
}

std::u16string BuildEnvironmentReport(const SystemInfo& info, std::u16string_view buildDate) {
    std::u16string out = u"ENVOLite ver.";
    appendUnsigned(out, kLibraryVersionMajor);
    out += u'.';
    appendUnsigned(out, kLibraryVersionMinor, 2);
    out += u'.';
    appendUnsigned(out, kLibraryVersionPatch, 2);
    out += u" [";
    out += buildDate;
    out += u"]\r\n";
    appendWindowsSection(out, info);
    appendScreenSection(out, info);
    appendOtherSection(out, info);
    return out;
}

std::u16string appendClientSection(std::u16string report, std::u16string_view versionText) {
    std::size_t end = 0;
    while (end < versionText.size() && versionText[end] >= u' ')
        ++end;
    report += u"\r\n[Client]\r\n ";
    report += versionText.substr(0, end);
    return report;
}

} // namespace tapwell::about
