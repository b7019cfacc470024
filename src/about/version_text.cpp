#include "about/version_text.h"

#include "about/text_format.h"

namespace tapwell::about {

namespace {

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

} // namespace

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

std::u16string localizedSpecialBuild(std::u16string_view specialBuild, bool japanese) {
    if (japanese && specialBuild == u"beta")
        return u"β";
    if (japanese && specialBuild == u"alpha")
        return u"α";
    return std::u16string(specialBuild);
}

std::u16string composeVersionText(std::u16string_view title, const VersionStrings& strings,
                                  bool japanese) {
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
        out += localizedSpecialBuild(strings.specialBuild, japanese);
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

} // namespace tapwell::about
