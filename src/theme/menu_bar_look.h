// How one item of the menu bar looks in dark mode, from the owner-draw state
// bits that the system passes with the item.
#pragma once

#include "theme/theme_colors.h"

#include <cstdint>

namespace tapwell::theme {

// Owner-draw state bits as the platform defines them.
namespace item_state {
inline constexpr std::uint32_t kSelected = 0x0001;
inline constexpr std::uint32_t kGrayed = 0x0002;
inline constexpr std::uint32_t kDisabled = 0x0004;
inline constexpr std::uint32_t kDefault = 0x0020;
inline constexpr std::uint32_t kHotLight = 0x0040;
inline constexpr std::uint32_t kInactive = 0x0080;
inline constexpr std::uint32_t kNoAccel = 0x0100;
} // namespace item_state

// Part states of the "MENU" theme class, part "bar item".
enum class BarItemState : int { Normal = 1, Hot = 2, Pushed = 3, Disabled = 4 };
inline constexpr int kMenuPartBarItem = 8;

struct MenuBarItemLook {
    BarItemState state = BarItemState::Normal;
    Rgb fill = kMenuBarNormal;
    Rgb text = kDarkText;
    bool hidePrefix = false;
};

// Later rules win: pressed over hot, and a disabled item keeps the fill of
// its hot/pressed state but shows the disabled state and grey text.
MenuBarItemLook menuBarItemLook(std::uint32_t state);

} // namespace tapwell::theme
