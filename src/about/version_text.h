// The version text of the About box, composed from the executable's
// version-resource strings.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tapwell::about {

struct VersionStrings {
    std::u16string fileVersion;
    std::u16string specialBuild;
    std::u16string legalCopyright;
    std::u16string privateBuild;
};

// Reads "a.b.c.d" the way "%u.%u.%u.%u" does: each number may have leading
// blanks and a sign, reading stops at the first mismatch and the numbers not
// reached stay 0.
std::array<std::uint32_t, 4> splitFileVersion(std::u16string_view fileVersion);

// "beta" and "alpha" become "β" and "α" in Japanese; everything else is kept.
std::u16string localizedSpecialBuild(std::u16string_view specialBuild, bool japanese);

// Line 1: "<title> ver.<a>.<b><c>.<dd>" with the special and private build
// marks after it; line 2: the copyright. 2.5.0.13 reads "ver.2.50.13".
std::u16string composeVersionText(std::u16string_view title, const VersionStrings& strings,
                                  bool japanese);

} // namespace tapwell::about
