#include "theme_test_support.h"

#include "about/dialog_template.h"
#include "theme/theme_win32.h"

namespace tapwell::wintest {

namespace {
constexpr const wchar_t* kKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
constexpr const wchar_t* kValue = L"AppsUseLightTheme";

std::optional<DWORD> readValue() {
    DWORD value = 0, size = sizeof(value), type = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, kKey, kValue, RRF_RT_REG_DWORD, &type, &value, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

void writeValue(std::optional<DWORD> value) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    if (value)
        RegSetValueExW(key, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&*value),
                       sizeof(DWORD));
    else
        RegDeleteValueW(key, kValue);
    RegCloseKey(key);
}
} // namespace

AppsUseLightThemeOverride::AppsUseLightThemeOverride(std::optional<DWORD> value)
    : previous_(readValue()) {
    writeValue(value);
}

AppsUseLightThemeOverride::~AppsUseLightThemeOverride() {
    writeValue(previous_);
}

std::optional<COLORREF> brushColor(HBRUSH brush) {
    LOGBRUSH lb{};
    if (!brush || GetObjectW(brush, sizeof(lb), &lb) != sizeof(lb))
        return std::nullopt;
    return lb.lbColor;
}

ColorReply askControlColor(HWND window, UINT msg, HWND control) {
    HDC dc = CreateCompatibleDC(nullptr);
    SetTextColor(dc, RGB(1, 2, 3));
    const auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(window, msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    ColorReply reply{brushColor(brush), GetTextColor(dc)};
    DeleteDC(dc);
    return reply;
}

COLORREF clientPixel(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return c;
}

void pumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
}

// ---- The test dialog --------------------------------------------------------

namespace {

INT_PTR CALLBACK themedProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    INT_PTR result = 0;
    if (handleDialogThemeMessage(dlg, msg, wParam, lParam, result))
        return result;
    if (msg == WM_SETTINGCHANGE)
        return onThemeSettingChange(dlg, lParam);
    return msg == WM_INITDIALOG;
}

INT_PTR CALLBACK plainProc(HWND, UINT msg, WPARAM, LPARAM) {
    return msg == WM_INITDIALOG;
}

} // namespace

HWND createTestDialog(bool themed) {
    using namespace about;
    using namespace about::style;
    constexpr std::uint32_t kCv = kChild | kVisible;
    TemplateDialog d;
    d.style = kPopup | kCaption | kSysMenu | kVisible;
    d.cx = 200;
    d.cy = 120;
    d.title = u"Theme test dialog";
    d.fontFace = u"MS Shell Dlg";
    d.controls = {
        {kStatic, ControlClass::Static, {}, kCv, 0, 100, 10, 90, 10, u"Static text"},
        {kCheck, ControlClass::Button, {}, kCv | 0x3, 0, 100, 30, 90, 12, u"Check"},
        {kRadio, ControlClass::Button, {}, kCv | 0x9, 0, 100, 50, 90, 12, u"Radio"},
        {kPush, ControlClass::Button, {}, kCv | kTabStop, 0, 100, 70, 50, 14, u"Push"},
        {kEdit, ControlClass::Edit, {}, kCv | kTabStop, kExClientEdge, 100, 90, 90, 12, u"edit"},
    };
    static auto block = buildDialogTemplate(d);
    return CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                      reinterpret_cast<LPCDLGTEMPLATEW>(block->bytes.data()),
                                      nullptr, themed ? themedProc : plainProc, 0);
}

} // namespace tapwell::wintest
