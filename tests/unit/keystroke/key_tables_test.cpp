#include "keystroke/key_tables.h"
#include "keystroke/run_texts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

using namespace tapwell;

TEST(KeyNameTable, NamesSharingACodeStandTogetherAndTheFirstNamesIt) {
    EXPECT_EQ(KeyNameTable[kKeyNameCount].name, nullptr);
    // Menus drop an entry whose code equals the one before: 192 keys remain,
    // and no shared code is split apart.
    int listed = 0;
    std::set<int> codes;
    for (std::size_t i = 0; i < kKeyNameCount; ++i) {
        ASSERT_NE(KeyNameTable[i].name, nullptr) << i;
        EXPECT_NE(KeyNameTable[i].code, 0) << KeyNameTable[i].name;
        listed += i == 0 || KeyNameTable[i].code != KeyNameTable[i - 1].code;
        codes.insert(KeyNameTable[i].code);
    }
    EXPECT_EQ(listed, 192);
    EXPECT_EQ(codes.size(), 192u);
    EXPECT_STREQ(keyNameForCode(21), "VK_KANA");
    EXPECT_STREQ(keyNameForCode(25), "VK_KANJI");
    EXPECT_STREQ(keyNameForCode(146), "VK_OEM_NEC_EQUAL");
    for (int unnamed : {0, 0xFF, 0x07})
        EXPECT_EQ(findKeyIndexByCode(unnamed), -1) << unnamed;
}

TEST(ScriptConstantTable, SortedSupersetOfKeyCodes) {
    EXPECT_EQ(ScriptConstantTable[kScriptConstantCount].name, nullptr);
    for (std::size_t i = 1; i < kScriptConstantCount; ++i)
        EXPECT_LT(std::strcmp(ScriptConstantTable[i - 1].name, ScriptConstantTable[i].name), 0)
            << ScriptConstantTable[i].name;
    auto value = [](const std::string& name) {
        for (const ScriptConstant& c : scriptConstants())
            if (name == c.name)
                return c.value;
        return -1;
    };
    // Every key appears under its VK_ name with its code; digits and letters gain one.
    for (const KeyNameEntry& k : keyNames()) {
        std::string name = k.name;
        EXPECT_EQ(value(name.rfind("VK_", 0) == 0 ? name : "VK_" + name), k.code) << name;
    }
    EXPECT_EQ(value("VK_0"), 48);
    EXPECT_EQ(value("VK_Z"), 90);
    EXPECT_EQ(value("A"), -1);
}

TEST(RunTexts, AnArgumentIsNotReadAgainAndAMissingOneLeavesThePlaceholder) {
    EXPECT_EQ(formatRunText(RunText::InvalidRepeatCount, Language::English, {u"%s%d"}),
              u"Invalid repeat number.\n%s%d");
    EXPECT_EQ(formatRunText(RunText::InvalidCharacter, Language::English, {}),
              u"Invalid character - '%c'");
}
