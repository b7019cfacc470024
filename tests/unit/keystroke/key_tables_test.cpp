// The key names, the script's constants and keyboard-simulate mode's map of
// characters to the keys of a Japanese keyboard.
#include "keystroke/key_tables.h"
#include "keystroke/keyboard_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

using namespace tapwell;

TEST(KeyTables, KeyboardModeMapsKeycapSymbolsToTheJapaneseKeys) {
    // Digits and capitals are their own keys; a symbol shares its keycap's key
    // whether shifted or not, and Japanese typing puts it on that same key.
    const std::pair<std::u16string, std::uint8_t> keycaps[] = {
        {u"-=", 0xBD}, {u"^~", 0xDE}, {u"\\|", 0xDC}, {u"@`", 0xC0}, {u";+", 0xBB}, {u":*", 0xBA},
        {u"]", 0xDD},  {u",<", 0xBC}, {u".>", 0xBE},  {u"/?", 0xBF}, {u"_", 0xE2}};
    TableKeyboardLayout jp(japaneseLayoutTable());
    for (char16_t c = 0x21; c < 0x7F; ++c) {
        if (c == u'[')
            continue; // mapped only when doubled or last
        std::uint8_t want = (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') ? c : 0;
        for (const auto& [chars, vk] : keycaps)
            want = chars.find(c) != std::u16string::npos ? vk : want;
        std::u16string text(1, c);
        std::size_t pos = 0;
        EXPECT_EQ(mapKeyboardChar(text, pos), want) << static_cast<char>(c);
        if (want) {
            EXPECT_EQ(jp.keyForChar(c).value_or(CharKey{}).key.vk, want) << static_cast<char>(c);
        }
    }
    EXPECT_EQ(jp.keyForChar(u'\u00A5'), (CharKey{{0xDC, 0x7D}})) << "the yen sign on its key";
    // On the US keyboard @ is Shift and the 2 key.
    EXPECT_EQ(TableKeyboardLayout(usLayoutTable()).keyForChar(u'@'), (CharKey{{0x32, 0x03}, true}));
}

TEST(KeyTables, ScriptConstantsAreASortedSupersetOfTheKeyNames) {
    EXPECT_EQ(ScriptConstantTable[kScriptConstantCount].name, nullptr);
    for (std::size_t i = 1; i < kScriptConstantCount; ++i)
        EXPECT_LT(std::strcmp(ScriptConstantTable[i - 1].name, ScriptConstantTable[i].name), 0)
            << ScriptConstantTable[i].name;
    // Every key appears under its VK_ name with its code; digits and letters gain one.
    for (const KeyNameEntry& k : keyNames()) {
        const std::string name =
            (std::strncmp(k.name, "VK_", 3) == 0 ? "" : "VK_") + std::string(k.name);
        const auto c = std::ranges::find(scriptConstants(), name, &ScriptConstant::name);
        ASSERT_NE(c, scriptConstants().end()) << name;
        EXPECT_EQ(c->value, k.code) << name;
    }
}
