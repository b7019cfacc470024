// The Hotkeys dialog: the system's hotkey control for each of the two
// hotkeys. OK checks and registers them; a refused one keeps the dialog open
// with a message that names it and suggests another.
#include "about/dialog_template.h"
#include "common/windows_glue_win32.h"
#include "quick/quick_parts_win32.h"
#include "quick/quick_texts.h"
#include "theme/theme_win32.h"

#include <commctrl.h>

namespace tapwell {

namespace {

using about::ControlClass;
using about::TemplateControl;
using about::TemplateDialog;
namespace style = about::style;

constexpr std::uint16_t kClipboardControl = 101;
constexpr std::uint16_t kTextControl = 102;
constexpr std::uint32_t kBorder = 0x00800000;
// The hotkey control's modifier bits (HOTKEYF_SHIFT, _CONTROL, _ALT) are
// Hotkey's shifted down by 8; its extended-key bit has no meaning here.
constexpr std::uint32_t kControlModifiers = 0x7;

struct DialogState {
    HotkeysDialogContext* context;
};

WPARAM controlValue(Hotkey h) {
    return h.none() ? 0 : (h.key() | (((h.value >> 8) & kControlModifiers) << 8));
}

Hotkey fromControl(HWND dialog, int id) {
    const auto word =
        static_cast<std::uint32_t>(SendDlgItemMessageW(dialog, id, HKM_GETHOTKEY, 0, 0));
    return Hotkey::of(static_cast<std::uint8_t>(word & 0xFF), ((word >> 8) & kControlModifiers)
                                                                  << 8);
}

// Checks one hotkey and registers it; false after the message.
bool accept(HWND dialog, HotkeysDialogContext& c, int id, Hotkey wanted, Hotkey current) {
    if (wanted == current)
        return true;
    std::vector<std::unique_ptr<AltGrLayout>> owned = installedAltGrLayouts();
    std::vector<const AltGrLayout*> layouts;
    for (const auto& l : owned)
        layouts.push_back(l.get());
    std::optional<HotkeyConflict> conflict = altGrConflict(wanted, layouts);
    if (!conflict && c.registerHotkey(id, wanted))
        return true;
    const Hotkey preferred = id == 1 ? kProposedClipboardHotkey : Hotkey{};
    std::optional<Hotkey> suggestion = suggestHotkey(preferred, layouts, c.available);
    showAppMessage(dialog, hotkeyRefusal(wanted, conflict, suggestion, c.language), c.programTitle,
                   MB_OK | MB_ICONEXCLAMATION);
    SetFocus(GetDlgItem(dialog, id == 1 ? kClipboardControl : kTextControl));
    return false;
}

INT_PTR CALLBACK dialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    switch (msg) {
    case WM_INITDIALOG: {
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        state = reinterpret_cast<DialogState*>(lParam);
        HotkeysDialogContext& c = *state->context;
        Hotkey clipboard = c.clipboard;
        // Proposed when it passes both checks, nothing otherwise.
        if (clipboard.none()) {
            std::vector<std::unique_ptr<AltGrLayout>> owned = installedAltGrLayouts();
            std::vector<const AltGrLayout*> layouts;
            for (const auto& l : owned)
                layouts.push_back(l.get());
            if (!altGrConflict(kProposedClipboardHotkey, layouts) &&
                c.available(kProposedClipboardHotkey))
                clipboard = kProposedClipboardHotkey;
        }
        SendDlgItemMessageW(hwnd, kClipboardControl, HKM_SETHOTKEY, controlValue(clipboard), 0);
        SendDlgItemMessageW(hwnd, kTextControl, HKM_SETHOTKEY, controlValue(c.text), 0);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK && state) {
            HotkeysDialogContext& c = *state->context;
            const Hotkey clipboard = fromControl(hwnd, kClipboardControl);
            const Hotkey text = fromControl(hwnd, kTextControl);
            if (!accept(hwnd, c, 1, clipboard, c.clipboard))
                return TRUE;
            c.clipboard = clipboard;
            if (!accept(hwnd, c, 2, text, c.text))
                return TRUE;
            c.text = text;
            EndDialog(hwnd, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(hwnd, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace

bool runHotkeysDialog(HWND owner, HotkeysDialogContext& context) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_HOTKEY_CLASS};
    InitCommonControlsEx(&icc);
    const Language lang = context.language;
    const std::uint32_t label = style::kChild | style::kVisible;
    const std::uint32_t field = style::kChild | style::kVisible | style::kTabStop | kBorder;
    const std::uint32_t button = style::kChild | style::kVisible | style::kTabStop;
    TemplateDialog d;
    d.style = style::kPopup | style::kCaption | style::kSysMenu | style::kDsSetFont |
              style::kDsModalFrame | style::kDsCenter;
    d.cx = 236;
    d.cy = 104;
    d.title = quickText(QuickText::HotkeysTitle, lang);
    d.pointSize = 9;
    d.fontFace = lang == Language::Japanese ? u"MS UI Gothic" : u"MS Shell Dlg";
    d.controls = {
        {0xFFFF,
         ControlClass::Static,
         {},
         label,
         0,
         7,
         10,
         100,
         10,
         quickText(QuickText::HotkeysClipboardLabel, lang)},
        {kClipboardControl, ControlClass::Named, u"msctls_hotkey32", field, 0, 108, 8, 121, 14, {}},
        {0xFFFF,
         ControlClass::Static,
         {},
         label,
         0,
         7,
         30,
         100,
         10,
         quickText(QuickText::HotkeysTextLabel, lang)},
        {kTextControl, ControlClass::Named, u"msctls_hotkey32", field, 0, 108, 28, 121, 14, {}},
        {0xFFFF,
         ControlClass::Static,
         {},
         label,
         0,
         7,
         50,
         222,
         30,
         quickText(QuickText::HotkeysNote, lang)},
        {IDOK,
         ControlClass::Button,
         {},
         button | style::kBsDefPushButton,
         0,
         124,
         84,
         50,
         14,
         quickText(QuickText::ButtonOk, lang)},
        {IDCANCEL,
         ControlClass::Button,
         {},
         button,
         0,
         179,
         84,
         50,
         14,
         quickText(QuickText::ButtonCancel, lang)},
    };
    const auto block = about::buildDialogTemplate(d);
    if (!block)
        return false;
    DialogState state{&context};
    const INT_PTR result = DialogBoxIndirectParamW(
        GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(block->bytes.data()), owner,
        dialogProc, reinterpret_cast<LPARAM>(&state));
    return result == IDOK;
}

} // namespace tapwell
