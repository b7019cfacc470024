
#include "dialog/main_dialog_win32.h"
#include "dialog/menu_key_items.h"
#include "keystroke/keystroke_win32.h"
#include "keystroke/simulation_run.h"
#include "resource.h"

namespace tapwell {

void fillKeySubmenus(HMENU menuBar, Language language) {
    HMENU keys = GetSubMenu(menuBar, 2);
    if (!keys)
        return;
    const KeySubmenu order[] = {KeySubmenu::Push, KeySubmenu::Pull, KeySubmenu::PushAndPull};
    for (int i = 0; i < 3; ++i) {
        HMENU sub = GetSubMenu(keys, 3 + i);
        if (!sub)
            continue;
        for (const KeyMenuItem& item : keyMenuItems(order[i], language))
            AppendMenuW(sub, MF_STRING, static_cast<UINT_PTR>(item.commandId), wide(item.text));
        DeleteMenu(sub, 0, MF_BYPOSITION);
    }
}

namespace {

constexpr int kSettingsMenu = 1;

// The submenu of the Settings menu that holds the local layout's item.
HMENU layoutSubmenu(HMENU menuBar) {
    HMENU settings = GetSubMenu(menuBar, kSettingsMenu);
    const int count = settings ? GetMenuItemCount(settings) : 0;
    for (int i = 0; i < count; ++i) {
        HMENU sub = GetSubMenu(settings, i);
        if (sub && GetMenuState(sub, IDM_LAYOUT_LOCAL, MF_BYCOMMAND) != static_cast<UINT>(-1))
            return sub;
    }
    return nullptr;
}

// A radio bullet rather than a tick, on the one item of `ids` that is `on`.
void radioCheck(HMENU menu, std::span<const int> ids, int on) {
    for (int id : ids) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(id), FALSE, &info))
            continue;
        info.fType |= MFT_RADIOCHECK;
        info.fState = (info.fState & ~static_cast<UINT>(MFS_CHECKED)) |
                      (id == on ? MFS_CHECKED : MFS_UNCHECKED);
        SetMenuItemInfoW(menu, static_cast<UINT>(id), FALSE, &info);
    }
}

} // namespace

std::vector<LayoutMenuItem> fillLayoutSubmenu(HMENU menuBar) {
    HMENU sub = layoutSubmenu(menuBar);
    if (!sub)
        return {};
    std::vector<LayoutMenuItem> items = installedLayoutItems(installedKeyboardLayouts());
    if (!items.empty())
        AppendMenuW(sub, MF_SEPARATOR, 0, nullptr);
    for (const LayoutMenuItem& item : items)
        AppendMenuW(sub, MF_STRING, static_cast<UINT_PTR>(item.commandId), wide(item.text));
    return items;
}

void checkDeliveryItems(HMENU menuBar, const Settings& settings,
                        std::span<const LayoutMenuItem> installedLayouts) {
    const int deliveries[] = {IDM_DELIVERY_WRITTEN, IDM_DELIVERY_KEY_PRESSES};
    radioCheck(menuBar, deliveries, checkedDeliveryCommand(settings.iDelivery));
    std::vector<int> layouts = {IDM_LAYOUT_LOCAL, IDM_LAYOUT_US, IDM_LAYOUT_JAPANESE};
    for (const LayoutMenuItem& item : installedLayouts)
        layouts.push_back(item.commandId);
    radioCheck(menuBar, layouts, checkedLayoutCommand(settings.iTargetLayout, installedLayouts));
}

bool insertNotationForCommand(HWND textBox, int commandId) {
    auto text = insertionTextForCommand(commandId);
    if (!text)
        return false;
    SendMessageW(textBox, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide(*text)));
    return true;
}

namespace {

void moveTop(HWND dialog, int controlId, int top) {
    HWND control = GetDlgItem(dialog, controlId);
    if (!control)
        return;
    const LayoutRect r = childRect(dialog, control);
    SetWindowPos(control, nullptr, r.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Moves the mode prompt, the three mode radios, the mode description and the
// text box to their remembered tops plus `shift`.
void shiftControls(MainDialogState& d, int shift) {
    moveTop(d.hwnd, IDC_MODE_PROMPT, d.rememberedTop[0] + shift);
    for (int id : {IDC_MODE_KEYBOARD, IDC_MODE_UNICODE, IDC_MODE_SCRIPT})
        moveTop(d.hwnd, id, d.rememberedTop[1] + shift);
    moveTop(d.hwnd, IDC_MODE_DESCRIPTION, d.rememberedTop[2] + shift);
    moveTop(d.hwnd, IDC_TEXT, d.rememberedTop[3] + shift);
}

int promptTop(const MainDialogState& d) {
    HWND prompt = GetDlgItem(d.hwnd, IDC_MODE_PROMPT);
    return prompt ? childRect(d.hwnd, prompt).top : d.rememberedTop[0];
}

} // namespace

void applyMenuBarMode(MainDialogState& d, bool dark) {
    const int menuHeight = GetSystemMetrics(SM_CYMENU);
    if (dark) {
        SetMenu(d.hwnd, nullptr);
        // During a run the buttons stay disabled like the menus they stand
        // for: File > Exit would close the dialog under the run.
        const bool running = d.run && d.run->running();
        for (int id = IDC_MENU_FILE; id <= IDC_MENU_HELP; ++id) {
            HWND button = GetDlgItem(d.hwnd, id);
            ShowWindow(button, SW_SHOW);
            EnableWindow(button, running ? FALSE : TRUE);
        }
        if (promptTop(d) == d.rememberedTop[0])
            shiftControls(d, menuHeight);
    } else {
        SetMenu(d.hwnd, d.menu);
        for (int id = IDC_MENU_FILE; id <= IDC_MENU_HELP; ++id) {
            HWND button = GetDlgItem(d.hwnd, id);
            ShowWindow(button, SW_HIDE);
            EnableWindow(button, FALSE);
        }
        if (promptTop(d) != d.rememberedTop[0])
            shiftControls(d, 0);
    }
    d.menuButtonsShown = dark;
    if (d.layout) {
        d.layout->setTopOffset(dark ? menuHeight : 0);
        d.layout->relayout();
    }
}

void popUpMenuOfButton(MainDialogState& d, int buttonId) {
    HWND button = GetDlgItem(d.hwnd, buttonId);
    HMENU popup = GetSubMenu(d.menu, buttonId - IDC_MENU_FILE);
    if (!button || !popup)
        return;
    RECT r{};
    GetWindowRect(button, &r);
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, r.left, r.bottom, 0,
                   d.hwnd, nullptr);
}

namespace {

HWND g_dialog = nullptr;
HHOOK g_hook = nullptr;

LRESULT CALLBACK acceleratorProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && g_dialog && GetActiveWindow() == g_dialog) {
        // Bit 31: release; bit 30: the key was already down (auto-repeat).
        const bool firstPress = (lParam & (1LL << 31)) == 0 && (lParam & (1LL << 30)) == 0;
        if (firstPress) {
            const int command = acceleratorCommand(wParam, GetKeyState(VK_CONTROL) < 0);
            if (command != 0) {
                // Posted: a file dialog must not run inside the hook.
                PostMessageW(g_dialog, WM_COMMAND, MAKEWPARAM(command, 0), 0);
                return 1;
            }
        }
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

} // namespace

int acceleratorCommand(WPARAM virtualKey, bool controlHeld) {
    if (controlHeld && virtualKey == 'L')
        return IDM_LOAD_TEXT;
    if (controlHeld && virtualKey == 'S')
        return IDM_SAVE_TEXT;
    if (virtualKey == VK_F10)
        return IDM_ABOUT;
    return 0;
}

HHOOK installAcceleratorHook(HWND dialog) {
    g_dialog = dialog;
    g_hook = SetWindowsHookExW(WH_KEYBOARD, acceleratorProc, nullptr, GetCurrentThreadId());
    return g_hook;
}

void removeAcceleratorHook(HHOOK hook) {
    if (hook)
        UnhookWindowsHookEx(hook);
    if (hook == g_hook) {
        g_hook = nullptr;
        g_dialog = nullptr;
    }
}

} // namespace tapwell
