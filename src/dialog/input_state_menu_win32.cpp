#include "dialog/input_state_menu.h"
#include "dialog/main_dialog_win32.h"

namespace tapwell {

void checkInputStateItems(HMENU menuBar, const Settings& settings) {
    for (const InputStateChoice& choice : inputStateChoices()) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE;
        const UINT id = static_cast<UINT>(choice.commandId);
        if (!GetMenuItemInfoW(menuBar, id, FALSE, &info))
            continue;
        info.fType |= MFT_RADIOCHECK;
        info.fState = (info.fState & ~static_cast<UINT>(MFS_CHECKED)) |
                      (inputStateChoiceChecked(choice, settings) ? MFS_CHECKED : MFS_UNCHECKED);
        SetMenuItemInfoW(menuBar, id, FALSE, &info);
    }
}

} // namespace tapwell
