// The colours of the dark look. Light mode keeps the system's colours, so
// only the dark side is listed here.
#pragma once

#include <cstdint>

namespace tapwell::theme {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    friend constexpr bool operator==(Rgb, Rgb) = default;
};

// The platform packs colours as 0x00BBGGRR.
constexpr std::uint32_t toColorRef(Rgb c) {
    return std::uint32_t{c.r} | (std::uint32_t{c.g} << 8) | (std::uint32_t{c.b} << 16);
}

inline constexpr Rgb kDarkBackground{56, 56, 56};
inline constexpr Rgb kDarkText{255, 255, 255};
inline constexpr Rgb kMenuBarNormal{41, 41, 41};
inline constexpr Rgb kMenuBarHot{61, 61, 61};
inline constexpr Rgb kMenuBarLine{61, 61, 61};
inline constexpr Rgb kMenuBarPushed{53, 53, 53};
inline constexpr Rgb kMenuBarDisabledText{109, 109, 109};
inline constexpr Rgb kTooltipBackground{45, 45, 45};
inline constexpr Rgb kTooltipText{254, 254, 254};
inline constexpr Rgb kDisabledText{127, 127, 127};
inline constexpr Rgb kDisabledMarkFill{76, 76, 76};

} // namespace tapwell::theme
