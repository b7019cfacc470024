// The rules of window theming that do not need a desktop: the dark colours,
// how the system's light/dark choice is read, which visual style each child
// window gets, how disabled controls paint themselves in dark mode and how a
// menu-bar item looks. Decided from registry values, window classes, style
// and state bits only, so that they can be checked natively.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tapwell::theme {

// ---- Colours ----------------------------------------------------------------

// Light mode keeps the system's colours, so only the dark side is listed.
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
// Links of the About box in dark mode: the link controls' own link colour is
// meant for a light background.
inline constexpr Rgb kDarkLink{140, 190, 255};

// ---- The system's light/dark choice -----------------------------------------

inline constexpr std::u16string_view kPersonalizeKey =
    u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
inline constexpr std::u16string_view kAppsUseLightThemeValue = u"AppsUseLightTheme";

// `value` is the 32-bit value when it exists with that type, nullopt when it
// is missing, has another type or cannot be read. Only an explicit 0 means
// dark: older systems have no value and stay light.
bool darkFlagFromAppsUseLightTheme(std::optional<std::uint32_t> value);

// True when a setting-change notice names the colour set (its text may be
// absent). Only then is the dark flag read again.
bool settingChangeNamesColorSet(const char16_t* area);

// ---- Child windows ----------------------------------------------------------

enum class ChildKind {
    PushButton, // plain or default push button
    MarkButton, // check box, three-state box, radio button, group box
    TextStatic, // static text aligned left, centre or right
    Other,
};

ChildKind classifyChild(std::u16string_view className, std::uint32_t style);

enum class VisualStyle {
    Default,          // the system's own choice
    Explorer,         // push buttons in light mode
    DarkModeExplorer, // push buttons in dark mode
    Off,              // visual styles switched off so the colour replies take effect
};

// The main dialog and message boxes: non-push children return to the default
// style in light mode.
VisualStyle dialogChildStyle(ChildKind kind, bool dark);
// The About box switches visual styles off for non-push children in both modes.
VisualStyle aboutChildStyle(ChildKind kind, bool dark);

// The sub-application name to pass to the theme library; empty for Default
// (which is passed as no name at all).
std::u16string_view visualStyleName(VisualStyle style);

bool wantsDisabledPainting(ChildKind kind);

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

enum class DisabledMark { None, Square, Circle };

DisabledMark disabledMarkFor(std::u16string_view className, std::uint32_t style);

struct DisabledPaintLayout {
    DisabledMark mark = DisabledMark::None;
    Rect markRect;  // empty without a mark
    Rect checkRect; // the check inside the mark: a dot (circle) or a tick
                    // (square) in the disabled text colour; empty unless checked
    Rect textRect;
};

// A 14 x 14 mark at the top-left of the client area; with a mark the text
// moves 18 pixels right and 1 pixel down. A checked mark keeps showing its
// check, so that a disabled dialog still tells which option is chosen.
DisabledPaintLayout disabledPaintLayout(DisabledMark mark, Rect client, bool checked = false);

// ---- Link controls in dark mode ---------------------------------------------

// A colour the control draws with, and the colour it should have had.
struct InkMapping {
    Rgb drawn;
    Rgb wanted;
};

// Repaints one pixel of text drawn on `background`: a pixel on the way from
// the background to a mapping's drawn colour (antialiased edges included)
// moves the same part of the way to its wanted colour. Pixels of other
// colours (the background, text already drawn right) stay as they are.
Rgb recolorInk(Rgb pixel, Rgb background, const InkMapping* mappings, std::size_t count);

// ---- Menu-bar items ---------------------------------------------------------

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
