#include "theme/child_rules.h"

namespace tapwell::theme {

namespace {

bool sameClass(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char16_t c) -> char16_t { return c >= u'A' && c <= u'Z' ? c + 32 : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

constexpr std::uint32_t kButtonTypeMask = 0x0F;
constexpr std::uint32_t kStaticTypeMask = 0x1F;

enum ButtonType : std::uint32_t {
    kPush = 0,
    kDefPush = 1,
    kCheck = 2,
    kAutoCheck = 3,
    kRadio = 4,
    kThreeState = 5,
    kAutoThreeState = 6,
    kGroupBox = 7,
    kAutoRadio = 9,
};

} // namespace

ChildKind classifyChild(std::u16string_view className, std::uint32_t style) {
    if (sameClass(className, u"Button")) {
        switch (style & kButtonTypeMask) {
        case kPush:
        case kDefPush:
            return ChildKind::PushButton;
        case kCheck:
        case kAutoCheck:
        case kRadio:
        case kThreeState:
        case kAutoThreeState:
        case kGroupBox:
        case kAutoRadio:
            return ChildKind::MarkButton;
        default:
            return ChildKind::Other;
        }
    }
    if (sameClass(className, u"Static") && (style & kStaticTypeMask) <= 2)
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
    switch (style) {
    case VisualStyle::Explorer:
        return u"Explorer";
    case VisualStyle::DarkModeExplorer:
        return u"DarkMode_Explorer";
    case VisualStyle::Off:
        return u" ";
    case VisualStyle::Default:
        break;
    }
    return {};
}

bool wantsDisabledPainting(ChildKind kind) {
    return kind == ChildKind::MarkButton || kind == ChildKind::TextStatic;
}

DisabledMark disabledMarkFor(std::u16string_view className, std::uint32_t style) {
    if (!sameClass(className, u"Button"))
        return DisabledMark::None;
    switch (style & kButtonTypeMask) {
    case kCheck:
    case kAutoCheck:
    case kThreeState:
    case kAutoThreeState:
        return DisabledMark::Square;
    case kRadio:
    case kAutoRadio:
        return DisabledMark::Circle;
    default:
        return DisabledMark::None;
    }
}

DisabledPaintLayout disabledPaintLayout(DisabledMark mark, Rect client) {
    DisabledPaintLayout layout;
    layout.mark = mark;
    layout.textRect = client;
    if (mark != DisabledMark::None) {
        constexpr int kMarkSize = 14;
        layout.markRect = {client.left, client.top, client.left + kMarkSize,
                           client.top + kMarkSize};
        layout.textRect.left += 18;
        layout.textRect.top += 1;
    }
    return layout;
}

} // namespace tapwell::theme
