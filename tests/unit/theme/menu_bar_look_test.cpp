#include "theme/menu_bar_look.h"

#include <gtest/gtest.h>

namespace tapwell::theme {
namespace {

using namespace item_state;

TEST(MenuBarLook, StatesGiveTheirFillsAndParts) {
    const auto normal = menuBarItemLook(0);
    EXPECT_EQ(normal.state, BarItemState::Normal);
    EXPECT_EQ(normal.fill, kMenuBarNormal);
    EXPECT_EQ(normal.text, kDarkText);
    EXPECT_FALSE(normal.hidePrefix);

    const auto hot = menuBarItemLook(kHotLight);
    EXPECT_EQ(hot.state, BarItemState::Hot);
    EXPECT_EQ(hot.fill, (Rgb{61, 61, 61}));

    const auto pushed = menuBarItemLook(kSelected | kHotLight);
    EXPECT_EQ(pushed.state, BarItemState::Pushed);
    EXPECT_EQ(pushed.fill, (Rgb{53, 53, 53}));

    for (std::uint32_t off : {kGrayed, kDisabled, kGrayed | kHotLight}) {
        const auto look = menuBarItemLook(off);
        EXPECT_EQ(look.state, BarItemState::Disabled);
        EXPECT_EQ(look.text, (Rgb{109, 109, 109}));
    }
    EXPECT_EQ(menuBarItemLook(kInactive).state, BarItemState::Normal);
    EXPECT_EQ(menuBarItemLook(kDefault).fill, kMenuBarNormal);
    EXPECT_TRUE(menuBarItemLook(kNoAccel | kHotLight).hidePrefix);
}

} // namespace
} // namespace tapwell::theme
