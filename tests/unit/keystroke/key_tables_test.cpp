#include "keystroke/key_tables.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

using namespace tapwell;

TEST(KeyNameTable, SizeOrderAndTerminator) {
    EXPECT_EQ(KeyNameTable[kKeyNameCount].name, nullptr);
    EXPECT_EQ(KeyNameTable[kKeyNameCount].code, 0);
    EXPECT_STREQ(KeyNameTable[0].name, "VK_CANCEL");
    EXPECT_EQ(KeyNameTable[0].code, 0x03);
    EXPECT_STREQ(KeyNameTable[195].name, "VK_XBUTTON2");
    EXPECT_EQ(KeyNameTable[195].code, 0x06);
    // The mouse buttons close the table, after VK_OEM_CLEAR.
    EXPECT_STREQ(KeyNameTable[190].name, "VK_OEM_CLEAR");
    EXPECT_STREQ(KeyNameTable[191].name, "VK_LBUTTON");
    for (std::size_t i = 0; i < kKeyNameCount; ++i) {
        ASSERT_NE(KeyNameTable[i].name, nullptr) << i;
        EXPECT_NE(KeyNameTable[i].code, 0) << KeyNameTable[i].name;
    }
}

TEST(KeyNameTable, SharedCodesStandTogetherFirstWins) {
    // Menus drop an entry whose code equals the one before: 192 keys remain.
    int listed = 0;
    std::set<int> codes;
    for (std::size_t i = 0; i < kKeyNameCount; ++i) {
        if (i == 0 || KeyNameTable[i].code != KeyNameTable[i - 1].code)
            ++listed;
        codes.insert(KeyNameTable[i].code);
    }
    EXPECT_EQ(listed, 192);
    EXPECT_EQ(codes.size(), 192u); // no shared code is split apart
    EXPECT_STREQ(keyNameForCode(21), "VK_KANA");
    EXPECT_STREQ(keyNameForCode(25), "VK_KANJI");
    EXPECT_STREQ(keyNameForCode(146), "VK_OEM_NEC_EQUAL");
    EXPECT_EQ(findKeyIndexByCode(0), -1);
    EXPECT_EQ(findKeyIndexByCode(0xFF), -1);
    EXPECT_EQ(findKeyIndexByCode(0x07), -1);
}

TEST(KeyNameTable, DescriptionsIncludeQuotesAndJapanese) {
    int i = findKeyIndexByCode(0xDE);
    ASSERT_GE(i, 0);
    EXPECT_EQ(std::u16string(KeyNameTable[i].description), u"OEM定義('\"^~)キー");
    EXPECT_EQ(std::u16string(KeyNameTable[0].description), u"Ctrl+Break処理");
    EXPECT_EQ(std::u16string(KeyNameTable[findKeyIndexByCode(0xFC)].description), u"Reserved ");
}

TEST(LookupKeyCode, ExactCaseSensitiveNames) {
    EXPECT_EQ(lookupKeyCode(u"VK_SHIFT"), 16);
    EXPECT_EQ(lookupKeyCode(u"vk_shift"), 0);
    EXPECT_EQ(lookupKeyCode(u"A"), 65);
    EXPECT_EQ(lookupKeyCode(u"a"), 0);
    EXPECT_EQ(lookupKeyCode(u"VK_A"), 0); // only a script constant
    EXPECT_EQ(lookupKeyCode(u"VK_HANGUL"), 21);
    EXPECT_EQ(lookupKeyCode(u"VK_XBUTTON2"), 6);
    EXPECT_EQ(lookupKeyCode(u""), 0);
    EXPECT_EQ(lookupKeyCode(u"VK_SHIFT "), 0);
}

TEST(LookupKeyCode, NonAsciiNeverFoldsOntoAnAsciiName) {
    EXPECT_EQ(lookupKeyCode(u"Ａ"), 0); // full-width A
    EXPECT_EQ(lookupKeyCode(u"VK_ＳＨＩＦＴ"), 0);
    EXPECT_EQ(lookupKeyCode(std::u16string(2000, u'A')), 0);
}

TEST(ScriptConstantTable, SortedSupersetOfKeyCodes) {
    EXPECT_EQ(ScriptConstantTable[kScriptConstantCount].name, nullptr);
    EXPECT_STREQ(ScriptConstantTable[0].name, "ISNT");
    EXPECT_EQ(ScriptConstantTable[0].value, 1);
    EXPECT_STREQ(ScriptConstantTable[kScriptConstantCount - 1].name, "YES");
    EXPECT_EQ(ScriptConstantTable[kScriptConstantCount - 1].value, 1);
    for (std::size_t i = 1; i < kScriptConstantCount; ++i)
        EXPECT_LT(std::strcmp(ScriptConstantTable[i - 1].name, ScriptConstantTable[i].name), 0)
            << ScriptConstantTable[i].name;
    // Every key entry appears under its VK_ name with its code.
    for (const KeyNameEntry& k : keyNames()) {
        std::string want =
            std::strncmp(k.name, "VK_", 3) == 0 ? k.name : "VK_" + std::string(k.name);
        bool found = false;
        for (const ScriptConstant& c : scriptConstants())
            if (want == c.name) {
                EXPECT_EQ(c.value, k.code) << want;
                found = true;
            }
        EXPECT_TRUE(found) << want;
    }
}

TEST(ScriptConstantTable, DigitsAndLettersGetVkNames) {
    auto value = [](const char* n) {
        for (const ScriptConstant& c : scriptConstants())
            if (std::strcmp(c.name, n) == 0)
                return c.value;
        return -1;
    };
    EXPECT_EQ(value("VK_0"), 48);
    EXPECT_EQ(value("VK_Z"), 90);
    EXPECT_EQ(value("VK_RETURN"), 13);
    EXPECT_EQ(value("A"), -1);
}
