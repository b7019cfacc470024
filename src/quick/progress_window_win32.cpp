#include "quick/quick_parts_win32.h"

#include "common/windows_glue_win32.h"

namespace tapwell {

namespace {

constexpr wchar_t kClassName[] = L"TapwellQuickProgress";
constexpr int kMargin = 12;
constexpr int kPadding = 8;
constexpr BYTE kOpacity = 230;

} // namespace

ProgressWindow::~ProgressWindow() {
    if (hwnd_)
        DestroyWindow(hwnd_);
    if (font_)
        DeleteObject(font_);
}

LRESULT CALLBACK ProgressWindow::proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<ProgressWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (msg) {
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT r;
        GetClientRect(hwnd, &r);
        FillRect(dc, &r, GetSysColorBrush(COLOR_INFOBK));
        FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
        if (self) {
            HGDIOBJ old = SelectObject(dc, self->font_);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
            DrawTextW(dc, self->text_.c_str(), static_cast<int>(self->text_.size()), &r,
                      DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
            SelectObject(dc, old);
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    default:
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

void ProgressWindow::show(HWND destination, std::u16string_view text) {
    if (!hwnd_) {
        HINSTANCE instance = GetModuleHandleW(nullptr);
        WNDCLASSW wc{};
        wc.lpfnWndProc = proc;
        wc.hInstance = instance;
        wc.lpszClassName = kClassName;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        RegisterClassW(&wc); // a second registration fails harmlessly
        hwnd_ = CreateWindowExW(
            WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TRANSPARENT | WS_EX_LAYERED | WS_EX_TOOLWINDOW,
            kClassName, L"tapwell", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, instance, nullptr);
        if (!hwnd_)
            return;
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SetLayeredWindowAttributes(hwnd_, 0, kOpacity, LWA_ALPHA);
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
            font_ = CreateFontIndirectW(&metrics.lfMessageFont);
    }
    text_ = toWide(text);
    place(destination);
    ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
}

void ProgressWindow::setText(std::u16string_view text) {
    std::wstring next = toWide(text);
    if (!hwnd_ || next == text_)
        return;
    text_ = std::move(next);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void ProgressWindow::hide() {
    if (hwnd_)
        ShowWindow(hwnd_, SW_HIDE);
}

// Wide enough for the longest text it shows, at the bottom right of the work
// area of the destination's monitor.
void ProgressWindow::place(HWND destination) {
    HDC dc = GetDC(hwnd_);
    HGDIOBJ old = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    SIZE size{};
    const std::wstring widest = text_ + L"  0,000,000 / 0,000,000";
    GetTextExtentPoint32W(dc, widest.c_str(), static_cast<int>(widest.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    const int width = size.cx + 2 * kPadding;
    const int height = size.cy + 2 * kPadding;
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromWindow(destination, MONITOR_DEFAULTTOPRIMARY), &info);
    const RECT& work = info.rcWork;
    SetWindowPos(hwnd_, HWND_TOPMOST, work.right - width - kMargin, work.bottom - height - kMargin,
                 width, height, SWP_NOACTIVATE);
}

} // namespace tapwell
