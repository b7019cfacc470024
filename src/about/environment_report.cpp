#include "about/environment_report.h"

namespace tapwell::about {

namespace {

void appendDigits(std::u16string& out, std::uint64_t value, unsigned base, int width, char16_t pad,
                  bool negative) {
    char16_t digits[24];
    int n = 0;
    do {
        const auto d = static_cast<unsigned>(value % base);
        digits[n++] = static_cast<char16_t>(d < 10 ? u'0' + d : u'a' + (d - 10));
        value /= base;
    } while (value != 0);
    const int used = n + (negative ? 1 : 0);
    // With zero padding the sign goes before the zeros, as printf does.
    if (negative && pad == u'0')
        out += u'-';
    for (int i = used; i < width; ++i)
        out += pad;
    if (negative && pad != u'0')
        out += u'-';
    while (n > 0)
        out += digits[--n];
}

bool isBlank(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}
bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// One "%u": true when a number was read.
bool scanUnsigned(std::u16string_view s, std::size_t& pos, std::uint32_t& out) {
    std::size_t p = pos;
    while (p < s.size() && isBlank(s[p]))
        ++p;
    bool negative = false;
    if (p < s.size() && (s[p] == u'+' || s[p] == u'-')) {
        negative = s[p] == u'-';
        ++p;
    }
    if (p >= s.size() || !isDigit(s[p]))
        return false;
    std::uint32_t value = 0;
    while (p < s.size() && isDigit(s[p])) {
        value = value * 10u + static_cast<std::uint32_t>(s[p] - u'0'); // wraps like the C library
        ++p;
    }
    out = negative ? 0u - value : value;
    pos = p;
    return true;
}

constexpr std::array<std::u16string_view, 7> kWeekdays = {u"Sun", u"Mon", u"Tue", u"Wed",
                                                          u"Thu", u"Fri", u"Sat"};
constexpr std::array<std::u16string_view, 12> kMonths = {
    u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun", u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};

// The compiler's __DATE__, widened once (it is plain ASCII).
std::u16string widenAscii(std::string_view s) {
    return std::u16string(s.begin(), s.end());
}

template <typename Code> struct CodeName {
    Code code;
    std::u16string_view name;
};

// The name of `code` in `table`; empty for a code the table does not list.
template <typename Code, std::size_t N>
std::u16string_view nameOf(const std::array<CodeName<Code>, N>& table, Code code) {
    for (const auto& entry : table) {
        if (entry.code == code)
            return entry.name;
    }
    return {};
}

constexpr std::array<CodeName<std::uint32_t>, 3> kPlatformNames = {{
    {0, u"(Win32s)"},
    {1, u"(Win9x)"},
    {2, u"(NT)"},
}};

constexpr std::array<CodeName<std::uint32_t>, 3> kProductTypeNames = {{
    {1, u"1 (Workstation)"},
    {2, u"2 (Domain Controller)"},
    {3, u"3 (Server)"},
}};

constexpr std::array<CodeName<int>, 3> kSafeModeNames = {{
    {0, u"Off"},
    {1, u"Fail-safe boot"},
    {2, u"Fail-safe with network boot"},
}};

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
    out += nameOf(kPlatformNames, info.platformId);

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
    if (const auto name = nameOf(kProductTypeNames, info.productType); !name.empty())
        out += name;
    else
        appendUnsigned(out, info.productType);

    if (v.major >= 6) {
        out += u"\r\n ProductInfo.\t: 0x";
        appendHex(out, info.productInfo, 8);
    }
    out += u"\r\n SuiteMask\t: 0x";
    appendHex(out, info.suiteMask, 4);

    out += u"\r\n SafeMode\t: ";
    if (const auto name = nameOf(kSafeModeNames, info.cleanBoot); !name.empty())
        out += name;
    else
        appendSigned(out, info.cleanBoot);

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

// ---- Number formatting ------------------------------------------------------

void appendUnsigned(std::u16string& out, std::uint32_t value, int width, char16_t pad) {
    appendDigits(out, value, 10, width, pad, false);
}

void appendSigned(std::u16string& out, std::int64_t value, int width, char16_t pad) {
    const bool negative = value < 0;
    const std::uint64_t magnitude = negative ? std::uint64_t{0} - static_cast<std::uint64_t>(value)
                                             : static_cast<std::uint64_t>(value);
    appendDigits(out, magnitude, 10, width, pad, negative);
}

void appendHex(std::u16string& out, std::uint32_t value, int width) {
    appendDigits(out, value, 16, width, u'0', false);
}

// ---- Version text -----------------------------------------------------------

std::array<std::uint32_t, 4> splitFileVersion(std::u16string_view fileVersion) {
    std::array<std::uint32_t, 4> parts{};
    std::size_t pos = 0;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            if (pos >= fileVersion.size() || fileVersion[pos] != u'.')
                break;
            ++pos;
        }
        if (!scanUnsigned(fileVersion, pos, parts[i]))
            break;
    }
    return parts;
}

std::u16string localizedSpecialBuild(std::u16string_view specialBuild, Language language) {
    if (language == Language::Japanese && specialBuild == u"beta")
        return u"β";
    if (language == Language::Japanese && specialBuild == u"alpha")
        return u"α";
    return std::u16string(specialBuild);
}

std::u16string composeVersionText(std::u16string_view title, const VersionStrings& strings,
                                  Language language) {
    const auto v = splitFileVersion(strings.fileVersion);
    std::u16string out(title);
    out += u" ver.";
    appendUnsigned(out, v[0]);
    out += u'.';
    appendUnsigned(out, v[1]);
    appendUnsigned(out, v[2]);
    out += u'.';
    appendUnsigned(out, v[3], 2);
    if (!strings.specialBuild.empty()) {
        out += u' ';
        out += localizedSpecialBuild(strings.specialBuild, language);
    }
    if (!strings.privateBuild.empty()) {
        out += u" (";
        out += strings.privateBuild;
        out += u')';
    }
    out += u"\r\n";
    out += strings.legalCopyright;
    return out;
}

// ---- The report -------------------------------------------------------------

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
