#include "about/version_text.h"

#include <gtest/gtest.h>

namespace tapwell::about {
namespace {

using Parts = std::array<std::uint32_t, 4>;

TEST(VersionText, SplitsLikeTheScanFormat) {
    EXPECT_EQ(splitFileVersion(u"2.5.0.13"), (Parts{2, 5, 0, 13}));
    EXPECT_EQ(splitFileVersion(u" 2. 5.0.13 beta"), (Parts{2, 5, 0, 13}));
    EXPECT_EQ(splitFileVersion(u"2.5"), (Parts{2, 5, 0, 0}));
    EXPECT_EQ(splitFileVersion(u"2,5,0,13"), (Parts{2, 0, 0, 0}));
    EXPECT_EQ(splitFileVersion(u""), (Parts{0, 0, 0, 0}));
    EXPECT_EQ(splitFileVersion(u"x.1.2.3"), (Parts{0, 0, 0, 0}));
    EXPECT_EQ(splitFileVersion(u"1.-1.0.0"), (Parts{1, 0xFFFFFFFFu, 0, 0}));
}

TEST(VersionText, ComposesTheVersionLine) {
    VersionStrings s{u"2.5.0.13", u"", u"(C) Brelvane", u""};
    EXPECT_EQ(composeVersionText(u"Tool", s, false), u"Tool ver.2.50.13\r\n(C) Brelvane");
    s.fileVersion = u"3.1.2.4";
    EXPECT_EQ(composeVersionText(u"Tool", s, false), u"Tool ver.3.12.04\r\n(C) Brelvane");
    s.fileVersion = u"";
    EXPECT_EQ(composeVersionText(u"Tool", s, true), u"Tool ver.0.00.00\r\n(C) Brelvane");
}

TEST(VersionText, SpecialBuildInBothLanguages) {
    VersionStrings s{u"2.5.0.13", u"beta", u"", u""};
    EXPECT_EQ(composeVersionText(u"T", s, false), u"T ver.2.50.13 beta\r\n");
    EXPECT_EQ(composeVersionText(u"T", s, true), u"T ver.2.50.13 β\r\n");
    s.specialBuild = u"alpha";
    EXPECT_EQ(composeVersionText(u"T", s, true), u"T ver.2.50.13 α\r\n");
    EXPECT_EQ(composeVersionText(u"T", s, false), u"T ver.2.50.13 alpha\r\n");
    s.specialBuild = u"Beta";
    EXPECT_EQ(composeVersionText(u"T", s, true), u"T ver.2.50.13 Beta\r\n");
    s.specialBuild = u"rc";
    s.privateBuild = u"test";
    EXPECT_EQ(composeVersionText(u"T", s, true), u"T ver.2.50.13 rc (test)\r\n");
}

} // namespace
} // namespace tapwell::about
