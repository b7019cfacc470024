#include "theme/menu_bar_look.h"

namespace tapwell::theme {

MenuBarItemLook menuBarItemLook(std::uint32_t state) {
    using namespace item_state;
    MenuBarItemLook look;
    if (state & (kInactive | kDefault))
        look.state = BarItemState::Normal;
    if (state & kHotLight) {
        look.state = BarItemState::Hot;
        look.fill = kMenuBarHot;
    }
    if (state & kSelected) {
        look.state = BarItemState::Pushed;
        look.fill = kMenuBarPushed;
    }
    if (state & (kGrayed | kDisabled)) {
        look.state = BarItemState::Disabled;
        look.text = kMenuBarDisabledText;
    }
    look.hidePrefix = (state & kNoAccel) != 0;
    return look;
}

} // namespace tapwell::theme
