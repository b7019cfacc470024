#include "dialog/delivery_menu.h"
#include "dialog/menu_key_items.h"
#include "keystroke/keyboard_layout.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <vector>

using namespace tapwell;

namespace {

// As a machine lists them: US, Japanese with its input method, US Dvorak
// (a handle whose top bit is set).
const std::vector<InstalledLayoutEntry> kMachine = {
    {0x04090409u, u"English (United States)"},
    {0xE0010411u, u"Japanese"},
    {0xF0020409u, u"English (United States)"},
};

} // namespace

TEST(DeliveryMenu, InstalledLayoutsGetConsecutiveCommandsAndTheirIdsInHex) {
    std::vector<LayoutMenuItem> items = installedLayoutItems(kMachine);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].commandId, IDM_LAYOUT_INSTALLED_FIRST);
    EXPECT_EQ(items[2].commandId, IDM_LAYOUT_INSTALLED_FIRST + 2);
    EXPECT_EQ(items[0].layoutId, 0x04090409u);
    EXPECT_EQ(items[2].layoutId, 0xF0020409u);
    // Two layouts of one language tell apart by their ids.
    EXPECT_EQ(items[0].text, u"English (United States)\t04090409");
    EXPECT_EQ(items[1].text, u"Japanese\tE0010411");
    EXPECT_EQ(items[2].text, u"English (United States)\tF0020409");

    const std::vector<InstalledLayoutEntry> nameless = {{0x0000000Au, u""}};
    EXPECT_EQ(installedLayoutItems(nameless)[0].text, u"0000000A");
}

TEST(DeliveryMenu, InstalledLayoutsStopAtTheEndOfTheirRangeAndSkipBuiltInIds) {
    std::vector<InstalledLayoutEntry> many;
    for (std::uint32_t i = 0; i < 60; ++i)
        many.push_back({0x04090000u + i, u"x"});
    many.insert(many.begin(), InstalledLayoutEntry{kLayoutJapanese, u"clash"});
    many.insert(many.begin(), InstalledLayoutEntry{kLayoutLocal, u"clash"});
    std::vector<LayoutMenuItem> items = installedLayoutItems(many);
    ASSERT_EQ(items.size(), std::size_t(IDM_LAYOUT_LAST - IDM_LAYOUT_INSTALLED_FIRST + 1));
    EXPECT_EQ(items.front().layoutId, 0x04090000u);
    EXPECT_EQ(items.back().commandId, IDM_LAYOUT_LAST);
}

TEST(DeliveryMenu, CommandsSetTheSettingsAndOthersLeaveThemAlone) {
    std::vector<LayoutMenuItem> items = installedLayoutItems(kMachine);
    Settings s;
    EXPECT_TRUE(applyDeliveryCommand(s, IDM_DELIVERY_KEY_PRESSES, items));
    EXPECT_EQ(s.iDelivery, 1);
    EXPECT_TRUE(applyDeliveryCommand(s, IDM_LAYOUT_INSTALLED_FIRST + 2, items));
    EXPECT_EQ(s.iTargetLayout, 0xF0020409u);
    EXPECT_TRUE(applyDeliveryCommand(s, IDM_LAYOUT_US, items));
    EXPECT_EQ(s.iTargetLayout, kLayoutUs101);
    EXPECT_TRUE(applyDeliveryCommand(s, IDM_LAYOUT_JAPANESE, items));
    EXPECT_EQ(s.iTargetLayout, kLayoutJapanese);

    // A command past the installed items, and the commands around the range.
    const Settings before = s;
    for (int other : {IDM_LAYOUT_INSTALLED_FIRST + 3, IDM_ERROR_STOP, IDM_ALWAYS_TOP, IDM_HELP})
        EXPECT_FALSE(applyDeliveryCommand(s, other, items)) << other;
    EXPECT_EQ(s, before);

    EXPECT_TRUE(applyDeliveryCommand(s, IDM_LAYOUT_LOCAL, items));
    EXPECT_EQ(s.iTargetLayout, kLayoutLocal);
    EXPECT_TRUE(applyDeliveryCommand(s, IDM_DELIVERY_WRITTEN, items));
    EXPECT_EQ(s.iDelivery, 0);
}

TEST(DeliveryMenu, CheckMarksFollowTheSettings) {
    std::vector<LayoutMenuItem> items = installedLayoutItems(kMachine);
    EXPECT_EQ(checkedDeliveryCommand(0), IDM_DELIVERY_WRITTEN);
    EXPECT_EQ(checkedDeliveryCommand(1), IDM_DELIVERY_KEY_PRESSES);
    EXPECT_EQ(checkedLayoutCommand(kLayoutLocal, items), IDM_LAYOUT_LOCAL);
    EXPECT_EQ(checkedLayoutCommand(kLayoutUs101, items), IDM_LAYOUT_US);
    EXPECT_EQ(checkedLayoutCommand(kLayoutJapanese, items), IDM_LAYOUT_JAPANESE);
    EXPECT_EQ(checkedLayoutCommand(0xE0010411u, items), IDM_LAYOUT_INSTALLED_FIRST + 1);
    // A layout removed since it was chosen: the run types on the local one.
    EXPECT_EQ(checkedLayoutCommand(0x04070407u, items), IDM_LAYOUT_LOCAL);
    EXPECT_EQ(checkedLayoutCommand(0xE0010411u, {}), IDM_LAYOUT_LOCAL);
}

// A menu command carries only its id: a delivery item that shared one with a
// key item of the Special Key Input menu would insert a key instead.
TEST(DeliveryMenu, NoCommandSharesItsIdWithAKeyItem) {
    std::vector<int> ids = {IDM_DELIVERY_WRITTEN, IDM_DELIVERY_KEY_PRESSES, IDM_LAYOUT_LOCAL,
                            IDM_LAYOUT_US, IDM_LAYOUT_JAPANESE};
    for (int id = IDM_LAYOUT_INSTALLED_FIRST; id <= IDM_LAYOUT_LAST; ++id)
        ids.push_back(id);
    for (KeySubmenu sub : {KeySubmenu::Push, KeySubmenu::Pull, KeySubmenu::PushAndPull}) {
        for (const KeyMenuItem& key : keyMenuItems(sub, Language::English)) {
            for (int id : ids)
                EXPECT_NE(key.commandId, id) << key.commandId;
        }
    }
    for (int id : ids)
        EXPECT_FALSE(insertionTextForCommand(id).has_value()) << id;
}
