// Grey painting of disabled static texts, check boxes and radio buttons in
// dark mode: the system would draw them in a colour meant for light
// backgrounds, which is nearly invisible on the dark dialog.
#include "common/windows_glue_win32.h"
#include "theme/theme_rules.h"
#include "theme/theme_win32.h"
#include "theme/theme_win32_internal.h"

#include <commctrl.h>

#include <string>

namespace tapwell {

namespace {

constexpr UINT_PTR kDisabledPaintId = 0x5450574C; // arbitrary, unique to this subclass

bool paintsItself(HWND control) {
    return isDarkMode() && !IsWindowEnabled(control);
}

// The dot of a chosen radio button or the tick of a ticked box, in the
// disabled text colour.
void paintCheck(HDC dc, const theme::DisabledPaintLayout& layout) {
    const auto& c = layout.checkRect;
    if (c.right <= c.left || c.bottom <= c.top)
        return;
    const COLORREF ink = theme::toColorRef(theme::kDisabledText);
    if (layout.mark == theme::DisabledMark::Circle) {
        HBRUSH brush = CreateSolidBrush(ink);
        HPEN pen = CreatePen(PS_SOLID, 1, ink);
        HGDIOBJ oldPen = SelectObject(dc, pen);
        HGDIOBJ oldBrush = SelectObject(dc, brush);
        Ellipse(dc, c.left, c.top, c.right, c.bottom);
        SelectObject(dc, oldBrush);
        SelectObject(dc, oldPen);
        DeleteObject(brush);
        DeleteObject(pen);
        return;
    }
    HPEN pen = CreatePen(PS_SOLID, 2, ink);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    const int width = c.right - c.left, height = c.bottom - c.top;
    const POINT tick[3] = {
        {c.left, c.top + height / 2}, {c.left + width / 3, c.bottom - 1}, {c.right - 1, c.top}};
    Polyline(dc, tick, 3);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

void paintDisabled(HWND control) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(control, &ps);
    RECT client;
    GetClientRect(control, &client);
    FillRect(dc, &client, darkBrush());

    const std::wstring text = toWide(windowText(control));
    if (!text.empty()) {

        const auto style = static_cast<std::uint32_t>(GetWindowLongPtrW(control, GWL_STYLE));
        const theme::DisabledMark mark =
            theme::disabledMarkFor(theme::windowClassName(control), style);
        const bool checked = mark != theme::DisabledMark::None &&
                             SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
        const auto layout = theme::disabledPaintLayout(
            mark, {client.left, client.top, client.right, client.bottom}, checked);

        HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
        HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
        SetTextColor(dc, theme::toColorRef(theme::kDisabledText));
        SetBkMode(dc, TRANSPARENT);

        if (layout.mark != theme::DisabledMark::None) {
            HPEN pen = CreatePen(PS_SOLID, 1, theme::toColorRef(theme::kDisabledText));
            HBRUSH fill = CreateSolidBrush(theme::toColorRef(theme::kDisabledMarkFill));
            HGDIOBJ oldPen = SelectObject(dc, pen);
            HGDIOBJ oldBrush = SelectObject(dc, fill);
            const auto& m = layout.markRect;
            if (layout.mark == theme::DisabledMark::Square)
                Rectangle(dc, m.left, m.top, m.right, m.bottom);
            else
                Ellipse(dc, m.left, m.top, m.right, m.bottom);
            SelectObject(dc, oldBrush);
            SelectObject(dc, oldPen);
            DeleteObject(fill);
            DeleteObject(pen);
            paintCheck(dc, layout);
        }
        RECT textRect{layout.textRect.left, layout.textRect.top, layout.textRect.right,
                      layout.textRect.bottom};
        DrawTextW(dc, text.c_str(), -1, &textRect, DT_VCENTER);
        if (oldFont)
            SelectObject(dc, oldFont);
    }
    EndPaint(control, &ps);
}

LRESULT CALLBACK disabledPaintProc(HWND control, UINT msg, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR id, DWORD_PTR) {
    switch (msg) {
    case WM_PAINT:
        if (paintsItself(control)) {
            paintDisabled(control);
            return 0;
        }
        break;
    case WM_ENABLE: {
        const LRESULT r = DefSubclassProc(control, msg, wParam, lParam);
        if (isDarkMode())
            RedrawWindow(control, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
        return r;
    }
    case BM_SETCHECK:
    case BM_SETSTATE:
    case WM_SETTEXT:
    case WM_UPDATEUISTATE: {
        // Buttons draw these changes at once, in their light look.
        const LRESULT r = DefSubclassProc(control, msg, wParam, lParam);
        if (paintsItself(control))
            InvalidateRect(control, nullptr, TRUE);
        return r;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(control, disabledPaintProc, id);
        break;
    }
    return DefSubclassProc(control, msg, wParam, lParam);
}

BOOL CALLBACK subclassIfWanted(HWND child, LPARAM) {
    const auto style = static_cast<std::uint32_t>(GetWindowLongPtrW(child, GWL_STYLE));
    if (theme::wantsDisabledPainting(theme::classifyChild(theme::windowClassName(child), style)))
        SetWindowSubclass(child, disabledPaintProc, kDisabledPaintId, 0);
    return TRUE;
}

} // namespace

void subclassForDisabledPainting(HWND dialog) {
    EnumChildWindows(dialog, subclassIfWanted, 0);
}

} // namespace tapwell
