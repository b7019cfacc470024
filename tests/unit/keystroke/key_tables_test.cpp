#include "keystroke/key_tables.h"
#include "keystroke/run_texts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

using namespace tapwell;

TEST(KeyNameTable, OrderTerminatorAndSharedCodesStandingTogether) {
    EXPECT_EQ(KeyNameTable[kKeyNameCount].name, nullptr);
    EXPECT_EQ(KeyNameTable[kKeyNameCount].code, 0);
    const struct {
        std::size_t index;
        const char* name;
        int code;
    } fixed[] = {{0, "VK_CANCEL", 0x03},
                 {190, "VK_OEM_CLEAR", 0xFE}, // the mouse buttons close the table
                 {191, "VK_LBUTTON", 0x01},
                 {195, "VK_XBUTTON2", 0x06}};
    for (const auto& f : fixed) {
        EXPECT_STREQ(KeyNameTable[f.index].name, f.name);
        EXPECT_EQ(KeyNameTable[f.index].code, f.code) << f.name;
    }
    // Menus drop an entry whose code equals the one before: 192 keys remain,
    // and no shared code is split apart.
    int listed = 0;
    std::set<int> codes;
    for (std::size_t i = 0; i < kKeyNameCount; ++i) {
        ASSERT_NE(KeyNameTable[i].name, nullptr) << i;
        EXPECT_NE(KeyNameTable[i].code, 0) << KeyNameTable[i].name;
        if (i == 0 || KeyNameTable[i].code != KeyNameTable[i - 1].code)
            ++listed;
        codes.insert(KeyNameTable[i].code);
    }
    EXPECT_EQ(listed, 192);
    EXPECT_EQ(codes.size(), 192u);
    // The first of the names sharing a code is the code's name.
    EXPECT_STREQ(keyNameForCode(21), "VK_KANA");
    EXPECT_STREQ(keyNameForCode(25), "VK_KANJI");
    EXPECT_STREQ(keyNameForCode(146), "VK_OEM_NEC_EQUAL");
    for (int unnamed : {0, 0xFF, 0x07})
        EXPECT_EQ(findKeyIndexByCode(unnamed), -1) << unnamed;
    EXPECT_EQ(std::u16string(KeyNameTable[findKeyIndexByCode(0xDE)].description),
              u"OEM定義('\"^~)キー");
    EXPECT_EQ(std::u16string(KeyNameTable[0].description), u"Ctrl+Break処理");
    EXPECT_EQ(std::u16string(KeyNameTable[findKeyIndexByCode(0xFC)].description), u"Reserved ");
}

TEST(LookupKeyCode, ExactCaseSensitiveAsciiNames) {
    const struct {
        std::u16string name;
        int code;
    } cases[] = {
        {u"VK_SHIFT", 16},
        {u"vk_shift", 0},
        {u"A", 65},
        {u"a", 0},
        {u"VK_A", 0}, // only a script constant
        {u"VK_HANGUL", 21},
        {u"VK_XBUTTON2", 6},
        {u"", 0},
        {u"VK_SHIFT ", 0},
        {u"Ａ", 0},
        {u"VK_ＳＨＩＦＴ", 0},
        {std::u16string(2000, u'A'), 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(lookupKeyCode(c.name), c.code) << c.name.size();
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
    auto value = [](const std::string& name) {
        for (const ScriptConstant& c : scriptConstants())
            if (name == c.name)
                return c.value;
        return -1;
    };
    // Every key appears under its VK_ name with its code; digits and
    // letters gain one.
    for (const KeyNameEntry& k : keyNames()) {
        std::string name = k.name;
        EXPECT_EQ(value(name.rfind("VK_", 0) == 0 ? name : "VK_" + name), k.code) << name;
    }
    EXPECT_EQ(value("VK_0"), 48);
    EXPECT_EQ(value("VK_Z"), 90);
    EXPECT_EQ(value("A"), -1);
}

TEST(RunTexts, FormatFillsPlaceholdersInOrderAndOnlyOnce) {
    EXPECT_EQ(formatRunText(RunText::CountdownTitle, Language::English, {u"-3", u"T"}),
              u"-3 sec... Activate the destination window and wait - T");
    EXPECT_EQ(formatRunText(RunText::ProgressTitle, Language::Japanese, {u"100"}),
              u"入力中(100%)...");
    // An argument holding % or a placeholder is not read again.
    EXPECT_EQ(formatRunText(RunText::InvalidRepeatCount, Language::English, {u"%s%d"}),
              u"Invalid repeat number.\n%s%d");
    // A missing argument leaves the placeholder.
    EXPECT_EQ(formatRunText(RunText::InvalidCharacter, Language::English, {}),
              u"Invalid character - '%c'");
    EXPECT_EQ(runText(RunText::StartButton, Language::English), u"St&art");
    EXPECT_EQ(runText(RunText::StartButton, Language::Japanese), u"入力開始(&A)");
    EXPECT_EQ(runText(RunText::AbortButton, Language::Japanese), u"中止");
}
