#include "theme/theme_rules.h"

#include "common/leaf_helpers.h"

#include <array>

namespace tapwell::theme {

namespace {

constexpr std::uint32_t kButtonTypeMask = 0x0F;
constexpr std::uint32_t kStaticTypeMask = 0x1F;

struct ButtonTypeRule {
    ChildKind kind;
    DisabledMark mark;
};

// Indexed by a button's type bits (style & kButtonTypeMask).
constexpr std::array<ButtonTypeRule, 16> kButtonTypes = {{
    {ChildKind::PushButton, DisabledMark::None},   // push button
    {ChildKind::PushButton, DisabledMark::None},   // default push button
    {ChildKind::MarkButton, DisabledMark::Square}, // check box
    {ChildKind::MarkButton, DisabledMark::Square}, // automatic check box
    {ChildKind::MarkButton, DisabledMark::Circle}, // radio button
    {ChildKind::MarkButton, DisabledMark::Square}, // three-state box
    {ChildKind::MarkButton, DisabledMark::Square}, // automatic three-state box
    {ChildKind::MarkButton, DisabledMark::None},   // group box
    {ChildKind::Other, DisabledMark::None},        // user button
    {ChildKind::MarkButton, DisabledMark::Circle}, // automatic radio button
    {ChildKind::Other, DisabledMark::None},        // push box
    {ChildKind::Other, DisabledMark::None},        // owner-drawn
    {ChildKind::Other, DisabledMark::None},        // split button
    {ChildKind::Other, DisabledMark::None},        // default split button
    {ChildKind::Other, DisabledMark::None},        // command link
    {ChildKind::Other, DisabledMark::None},        // default command link
}};

const ButtonTypeRule& buttonTypeRule(std::uint32_t style) {
    return kButtonTypes[style & kButtonTypeMask];
}

// Indexed by VisualStyle; Default passes no name at all.
constexpr std::array<std::u16string_view, 4> kVisualStyleNames = {
    std::u16string_view{}, u"Explorer", u"DarkMode_Explorer", u" "};

} // namespace

// ---- The system's light/dark choice -----------------------------------------

bool darkFlagFromAppsUseLightTheme(std::optional<std::uint32_t> value) {
    return value.has_value() && *value == 0;
}

bool settingChangeNamesColorSet(const char16_t* area) {
    return area != nullptr && std::u16string_view(area) == u"ImmersiveColorSet";
}

// ---- Child windows ----------------------------------------------------------

ChildKind classifyChild(std::u16string_view className, std::uint32_t style) {
    if (equalsIgnoringAsciiCase(className, u"Button"))
        return buttonTypeRule(style).kind;
    if (equalsIgnoringAsciiCase(className, u"Static") && (style & kStaticTypeMask) <= 2)
        return ChildKind::TextStatic;
    return ChildKind::Other;
}

VisualStyle dialogChildStyle(ChildKind kind, bool dark) {
    if (kind == ChildKind::PushButton)
        return dark ? VisualStyle::DarkModeExplorer : VisualStyle::Explorer;
    return dark ? VisualStyle::Off : VisualStyle::Default;
}

VisualStyle aboutChildStyle(ChildKind kind, bool dark) {
    if (kind == ChildKind::PushButton)
        return dark ? VisualStyle::DarkModeExplorer : VisualStyle::Explorer;
    return VisualStyle::Off;
}

std::u16string_view visualStyleName(VisualStyle style) {
    const auto index = static_cast<std::size_t>(style);
    return index < kVisualStyleNames.size() ? kVisualStyleNames[index] : std::u16string_view{};
}

bool wantsDisabledPainting(ChildKind kind) {
    return kind == ChildKind::MarkButton || kind == ChildKind::TextStatic;
}

DisabledMark disabledMarkFor(std::u16string_view className, std::uint32_t style) {
    if (!equalsIgnoringAsciiCase(className, u"Button"))
        return DisabledMark::None;
    return buttonTypeRule(style).mark;
}

DisabledPaintLayout disabledPaintLayout(DisabledMark mark, Rect client, bool checked) {
    DisabledPaintLayout layout;
    layout.mark = mark;
    layout.textRect = client;
    if (mark != DisabledMark::None) {
        constexpr int kMarkSize = 14;
        layout.markRect = {client.left, client.top, client.left + kMarkSize,
                           client.top + kMarkSize};
        layout.textRect.left += 18;
        layout.textRect.top += 1;
        if (checked) {
            // A dot of 6 pixels in the circle; the tick fills more of the square.
            const int inset = mark == DisabledMark::Circle ? 4 : 3;
            layout.checkRect = {layout.markRect.left + inset, layout.markRect.top + inset,
                                layout.markRect.right - inset, layout.markRect.bottom - inset};
        }
    }
    return layout;
}

// ---- Link controls in dark mode ---------------------------------------------

Rgb recolorInk(Rgb pixel, Rgb background, const InkMapping* mappings, std::size_t count) {
    if (pixel == background)
        return pixel;
    const int p[3] = {pixel.r - background.r, pixel.g - background.g, pixel.b - background.b};
    // The mapping whose line from the background passes closest to the pixel.
    double bestPart = 0, bestMiss = 0;
    const InkMapping* best = nullptr;
    for (std::size_t i = 0; i < count; ++i) {
        const Rgb d = mappings[i].drawn;
        const int s[3] = {d.r - background.r, d.g - background.g, d.b - background.b};
        const double length = double(s[0]) * s[0] + double(s[1]) * s[1] + double(s[2]) * s[2];
        if (length == 0)
            continue;
        const double part =
            (double(p[0]) * s[0] + double(p[1]) * s[1] + double(p[2]) * s[2]) / length;
        if (part <= 0 || part > 1.1)
            continue;
        double miss = 0;
        for (int c = 0; c < 3; ++c) {
            const double off = p[c] - part * s[c];
            miss += off * off;
        }
        if (!best || miss < bestMiss) {
            best = &mappings[i];
            bestPart = part > 1 ? 1 : part;
            bestMiss = miss;
        }
    }
    // Farther than this from every line, the pixel was not drawn in those colours.
    constexpr double kLargestMiss = 24.0 * 24.0;
    if (!best || bestMiss > kLargestMiss)
        return pixel;
    auto blend = [bestPart](std::uint8_t from, std::uint8_t to) {
        const double v = from + bestPart * (double(to) - from);
        return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v + 0.5);
    };
    return {blend(background.r, best->wanted.r), blend(background.g, best->wanted.g),
            blend(background.b, best->wanted.b)};
}

// ---- Menu-bar items ---------------------------------------------------------

MenuBarItemLook menuBarItemLook(std::uint32_t state) {
    using namespace item_state;
    MenuBarItemLook look;
    if (state & (kInactive | kDefault))
        look.state = BarItemState::Normal;
    if (state & kHotLight) {
        look.state = BarItemState::Hot;
        look.fill = kMenuBarHot;
    }
    if (state & kSelected) {
        look.state = BarItemState::Pushed;
        look.fill = kMenuBarPushed;
    }
    if (state & (kGrayed | kDisabled)) {
        look.state = BarItemState::Disabled;
        look.text = kMenuBarDisabledText;
    }
    look.hidePrefix = (state & kNoAccel) != 0;
    return look;
}

} // namespace tapwell::theme
