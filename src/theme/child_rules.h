// Which visual style each child window gets, and which children paint
// themselves while disabled in dark mode. Decided from the window class and
// style bits only, so that the rules can be checked without a desktop.
#pragma once

#include <cstdint>
#include <string_view>

namespace tapwell::theme {

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
    Rect markRect; // empty without a mark
    Rect textRect;
};

// A 14 x 14 mark at the top-left of the client area; with a mark the text
// moves 18 pixels right and 1 pixel down.
DisabledPaintLayout disabledPaintLayout(DisabledMark mark, Rect client);

} // namespace tapwell::theme
