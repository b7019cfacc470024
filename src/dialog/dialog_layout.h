// The arithmetic of the resizable main dialog: which edges each control keeps
// its distance to, where it goes when the client area changes, and how the
// whole dialog is scaled up to fill a monitor. The Windows side measures and
// moves the real controls with these functions.
#pragma once

#include "common/language.h"

#include <cstdint>
#include <optional>
#include <span>

namespace tapwell {

struct LayoutRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const LayoutRect&) const = default;
};

enum class AnchorKind : std::uint8_t {
    Fixed = 0,
    BottomLeft = 2,
    BottomRight = 3,
    StretchAcross = 4,
    StretchBoth = 5,
    BottomStretchAcross = 6,
};

struct AnchorSpec {
    int controlId;
    AnchorKind kind;
};

// The main dialog's anchor table.
std::span<const AnchorSpec> mainDialogAnchors();

// The distances one control keeps, measured once in client coordinates.
struct AnchorEntry {
    AnchorKind kind = AnchorKind::Fixed;
    int distance[4] = {0, 0, 0, 0};
};

AnchorEntry measureAnchor(AnchorKind kind, const LayoutRect& client, const LayoutRect& control);

struct Placement {
    bool move = false;   // the position changes
    bool resize = false; // the size changes
    LayoutRect rect;     // the whole new rectangle (client coordinates)
};

// Where an anchored control goes in `client`. `topOffset` shortens the
// stretched-both control (the text box) while the controls above it have
// been pushed down by that much. nullopt: the control is left alone.
std::optional<Placement> placeAnchored(const AnchorEntry& entry, const LayoutRect& client,
                                       int topOffset, const LayoutRect& current);

// The scale that makes a window fill a work area without leaving it.
double enlargementFactor(int workWidth, int workHeight, int windowWidth, int windowHeight);
LayoutRect scaleRect(const LayoutRect& rect, double factor);
int scaleLength(int length, double factor);
// Enlarged dialogs get a semi-bold font so that the bigger text stays crisp.
int enlargedFontWeight(double factor);
// The text box's font height; factor 0 means "not enlarged".
int textBoxFontHeight(double factor, Language language);

} // namespace tapwell
