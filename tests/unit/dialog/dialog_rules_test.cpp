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

namespace {

const KeySubmenu kSubmenus[] = {KeySubmenu::Push, KeySubmenu::Pull, KeySubmenu::PushAndPull};

// As a machine lists them: US, Japanese with its input method, US Dvorak
// (a handle whose top bit is set).
const std::vector<InstalledLayoutEntry> kMachine = {{0x04090409u, u"English (United States)"},
                                                    {0xE0010411u, u"Japanese"},
                                                    {0xF0020409u, u"English (United States)"}};

} // namespace

TEST(KeyMenuItems, OneItemPerDistinctCodeAndEachInsertsItsOwnName) {
    for (Language lang : {Language::English, Language::Japanese}) {
        for (KeySubmenu sub : kSubmenus) {
            const auto items = keyMenuItems(sub, lang);
            ASSERT_EQ(items.size(), 192u);
            std::set<int> ids;
            for (const KeyMenuItem& item : items)
                ids.insert(item.commandId);
            EXPECT_EQ(ids.size(), items.size()) << "a command id repeats";
            EXPECT_EQ(items.front().commandId, keySubmenuBase(sub) + 3);
            EXPECT_EQ(items.back().commandId, keySubmenuBase(sub) + 6);
        }
    }
    std::set<std::u16string> names;
    for (const KeyMenuItem& item : keyMenuItems(KeySubmenu::PushAndPull, Language::English)) {
        names.insert(item.text);
        const auto text = insertionTextForCommand(item.commandId);
        ASSERT_TRUE(text.has_value()) << item.commandId;
        EXPECT_EQ(*text, u"[" + item.text + u"]");
    }
    // Names that share a code with the entry before them are left out.
    for (const char16_t* kept : {u"VK_KANA", u"VK_KANJI", u"VK_OEM_NEC_EQUAL"})
        EXPECT_TRUE(names.count(kept));
    for (const char16_t* dropped : {u"VK_HANGUL", u"VK_HANGEUL", u"VK_HANJA", u"VK_OEM_FJ_JISHO"})
        EXPECT_FALSE(names.count(dropped));
    EXPECT_EQ(keyMenuItems(KeySubmenu::Push, Language::English).back().text, u"VK_XBUTTON2");
    const auto ja = keyMenuItems(KeySubmenu::Pull, Language::Japanese);
    EXPECT_EQ(ja.front().text, u"VK_CANCEL \u2026 Ctrl+Break処理");
    EXPECT_EQ(ja.back().text, u"VK_XBUTTON2 \u2026 マウスのX2ボタン");
}

TEST(KeyMenuItems, InsertionTextForTheFixedItemsAndTheThreeKeyForms) {
    const std::pair<int, const char16_t*> rows[] = {
        {IDM_INSERT_PAUSE, u"!"},
        {IDM_INSERT_WAIT, u"[WAIT:1000]"},
        {IDM_KEY_PUSH_BASE + 'A', u"[A)"},
        {IDM_KEY_PUSH_BASE + 21, u"[VK_KANA)"},
        {IDM_KEY_PULL_BASE + 0x10, u"(VK_SHIFT]"},
        {IDM_KEY_PUSH_PULL_BASE + 0x10, u"[VK_SHIFT]"},
        {IDM_KEY_PUSH_PULL_BASE + 0xFE, u"[VK_OEM_CLEAR]"},
        // Codes 0 and 7 name no key; the ids around the key range are no key items.
        {IDM_KEY_PUSH_BASE, nullptr},
        {IDM_KEY_PULL_BASE + 7, nullptr},
        {IDM_KEY_PUSH_BASE - 1, nullptr},
        {IDM_KEY_LAST + 1, nullptr},
    };
    for (const auto& [id, text] : rows) {
        const auto got = insertionTextForCommand(id);
        EXPECT_EQ(got.has_value(), text != nullptr) << id;
        if (got && text)
            EXPECT_EQ(*got, text) << id;
    }
}

// A menu command carries only its id: another command that shared one with a
// key item of the Special Key Input menu would insert a key instead.
TEST(KeyMenuItems, NoOtherCommandSharesItsIdWithAKeyItem) {
    std::set<int> keyIds;
    for (KeySubmenu sub : kSubmenus)
        for (const KeyMenuItem& key : keyMenuItems(sub, Language::English))
            keyIds.insert(key.commandId);
    std::vector<int> others = {IDM_DELIVERY_WRITTEN, IDM_DELIVERY_KEY_PRESSES,
                               IDM_LAYOUT_LOCAL,     IDM_LAYOUT_US,
                               IDM_LAYOUT_JAPANESE,  IDM_ESC_ABORT,
                               IDM_FOCUS_GUARD,      IDM_ABOUT};
    for (int id = IDM_LAYOUT_INSTALLED_FIRST; id <= IDM_LAYOUT_LAST; ++id)
        others.push_back(id);
    for (int id : others) {
        EXPECT_FALSE(keyIds.count(id)) << id;
        EXPECT_FALSE(insertionTextForCommand(id).has_value()) << id;
    }
}

TEST(DeliveryMenu, InstalledLayoutsGetConsecutiveCommandsAndTheirIdsInHex) {
    const auto items = installedLayoutItems(kMachine);
    ASSERT_EQ(items.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(items[i].commandId, IDM_LAYOUT_INSTALLED_FIRST + i);
        EXPECT_EQ(items[i].layoutId, kMachine[i].id);
    }
    // Two layouts of one language tell apart by their ids.
    EXPECT_EQ(items[0].text, u"English (United States)\t04090409");
    EXPECT_EQ(items[1].text, u"Japanese\tE0010411");
    EXPECT_EQ(items[2].text, u"English (United States)\tF0020409");
    EXPECT_EQ(installedLayoutItems({{{0x0000000Au, u""}}})[0].text, u"0000000A");

    // The ids of the built-in choices are left out, and so is what does not fit.
    std::vector<InstalledLayoutEntry> many = {{kLayoutLocal, u"x"}, {kLayoutJapanese, u"x"}};
    for (std::uint32_t i = 0; i < 60; ++i)
        many.push_back({0x04090000u + i, u"x"});
    const auto fitted = installedLayoutItems(many);
    ASSERT_EQ(fitted.size(), std::size_t(IDM_LAYOUT_LAST - IDM_LAYOUT_INSTALLED_FIRST + 1));
    EXPECT_EQ(fitted.front().layoutId, 0x04090000u);
    EXPECT_EQ(fitted.back().commandId, IDM_LAYOUT_LAST);
}

TEST(DeliveryMenu, CommandsSetTheSettingsAndCheckMarksFollowThem) {
    const auto items = installedLayoutItems(kMachine);
    Settings s;
    const std::pair<int, std::uint32_t> layouts[] = {{IDM_LAYOUT_INSTALLED_FIRST + 2, 0xF0020409u},
                                                     {IDM_LAYOUT_US, kLayoutUs101},
                                                     {IDM_LAYOUT_JAPANESE, kLayoutJapanese},
                                                     {IDM_LAYOUT_INSTALLED_FIRST + 1, 0xE0010411u},
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
    // A command past the installed items, and the commands around the range.
    const Settings before = s;
    for (int other : {IDM_LAYOUT_INSTALLED_FIRST + 3, IDM_ERROR_STOP, IDM_ALWAYS_TOP, IDM_HELP})
        EXPECT_FALSE(applyDeliveryCommand(s, other, items)) << other;
    EXPECT_EQ(s, before);
    // A layout removed since it was chosen: the run types on the local one.
    EXPECT_EQ(checkedLayoutCommand(0x04070407u, items), IDM_LAYOUT_LOCAL);
    EXPECT_EQ(checkedLayoutCommand(0xE0010411u, {}), IDM_LAYOUT_LOCAL);
}

TEST(ModeRules, TheModeEnablesItsControlsAndPicksItsDescription) {
    EXPECT_EQ(modeFromRadios(true, false), 0);
    EXPECT_EQ(modeFromRadios(true, true), 0);
    EXPECT_EQ(modeFromRadios(false, true), 1);
    EXPECT_EQ(modeFromRadios(false, false), 2);
    const DialogText descriptions[] = {DialogText::DescriptionKeyboard,
                                       DialogText::DescriptionUnicode,
                                       DialogText::DescriptionScript};
    // Anything past the known modes is script mode, as the radios show it.
    for (std::uint8_t asked : {0, 1, 2, 7}) {
        for (bool waitSeconds : {true, false}) {
            const ModeControls m = modeControls(asked, waitSeconds);
            const int mode = std::min<int>(asked, 2);
            EXPECT_EQ(m.mode, mode);
            EXPECT_EQ(m.upperCase, mode == 0);
            EXPECT_EQ(m.description, descriptions[mode]);
            std::map<int, bool> on;
            for (const ControlEnable& c : m.controls)
                EXPECT_TRUE(on.emplace(c.controlId, c.enabled).second) << "twice: " << c.controlId;
            // Script mode disables the sending settings; the wait radio switches
            // between seconds and clock time; up-downs and the text box stay.
            for (int id :
                 {IDC_INTERVAL_LABEL, IDC_INTERVAL, IDC_INTERVAL_UNIT, IDC_LOOP_LABEL, IDC_LOOP,
                  IDC_LOOP_UNIT, IDC_PREFIX_LABEL, IDC_PREFIX, IDC_SUFFIX_LABEL, IDC_SUFFIX})
                EXPECT_EQ(on.at(id), mode != 2) << int(asked) << " control " << id;
            for (int id : {IDC_WAIT_SEC, IDC_WAIT_SEC_LABEL})
                EXPECT_EQ(on.at(id), waitSeconds) << id;
            for (int id : {IDC_TIME_HOUR, IDC_TIME_MIN, IDC_TIME_SEC, IDC_TIME_HOUR_LABEL,
                           IDC_TIME_MIN_LABEL, IDC_TIME_SEC_LABEL})
                EXPECT_EQ(on.at(id), !waitSeconds) << id;
            EXPECT_EQ(on.size(), 18u) << "only those";
        }
    }
    // A run locks everything but Start (now Stop) and the up-downs.
    const auto locked = runLockedControls();
    EXPECT_EQ(locked.size(), 20u);
    for (int id : {IDC_START, IDC_WAIT_SEC_SPIN, IDC_EXIT, IDC_TEXT})
        EXPECT_EQ(std::count(locked.begin(), locked.end(), id), id == IDC_EXIT || id == IDC_TEXT);
}

TEST(DialogTexts, TooltipsNameOnlyRealControlsAndStartFollowsTheRun) {
    for (Language lang : {Language::English, Language::Japanese}) {
        const auto table = tooltipTable(lang);
        ASSERT_EQ(table.size(), lang == Language::English ? 6u : 9u);
        EXPECT_EQ(table.back().controlId, 0);
        // The English dialog has no big-dialog check box: no tooltip may point at it.
        const bool big = std::any_of(table.begin(), table.end(), [](const TooltipEntry& t) {
            return t.controlId == IDC_BIG_DIALOG;
        });
        EXPECT_EQ(big, lang == Language::Japanese);
        EXPECT_EQ(startButtonTooltip(lang, true, true),
                  dialogText(DialogText::StopRunEscTooltip, lang));
        EXPECT_EQ(startButtonTooltip(lang, true, false),
                  dialogText(DialogText::StopRunTooltip, lang));
    }
    EXPECT_EQ(startButtonTooltip(Language::English, false, true), u"Start keyboard simulation");
    EXPECT_EQ(startButtonTooltip(Language::Japanese, false, false),
              u"キーボードシミュレート(またはスクリプトの実行)を開始します");
}

TEST(RemoveCharacters, EachCommandRemovesItsOwnKindOnly) {
    const std::u16string text = u"a b\tc\r\nd\u3000e\r \n";
    const std::pair<int, const char16_t*> rows[] = {
        {IDM_DELETE_SPACES, u"ab\tc\r\nd\u3000e\r\n"},
        {IDM_DELETE_TABS, u"a bc\r\nd\u3000e\r \n"},
        {IDM_DELETE_RETURNS, u"a b\tcd\u3000e "},
    };
    for (const auto& [command, want] : rows) {
        const auto removal = removalForCommand(command);
        ASSERT_TRUE(removal.has_value()) << command;
        EXPECT_EQ(removeCharacters(text, *removal), want) << command;
        EXPECT_EQ(removeCharacters(u"", *removal), u"");
    }
    EXPECT_FALSE(removalForCommand(IDM_IGNORE_SPACE).has_value());
}
