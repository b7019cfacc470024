#include "test_dialog.h"

#include "about/dialog_template.h"
#include "theme/theme_win32.h"

namespace tapwell::wintest {

namespace {

INT_PTR CALLBACK themedProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    INT_PTR result = 0;
    if (HandleDialogThemeMessage(dlg, msg, wParam, lParam, result))
        return result;
    if (msg == WM_SETTINGCHANGE)
        return OnThemeSettingChange(dlg, lParam);
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
