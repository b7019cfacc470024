#include "dialog/dialog_layout.h"

#include "resource.h"

#include <algorithm>
#include <array>

namespace tapwell {

namespace {

using K = AnchorKind;

constexpr std::array<AnchorSpec, 35> kMainAnchors{{
    {IDC_MODE_KEYBOARD, K::Fixed},
    {IDC_MODE_UNICODE, K::Fixed},
    {IDC_MODE_SCRIPT, K::Fixed},
    {IDC_MODE_DESCRIPTION, K::StretchAcross},
    {IDC_TEXT, K::StretchBoth},
    {IDC_SETTINGS_GROUP, K::BottomStretchAcross},
    {IDC_WAIT_AFTER_START, K::BottomLeft},
    {IDC_WAIT_SEC, K::BottomLeft},
    {IDC_WAIT_SEC_SPIN, K::BottomLeft},
    {IDC_WAIT_SEC_LABEL, K::BottomLeft},
    {IDC_WAIT_UNTIL_TIME, K::BottomLeft},
    {IDC_TIME_HOUR, K::BottomLeft},
    {IDC_TIME_HOUR_SPIN, K::BottomLeft},
    {IDC_TIME_HOUR_LABEL, K::BottomLeft},
    {IDC_TIME_MIN, K::BottomLeft},
    {IDC_TIME_MIN_SPIN, K::BottomLeft},
    {IDC_TIME_MIN_LABEL, K::BottomLeft},
    {IDC_TIME_SEC, K::BottomLeft},
    {IDC_TIME_SEC_SPIN, K::BottomLeft},
    {IDC_TIME_SEC_LABEL, K::BottomLeft},
    {IDC_INTERVAL_LABEL, K::BottomLeft},
    {IDC_INTERVAL, K::BottomLeft},
    {IDC_INTERVAL_SPIN, K::BottomLeft},
    {IDC_INTERVAL_UNIT, K::BottomLeft},
    {IDC_LOOP_LABEL, K::BottomLeft},
    {IDC_LOOP, K::BottomLeft},
    {IDC_LOOP_SPIN, K::BottomLeft},
    {IDC_LOOP_UNIT, K::BottomLeft},
    {IDC_PREFIX_LABEL, K::BottomLeft},
    {IDC_PREFIX, K::BottomStretchAcross},
    {IDC_SUFFIX_LABEL, K::BottomLeft},
    {IDC_SUFFIX, K::BottomStretchAcross},
    {IDC_BIG_DIALOG, K::BottomLeft},
    {IDC_START, K::BottomRight},
    {IDC_EXIT, K::BottomRight},
}};

} // namespace

std::span<const AnchorSpec> mainDialogAnchors() {
    return kMainAnchors;
}

AnchorEntry measureAnchor(AnchorKind kind, const LayoutRect& client, const LayoutRect& control) {
    AnchorEntry e;
    e.kind = kind;
    int* d = e.distance;
    switch (kind) {
    case K::BottomLeft:
        d[0] = control.left;
        d[1] = client.bottom - control.top;
        break;
    case K::BottomRight:
        d[0] = client.right - control.left;
        d[1] = client.bottom - control.top;
        break;
    case K::StretchAcross:
        d[0] = client.width() - control.width();
        d[1] = control.height();
        break;
    case K::StretchBoth:
        d[0] = client.width() - control.width();
        d[1] = client.height() - control.height();
        break;
    case K::BottomStretchAcross:
        d[0] = client.width() - control.width();
        d[1] = client.bottom - control.top;
        d[2] = control.left;
        d[3] = control.height();
        break;
    case K::Fixed:
        break;
    }
    return e;
}

std::optional<Placement> placeAnchored(const AnchorEntry& entry, const LayoutRect& client,
                                       int topOffset, const LayoutRect& current) {
    const int* d = entry.distance;
    Placement p;
    LayoutRect& r = p.rect;
    r = current;
    auto moveTo = [&r](int left, int top) {
        const int w = r.width(), h = r.height();
        r = {left, top, left + w, top + h};
    };
    switch (entry.kind) {
    case K::BottomLeft:
        p.move = true;
        moveTo(d[0], client.bottom - d[1]);
        return p;
    case K::BottomRight:
        p.move = true;
        moveTo(client.right - d[0], client.bottom - d[1]);
        return p;
    case K::StretchAcross:
        p.resize = true;
        r.right = r.left + (client.right - d[0] - client.left);
        r.bottom = r.top + d[1];
        return p;
    case K::StretchBoth:
        p.resize = true;
        r.right = r.left + (client.right - d[0] - client.left);
        r.bottom = r.top + (client.bottom - d[1] - topOffset - client.top);
        return p;
    case K::BottomStretchAcross: {
        p.move = p.resize = true;
        const int top = client.bottom - d[1];
        r = {d[2], top, d[2] + (client.right - d[0] - client.left), top + d[3]};
        return p;
    }
    case K::Fixed:
        break;
    }
    return std::nullopt;
}

double enlargementFactor(int workWidth, int workHeight, int windowWidth, int windowHeight) {
    if (windowWidth <= 0 || windowHeight <= 0)
        return 1.0;
    const double fx = static_cast<double>(workWidth) / windowWidth;
    const double fy = static_cast<double>(workHeight) / windowHeight;
    return std::min(fx, fy);
}

int scaleLength(int length, double factor) {
    return static_cast<int>(length * factor);
}

LayoutRect scaleRect(const LayoutRect& rect, double factor) {
    const int left = scaleLength(rect.left, factor);
    const int top = scaleLength(rect.top, factor);
    return {left, top, left + scaleLength(rect.width(), factor),
            top + scaleLength(rect.height(), factor)};
}

int enlargedFontWeight(double factor) {
    return factor > 1.0 ? 600 : 400;
}

int textBoxFontHeight(double factor, Language language) {
    const int base = language == Language::Japanese ? 12 : 14;
    if (factor == 0.0)
        return base;
    return static_cast<int>(factor * base);
}

} // namespace tapwell
