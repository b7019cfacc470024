#include "app/dialog_tooltips_win32.h"

#include "app/dialog_texts.h"

#include <commctrl.h>

#include <string>

namespace tapwell {

HWND createDialogTooltips(HWND dialog, UiLanguage language) {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE));
    HWND tip =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr, instance, nullptr);
    if (!tip)
        return nullptr;
    SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, 400);
    for (const TooltipEntry& entry : tooltipTable(language)) {
        if (entry.controlId == 0)
            break;
        HWND control = GetDlgItem(dialog, entry.controlId);
        if (!control)
            continue;
        std::u16string text(entry.text);
        TTTOOLINFOW info{};
        info.cbSize = sizeof(info);
        info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        info.hwnd = dialog;
        info.uId = reinterpret_cast<UINT_PTR>(control);
        info.lpszText = reinterpret_cast<wchar_t*>(text.data());
        SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
    return tip;
}

} // namespace tapwell
