// Link controls in dark mode. The control draws its plain text in the
// system's window-text colour and its links in a colour meant for a light
// background, whatever the parent's colour reply asks for; on the dark
// background both are hard to read. In dark mode the control paints into a
// bitmap, whose ink is then moved to the dark look before it is shown.
#include "theme/theme_rules.h"
#include "theme/theme_win32.h"

#include <commctrl.h>

#include <cstdint>

namespace tapwell {

namespace {

constexpr UINT_PTR kLinkPaintId = 0x5450574B; // arbitrary, unique to this subclass

struct LinkPaint {
    bool (*isDark)();
    HBRUSH (*background)();
};

theme::Rgb rgbOf(COLORREF c) {
    return {GetRValue(c), GetGValue(c), GetBValue(c)};
}

// The colours link controls are known to draw with: the window and button
// text for plain text, the highlight and hot-track colours for links.
void darkenInk(std::uint32_t* pixels, std::size_t count) {
    const theme::InkMapping mappings[] = {
        {rgbOf(GetSysColor(COLOR_WINDOWTEXT)), theme::kDarkText},
        {rgbOf(GetSysColor(COLOR_BTNTEXT)), theme::kDarkText},
        {rgbOf(GetSysColor(COLOR_HIGHLIGHT)), theme::kDarkLink},
        {rgbOf(GetSysColor(COLOR_HOTLIGHT)), theme::kDarkLink},
    };
    for (std::size_t i = 0; i < count; ++i) {
        // 32-bit DIB pixels are 0x00RRGGBB.
        const std::uint32_t v = pixels[i];
        const theme::Rgb drawn{static_cast<std::uint8_t>(v >> 16),
                               static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)};
        const theme::Rgb shown = theme::recolorInk(drawn, theme::kDarkBackground, mappings,
                                                   sizeof mappings / sizeof mappings[0]);
        pixels[i] = (std::uint32_t{shown.r} << 16) | (std::uint32_t{shown.g} << 8) | shown.b;
    }
}

void paintDark(HWND link, const LinkPaint& how) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(link, &ps);
    RECT client;
    GetClientRect(link, &client);
    const int width = client.right, height = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = width > 0 && height > 0 && memory
                         ? CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0)
                         : nullptr;
    if (!bitmap || !bits) {
        if (bitmap)
            DeleteObject(bitmap);
        if (memory)
            DeleteDC(memory);
        EndPaint(link, &ps);
        return;
    }
    HGDIOBJ old = SelectObject(memory, bitmap);
    // The control fills only its text area; the margins keep this.
    FillRect(memory, &client, how.background());
    SendMessageW(link, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    GdiFlush();
    darkenInk(static_cast<std::uint32_t*>(bits), static_cast<std::size_t>(width) * height);
    BitBlt(dc, 0, 0, width, height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    EndPaint(link, &ps);
}

LRESULT CALLBACK linkPaintProc(HWND link, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                               DWORD_PTR data) {
    const auto* how = reinterpret_cast<const LinkPaint*>(data);
    switch (msg) {
    case WM_PAINT:
        if (how->isDark() && wParam == 0) {
            paintDark(link, *how);
            return 0;
        }
        break;
    case WM_ERASEBKGND:
        if (how->isDark())
            return 1; // the painting covers the whole client area
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(link, linkPaintProc, id);
        delete how;
        break;
    }
    return DefSubclassProc(link, msg, wParam, lParam);
}

} // namespace

void subclassLinkForDarkPainting(HWND link, bool (*isDark)(), HBRUSH (*background)()) {
    if (!link || !isDark || !background)
        return;
    auto* how = new LinkPaint{isDark, background};
    if (!SetWindowSubclass(link, linkPaintProc, kLinkPaintId, reinterpret_cast<DWORD_PTR>(how)))
        delete how;
}

} // namespace tapwell
