#include "app/menu_keys_win32.h"

#include "app/dialog_controls_win32.h"
#include "app/menu_key_items.h"

namespace tapwell {

void fillKeySubmenus(HMENU menuBar, UiLanguage language) {
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

bool insertNotationForCommand(HWND textBox, int commandId) {
    auto text = insertionTextForCommand(commandId);
    if (!text)
        return false;
    SendMessageW(textBox, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide(*text)));
    return true;
}

} // namespace tapwell
