#include "dialog/main_dialog_win32.h"

namespace tapwell {

namespace {

LayoutRect fromRect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

struct EnlargementState {
    HWND dialog = nullptr;
    HFONT previousFont = nullptr;
    HFONT scaledFont = nullptr;
    double scale = 0.0;
};

EnlargementState& enlargement() {
    static EnlargementState state;
    return state;
}

} // namespace

LayoutRect clientRectOf(HWND dialog) {
    RECT r{};
    GetClientRect(dialog, &r);
    return fromRect(r);
}

LayoutRect childRect(HWND dialog, HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&r), 2);
    return fromRect(r);
}

DialogAnchorLayout::DialogAnchorLayout(HWND dialog, std::span<const AnchorSpec> anchors)
    : dialog_(dialog) {
    const LayoutRect client = clientRectOf(dialog);
    for (const AnchorSpec& spec : anchors) {
        Entry e;
        e.control = GetDlgItem(dialog, spec.controlId);
        e.anchor.kind = spec.kind;
        if (e.control)
            e.anchor = measureAnchor(spec.kind, client, childRect(dialog, e.control));
        entries_.push_back(e);
    }
    RECT w{};
    GetWindowRect(dialog, &w);
    minWidth_ = static_cast<std::uint32_t>(w.right - w.left);
    minHeight_ = static_cast<std::uint32_t>(w.bottom - w.top);
}

void DialogAnchorLayout::setMinimumTrackingSize(std::uint32_t width, std::uint32_t height) {
    minWidth_ = width;
    minHeight_ = height;
}

void DialogAnchorLayout::relayout() const {
    const LayoutRect client = clientRectOf(dialog_);
    for (const Entry& e : entries_) {
        if (!e.control)
            continue;
        const LayoutRect current = childRect(dialog_, e.control);
        auto place = placeAnchored(e.anchor, client, topOffset_, current);
        if (!place)
            continue;
        UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
        if (!place->move)
            flags |= SWP_NOMOVE;
        if (!place->resize)
            flags |= SWP_NOSIZE;
        const LayoutRect& r = place->rect;
        SetWindowPos(e.control, nullptr, r.left, r.top, r.width(), r.height(), flags);
    }
    InvalidateRect(dialog_, nullptr, TRUE);
}

void DialogAnchorLayout::applyTrackingSize(MINMAXINFO& info) const {
    info.ptMinTrackSize.x = static_cast<LONG>(minWidth_);
    info.ptMinTrackSize.y = static_cast<LONG>(minHeight_);
}

bool enlargeDialog(HWND dialog) {
    if (!IsWindow(dialog))
        return false;
    EnlargementState& st = enlargement();
    RECT w{};
    GetWindowRect(dialog, &w);
    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    HMONITOR monitor = MonitorFromPoint(POINT{w.left, w.top}, MONITOR_DEFAULTTONEAREST);
    if (!GetMonitorInfoW(monitor, &mi))
        return false;
    const double factor =
        enlargementFactor(mi.rcWork.right - mi.rcWork.left, mi.rcWork.bottom - mi.rcWork.top,
                          w.right - w.left, w.bottom - w.top);
    st.dialog = dialog;
    st.scale = factor;
    SetWindowPos(dialog, nullptr, 0, 0, scaleLength(w.right - w.left, factor),
                 scaleLength(w.bottom - w.top, factor), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetParent(child) != dialog)
            continue;
        const LayoutRect r = scaleRect(childRect(dialog, child), factor);
        SetWindowPos(child, nullptr, r.left, r.top, r.width(), r.height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        if (!st.scaledFont) {
            HFONT current = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
            LOGFONTW lf{};
            GetObjectW(current ? current : GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
            lf.lfHeight = scaleLength(lf.lfHeight, factor);
            lf.lfWidth = scaleLength(lf.lfWidth, factor);
            lf.lfWeight = enlargedFontWeight(factor);
            st.scaledFont = CreateFontIndirectW(&lf);
            st.previousFont = current;
        }
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(st.scaledFont), FALSE);
    }
    return true;
}

double enlargementScale() {
    return enlargement().scale;
}

void undoEnlargement() {
    EnlargementState& st = enlargement();
    if (st.scale == 0.0)
        return;
    if (IsWindow(st.dialog)) {
        for (HWND child = GetWindow(st.dialog, GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT))
            SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(st.previousFont), FALSE);
    }
    if (st.scaledFont)
        DeleteObject(st.scaledFont);
    st = EnlargementState{};
}

} // namespace tapwell
