#include "dialog/delivery_menu.h"
#include "dialog/dialog_rules.h"
#include "dialog/dialog_texts.h"
#include "dialog/menu_key_items.h"
#include "keystroke/keyboard_layout.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

using namespace tapwell;

// A menu command carries only its id: another command that shared one with a
// key item of the Special Key Input menu would insert a key instead.
TEST(KeyMenuItems, OneItemPerDistinctCodeInsertingItsNameAndNoOtherCommandShares) {
    std::set<int> keyIds;
    std::set<std::u16string> names;
    for (KeySubmenu sub : {KeySubmenu::Push, KeySubmenu::Pull, KeySubmenu::PushAndPull}) {
        const auto items = keyMenuItems(sub, Language::English);
        EXPECT_EQ(items.front().commandId, keySubmenuBase(sub) + 3);
        for (const KeyMenuItem& item : items) {
            EXPECT_TRUE(keyIds.insert(item.commandId).second) << item.commandId;
            names.insert(item.text);
            const auto text = insertionTextForCommand(item.commandId).value_or(u"??");
            EXPECT_EQ(text.substr(1, text.size() - 2), item.text) << item.commandId;
        }
    }
    EXPECT_EQ(keyIds.size(), 3 * 192u);
    // A name that shares its code with the entry before it is left out.
    EXPECT_EQ(names.count(u"VK_KANA") + names.count(u"VK_OEM_NEC_EQUAL"), 2u);
    EXPECT_EQ(names.count(u"VK_HANGUL") + names.count(u"VK_OEM_FJ_JISHO"), 0u);
    std::vector<int> others = {IDM_DELIVERY_WRITTEN, IDM_DELIVERY_KEY_PRESSES, IDM_LAYOUT_LOCAL,
                               IDM_LAYOUT_US,        IDM_LAYOUT_JAPANESE,      IDM_ESC_ABORT,
                               IDM_FOCUS_GUARD,      IDM_KEY_PUSH_BASE - 1,    IDM_KEY_LAST + 1};
    for (int id = IDM_LAYOUT_INSTALLED_FIRST; id <= IDM_LAYOUT_LAST; ++id)
        others.push_back(id);
    for (int id : others)
        EXPECT_FALSE(keyIds.count(id) || insertionTextForCommand(id)) << id;
    // The push and pull forms; codes 0 and 7 name no key.
    EXPECT_EQ(insertionTextForCommand(IDM_KEY_PUSH_BASE + 'A'), u"[A)");
    EXPECT_EQ(insertionTextForCommand(IDM_KEY_PULL_BASE + 0x10), u"(VK_SHIFT]");
    EXPECT_FALSE(insertionTextForCommand(IDM_KEY_PUSH_BASE) ||
                 insertionTextForCommand(IDM_KEY_PULL_BASE + 7));
}

TEST(DeliveryMenu, InstalledLayoutsGetTheirCommandsAndTheSettingsAndCheckMarksFollow) {
    // US, Japanese with its input method, US Dvorak (a handle whose top bit is
    // set), a nameless one; then ids a built-in choice uses, which are left out.
    std::vector<InstalledLayoutEntry> machine = {
        {0x04090409u, u"English"}, {0xE0010411u, u"Japanese"}, {0xF0020409u, u"English"},
        {0x0000000Au, u""},        {kLayoutLocal, u"x"},       {kLayoutJapanese, u"x"}};
    const auto items = installedLayoutItems(machine);
    ASSERT_EQ(items.size(), 4u);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(std::tie(items[i].commandId, items[i].layoutId),
                  std::tuple(IDM_LAYOUT_INSTALLED_FIRST + i, machine[i].id));
    EXPECT_EQ(items[2].text, u"English\tF0020409");
    EXPECT_EQ(items[3].text, u"0000000A");
    for (std::uint32_t i = 0; i < 60; ++i)
        machine.push_back({0x04090000u + i, u"x"});
    EXPECT_EQ(installedLayoutItems(machine).back().commandId, IDM_LAYOUT_LAST) << "what fits";

    Settings s;
    const std::pair<int, std::uint32_t> layouts[] = {{IDM_LAYOUT_INSTALLED_FIRST + 2, 0xF0020409u},
                                                     {IDM_LAYOUT_US, kLayoutUs101},
                                                     {IDM_LAYOUT_JAPANESE, kLayoutJapanese},
                                                     {IDM_LAYOUT_LOCAL, kLayoutLocal}};
    for (const auto& [command, layout] : layouts) {
        EXPECT_TRUE(applyDeliveryCommand(s, command, items));
        EXPECT_EQ(s.iTargetLayout, layout) << command;
        EXPECT_EQ(checkedLayoutCommand(layout, items), command);
    }
    for (std::uint8_t delivery : {1, 0}) {
        const int command = delivery ? IDM_DELIVERY_KEY_PRESSES : IDM_DELIVERY_WRITTEN;
        EXPECT_TRUE(applyDeliveryCommand(s, command, items));
        EXPECT_EQ(s.iDelivery, delivery);
        EXPECT_EQ(checkedDeliveryCommand(delivery), command);
    }
    const Settings before = s;
    for (int other : {IDM_LAYOUT_INSTALLED_FIRST + 4, IDM_ERROR_STOP, IDM_ALWAYS_TOP, IDM_HELP})
        EXPECT_FALSE(applyDeliveryCommand(s, other, items)) << other;
    EXPECT_EQ(s, before);
    // A layout removed since it was chosen: the run types on the local one.
    EXPECT_EQ(checkedLayoutCommand(0x04070407u, items), IDM_LAYOUT_LOCAL);
}

TEST(ModeRules, TheModeEnablesItsControlsAndPicksItsDescription) {
    const DialogText descriptions[] = {DialogText::DescriptionKeyboard,
                                       DialogText::DescriptionUnicode,
                                       DialogText::DescriptionScript};
    // Anything past the known modes is script mode, as the radios show it.
    for (std::uint8_t asked : {0, 1, 2, 7}) {
        for (bool seconds : {true, false}) {
            const ModeControls m = modeControls(asked, seconds);
            const int mode = std::min<int>(asked, 2);
            EXPECT_EQ(std::tie(m.mode, m.upperCase, m.description),
                      std::tuple(mode, mode == 0, descriptions[mode]));
            // Script mode disables the ten sending settings; the wait radio picks
            // seconds (two controls) or clock time (six); up-downs and the text box
            // are left alone.
            std::map<int, bool> on;
            for (const ControlEnable& c : m.controls)
                on[c.controlId] = c.enabled;
            EXPECT_EQ(std::count_if(on.begin(), on.end(), [](auto& c) { return c.second; }),
                      (mode != 2) * 10 + (seconds ? 2 : 6));
            EXPECT_EQ(
                std::tuple(on.at(IDC_SUFFIX), on.at(IDC_WAIT_SEC_LABEL), on.at(IDC_TIME_HOUR)),
                std::tuple(mode != 2, seconds, !seconds));
            EXPECT_FALSE(on.count(IDC_TEXT) || on.count(IDC_LOOP_SPIN));
            EXPECT_EQ(on.size(), 18u) << "a control is set twice or missing";
        }
    }
}

TEST(RemoveCharacters, EachCommandRemovesItsOwnKindOnly) {
    const std::pair<int, const char16_t*> rows[] = {{IDM_DELETE_SPACES, u"ab\tc\r\nd\u3000e\r\n"},
                                                    {IDM_DELETE_TABS, u"a bc\r\nd\u3000e\r \n"},
                                                    {IDM_DELETE_RETURNS, u"a b\tcd\u3000e "}};
    for (const auto& [command, want] : rows)
        EXPECT_EQ(removeCharacters(u"a b\tc\r\nd\u3000e\r \n", removalForCommand(command).value()),
                  want);
    EXPECT_FALSE(removalForCommand(IDM_IGNORE_SPACE).has_value());
}
