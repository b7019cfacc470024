#include "dialog/menu_key_items.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <set>

using namespace tapwell;

namespace {

const KeySubmenu kAll[] = {KeySubmenu::Push, KeySubmenu::Pull, KeySubmenu::PushAndPull};

} // namespace

TEST(KeyMenuItems, EverySubmenuListsOneItemPerDistinctCodeInTableOrder) {
    for (Language lang : {Language::English, Language::Japanese}) {
        for (KeySubmenu sub : kAll) {
            std::vector<KeyMenuItem> items = keyMenuItems(sub, lang);
            ASSERT_EQ(items.size(), 192u);
            std::set<int> ids;
            for (const KeyMenuItem& item : items)
                ids.insert(item.commandId);
            EXPECT_EQ(ids.size(), items.size()) << "a command id repeats";
            EXPECT_EQ(items.front().commandId, keySubmenuBase(sub) + 3);
            EXPECT_EQ(items.back().commandId, keySubmenuBase(sub) + 6);
        }
    }
}

TEST(KeyMenuItems, EnglishShowsNamesJapaneseAddsEllipsisAndDescription) {
    auto en = keyMenuItems(KeySubmenu::Push, Language::English);
    EXPECT_EQ(en.front().text, u"VK_CANCEL");
    EXPECT_EQ(en.back().text, u"VK_XBUTTON2");
    auto ja = keyMenuItems(KeySubmenu::Pull, Language::Japanese);
    EXPECT_EQ(ja.front().text, u"VK_CANCEL \u2026 Ctrl+Break処理");
    EXPECT_EQ(ja.back().text, u"VK_XBUTTON2 \u2026 マウスのX2ボタン");
}

TEST(KeyMenuItems, SharedCodesKeepOnlyTheFirstName) {
    auto en = keyMenuItems(KeySubmenu::PushAndPull, Language::English);
    std::set<std::u16string> names;
    for (const auto& item : en)
        names.insert(item.text);
    EXPECT_TRUE(names.count(u"VK_KANA"));
    EXPECT_FALSE(names.count(u"VK_HANGUL"));
    EXPECT_FALSE(names.count(u"VK_HANGEUL"));
    EXPECT_TRUE(names.count(u"VK_KANJI"));
    EXPECT_FALSE(names.count(u"VK_HANJA"));
    EXPECT_TRUE(names.count(u"VK_OEM_NEC_EQUAL"));
    EXPECT_FALSE(names.count(u"VK_OEM_FJ_JISHO"));
}

TEST(InsertionText, FixedItemsAndTheThreeKeyForms) {
    EXPECT_EQ(insertionTextForCommand(IDM_INSERT_PAUSE), u"!");
    EXPECT_EQ(insertionTextForCommand(IDM_INSERT_WAIT), u"[WAIT:1000]");
    EXPECT_EQ(insertionTextForCommand(IDM_KEY_PUSH_BASE + 'A'), u"[A)");
    EXPECT_EQ(insertionTextForCommand(IDM_KEY_PULL_BASE + 0x10), u"(VK_SHIFT]");
    EXPECT_EQ(insertionTextForCommand(IDM_KEY_PUSH_PULL_BASE + 0x10), u"[VK_SHIFT]");
    EXPECT_EQ(insertionTextForCommand(IDM_KEY_PUSH_BASE + 21), u"[VK_KANA)");
    EXPECT_EQ(insertionTextForCommand(IDM_KEY_PUSH_PULL_BASE + 0xFE), u"[VK_OEM_CLEAR]");
}

TEST(InsertionText, EveryMenuItemInsertsItsOwnName) {
    for (KeySubmenu sub : kAll) {
        for (const KeyMenuItem& item : keyMenuItems(sub, Language::English)) {
            auto text = insertionTextForCommand(item.commandId);
            ASSERT_TRUE(text.has_value()) << item.commandId;
            EXPECT_EQ(text->substr(1, text->size() - 2), item.text);
        }
    }
}

TEST(InsertionText, OtherCommandsAndUnnamedCodesInsertNothing) {
    EXPECT_FALSE(insertionTextForCommand(IDM_ABOUT).has_value());
    EXPECT_FALSE(insertionTextForCommand(IDM_KEY_PUSH_BASE - 1).has_value());
    EXPECT_FALSE(insertionTextForCommand(IDM_KEY_LAST + 1).has_value());
    // Code 0 and 7 have no key name.
    EXPECT_FALSE(insertionTextForCommand(IDM_KEY_PUSH_BASE).has_value());
    EXPECT_FALSE(insertionTextForCommand(IDM_KEY_PULL_BASE + 7).has_value());
}

// The Settings menu's own commands must not fall into a key item's range, or
// choosing them would insert a key's notation (and share the key item's id).
TEST(InsertionText, SettingsSwitchesAreNoKeyItems) {
    for (int id : {IDM_ESC_ABORT, IDM_FOCUS_GUARD}) {
        EXPECT_FALSE(insertionTextForCommand(id).has_value()) << id;
        for (KeySubmenu sub : kAll)
            for (const KeyMenuItem& item : keyMenuItems(sub, Language::English))
                EXPECT_NE(item.commandId, id);
    }
}
