#include "dialog/delivery_menu.h"
#include "dialog/dialog_layout.h"
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
using K = AnchorKind;

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
                               IDM_FOCUS_GUARD,      IDM_KEY_PUSH_BASE - 1,    IDM_KEY_LAST + 1,
                               IDM_KEY_PUSH_BASE,    IDM_KEY_PULL_BASE + 7};
    for (int id = IDM_LAYOUT_INSTALLED_FIRST; id <= IDM_LAYOUT_LAST; ++id)
        others.push_back(id);
    for (int id : others) // codes 0 and 7 name no key either
        EXPECT_FALSE(keyIds.count(id) || insertionTextForCommand(id)) << id;
    EXPECT_EQ(insertionTextForCommand(IDM_KEY_PUSH_BASE + 'A'), u"[A)");
    EXPECT_EQ(insertionTextForCommand(IDM_KEY_PULL_BASE + 0x10), u"(VK_SHIFT]");
    EXPECT_EQ(insertionTextForCommand(IDM_INSERT_PAUSE), u"!");
    EXPECT_EQ(insertionTextForCommand(IDM_INSERT_WAIT), u"[WAIT:1000]");
    // The Japanese menu adds each key's description to its name.
    const KeyMenuItem ja = keyMenuItems(KeySubmenu::Push, Language::Japanese)[0];
    EXPECT_EQ(ja.text, u"VK_CANCEL \u2026 Ctrl+Break処理");
}

TEST(DeliveryMenu, InstalledLayoutsGetTheirCommandsAndTheSettingsAndCheckMarksFollow) {
    // US, Japanese with its IME, US Dvorak (top bit set), a nameless one; built-in ids go.
    std::vector<InstalledLayout> machine = {{0x04090409u, u"English"}, {0xE0010411u, u"Japanese"},
                                            {0xF0020409u, u"English"}, {0x0000000Au, u""},
                                            {kLayoutLocal, u"x"},      {kLayoutJapanese, u"x"}};
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
    for (Delivery delivery : {Delivery::KeyPresses, Delivery::Written}) {
        const int command =
            delivery == Delivery::KeyPresses ? IDM_DELIVERY_KEY_PRESSES : IDM_DELIVERY_WRITTEN;
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
            const ModeControls m = modeControls(InputMode(asked), seconds);
            const int mode = std::min<int>(asked, 2);
            EXPECT_EQ(std::tie(m.mode, m.upperCase, m.description),
                      std::tuple(InputMode(mode), mode == 0, descriptions[mode]));
            // Script mode disables the ten sending settings; the wait radio picks seconds
            // (two controls) or clock time (six); up-downs and the text box stay.
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

TEST(ModeRules, RadiosGiveTheModeAndARunLocksAllButStartAndTheUpDowns) {
    // The keyboard radio wins; with neither radio set it is script mode.
    EXPECT_EQ(std::vector({modeFromRadios(true, true), modeFromRadios(true, false),
                           modeFromRadios(false, true), modeFromRadios(false, false)}),
              std::vector({InputMode::Keyboard, InputMode::Keyboard, InputMode::Unicode,
                           InputMode::Script}));
    const auto locked = runLockedControls();
    const std::set<int> ids(locked.begin(), locked.end());
    EXPECT_EQ(std::tuple(locked.size(), ids.size()), std::tuple(20u, 20u));
    for (int id : {IDC_EXIT, IDC_TEXT, IDC_MENU_FILE, IDC_BIG_DIALOG})
        EXPECT_TRUE(ids.count(id)) << id;
    for (int id : {IDC_START, IDC_WAIT_SEC_SPIN, IDC_INTERVAL_SPIN, IDC_LOOP_SPIN})
        EXPECT_FALSE(ids.count(id)) << id;
}

TEST(DialogTexts, TheStartTooltipFollowsTheButtonsRoleAndTheEscSwitch) {
    const std::tuple<Language, bool, bool, std::u16string_view> rows[] = {
        {Language::English, false, true, u"Start keyboard simulation"},
        {Language::Japanese, false, false,
         u"キーボードシミュレート(またはスクリプトの実行)を開始します"},
        {Language::English, true, true, u"Stop the run (Esc in any window also stops it)"},
        {Language::Japanese, true, false, u"入力を中止します"}};
    for (const auto& [language, running, escStops, text] : rows)
        EXPECT_EQ(startButtonTooltip(language, running, escStops), text);
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

TEST(AnchorLayout, ControlsKeepTheirDistancesToTheEdgesTheyAreAnchoredTo) {
    const LayoutRect client{0, 0, 600, 500}, wider{0, 0, 700, 500}, taller{0, 0, 600, 650};
    // Start and Exit keep their distance to the right edge, the settings group
    // and the bottom rows to the bottom; only the text box lengthens.
    const std::tuple<K, LayoutRect, LayoutRect, LayoutRect> rows[] = {
        {K::BottomRight, {400, 470, 480, 490}, wider, {500, 470, 580, 490}},
        {K::StretchAcross, {10, 50, 590, 90}, wider, {10, 50, 690, 90}},
        {K::BottomStretchAcross, {10, 300, 590, 450}, wider, {10, 300, 690, 450}},
        {K::StretchBoth, {10, 100, 590, 280}, taller, {10, 100, 590, 430}},
        {K::BottomLeft, {20, 320, 60, 340}, taller, {20, 470, 60, 490}},
        {K::BottomRight, {400, 470, 480, 490}, taller, {400, 620, 480, 640}},
        {K::BottomStretchAcross, {150, 400, 590, 420}, taller, {150, 550, 590, 570}},
    };
    for (const auto& [kind, control, to, want] : rows) {
        SCOPED_TRACE(int(kind));
        const auto p = placeAnchored(measureAnchor(kind, client, control), to, 0, control);
        ASSERT_TRUE(p.has_value());
        EXPECT_EQ(p->rect, want);
        EXPECT_EQ(p->move, kind != K::StretchAcross && kind != K::StretchBoth);
        EXPECT_EQ(p->resize, kind != K::BottomLeft && kind != K::BottomRight);
        EXPECT_EQ(placeAnchored(measureAnchor(kind, client, control), client, 0, control)->rect,
                  control);
    }
    // With the menu bar replaced by buttons the text box has been pushed down
    // by the offset; its bottom stays where it was.
    const AnchorEntry text = measureAnchor(K::StretchBoth, client, {10, 100, 590, 280});
    EXPECT_EQ(placeAnchored(text, client, 19, {10, 119, 590, 299})->rect,
              (LayoutRect{10, 119, 590, 280}));
    // A client area not at the origin is measured from its own edges.
    const AnchorEntry moved = measureAnchor(K::StretchBoth, {5, 10, 605, 510}, {15, 110, 595, 290});
    EXPECT_EQ(placeAnchored(moved, {5, 10, 705, 610}, 0, {15, 110, 595, 290})->rect,
              (LayoutRect{15, 110, 695, 390}));
    EXPECT_FALSE(placeAnchored(measureAnchor(K::Fixed, client, client), wider, 0, client));
}

TEST(Enlargement, TheSmallerRatioScalesRectanglesAndFonts) {
    EXPECT_EQ(enlargementFactor(1200, 1500, 600, 500), 2.0);
    EXPECT_EQ(enlargementFactor(300, 1000, 600, 500), 0.5);
    EXPECT_EQ(enlargementFactor(9, 9, 0, 50), 1.0); // no window size yet
    EXPECT_EQ(enlargedFontWeight(2.0), 600);
    EXPECT_EQ(enlargedFontWeight(1.0), 400);
    EXPECT_EQ(textBoxFontHeight(0.0, Language::Japanese), 12); // 0: not enlarged
    EXPECT_EQ(textBoxFontHeight(1.55, Language::English), 21); // 21.7 truncated
    // The size is scaled on its own, not taken from the scaled edges.
    EXPECT_EQ(scaleRect({10, 20, 110, 45}, 1.5), (LayoutRect{15, 30, 165, 67}));
    EXPECT_EQ(scaleRect({3, 3, 6, 6}, 1.5), (LayoutRect{4, 4, 8, 8}));
}
