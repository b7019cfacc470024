// The built-in keyboards' tables: which key, with which modifiers, types a
// character, and which key carries a virtual key.
#include "keystroke/keyboard_layout.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

using namespace tapwell;

namespace {

// One row of keycaps, left to right: the characters typed without and with
// Shift (a space where the key types nothing at that level), and the keys'
// scan codes. Written from the keyboards, not from the tables under test.
struct KeyRow {
    std::u16string plain, shifted;
    std::string scans;
};

const KeyRow kUsRows[] = {
    {u"`1234567890-=", u"~!@#$%^&*()_+", "29 02 03 04 05 06 07 08 09 0A 0B 0C 0D"},
    {u"qwertyuiop[]\\", u"QWERTYUIOP{}|", "10 11 12 13 14 15 16 17 18 19 1A 1B 2B"},
    {u"asdfghjkl;'", u"ASDFGHJKL:\"", "1E 1F 20 21 22 23 24 25 26 27 28"},
    {u"zxcvbnm,./", u"ZXCVBNM<>?", "2C 2D 2E 2F 30 31 32 33 34 35"},
};
// The ro key's backslash is typed with the yen key, which comes first.
const KeyRow kJapaneseRows[] = {
    {u"1234567890-^\\", u"!\"#$%&'() =~|", "02 03 04 05 06 07 08 09 0A 0B 0C 0D 7D"},
    {u"qwertyuiop@[", u"QWERTYUIOP`{", "10 11 12 13 14 15 16 17 18 19 1A 1B"},
    {u"asdfghjkl;:]", u"ASDFGHJKL+*}", "1E 1F 20 21 22 23 24 25 26 27 28 2B"},
    {u"zxcvbnm,./ ", u"ZXCVBNM<>?_", "2C 2D 2E 2F 30 31 32 33 34 35 73"},
};

} // namespace

TEST(KeyboardLayout, EveryPrintableAsciiCharacterIsOnTheKeyOfItsKeycap) {
    for (bool japanese : {false, true}) {
        TableKeyboardLayout layout(japanese ? japaneseLayoutTable() : usLayoutTable());
        std::u16string seen = u" ";
        EXPECT_EQ(layout.keyForChar(u' '), (CharKey{{0x20, 0x39}}));
        for (const KeyRow& row : japanese ? kJapaneseRows : kUsRows) {
            std::istringstream scans(row.scans);
            for (std::size_t i = 0; i < row.plain.size(); ++i) {
                unsigned scan = 0;
                scans >> std::hex >> scan;
                for (char16_t c : {row.plain[i], row.shifted[i]}) {
                    if (c == u' ')
                        continue;
                    seen += c;
                    SCOPED_TRACE(std::string(japanese ? "jp " : "us ") + static_cast<char>(c));
                    auto ck = layout.keyForChar(c);
                    ASSERT_TRUE(ck);
                    EXPECT_EQ(ck->key.scan, scan);
                    EXPECT_EQ(ck->shift, c == row.shifted[i]);
                    EXPECT_FALSE(ck->altGr || ck->dead);
                    // The key's virtual key leads back to the same key.
                    EXPECT_EQ(layout.keyForVirtualKey(ck->key.vk), ck->key);
                }
            }
            EXPECT_TRUE(scans.eof() && row.shifted.size() == row.plain.size()) << row.scans;
        }
        for (char16_t c = 0x20; c < 0x7F; ++c)
            EXPECT_NE(seen.find(c), std::u16string::npos) << "rows miss " << static_cast<char>(c);
        // No key types a kanji, a surrogate, an accented letter or a control character.
        for (char16_t c : {u'\u65E5', char16_t{0xD83D}, u'\u00E9', u'\t', u'\n', u'\0', u'\u007F'})
            EXPECT_FALSE(layout.keyForChar(c)) << static_cast<int>(c);
        EXPECT_EQ(layout.keyForChar(u'\u00A5').has_value(), japanese) << "the yen sign";
    }
}

TEST(KeyboardLayout, VirtualKeysGetTheirScanCodesAndExtendedFlags) {
    // Virtual key, then its US and its Japanese scan code (0xE0xx: extended).
    std::istringstream cases(
        "10 2A 2A  A1 36 36  11 1D 1D  A3 E01D E01D  12 38 38  A5 E038 E038  0D 1C 1C  20 39 39 "
        "09 0F 0F  1B 01 01  08 0E 0E  14 3A 3A  70 3B 3B  7B 58 58  87 76 76  60 52 52  6A 37 37 "
        "6F E035 E035  90 E045 E045  25 E04B E04B  26 E048 E048  2E E053 E053  24 E047 E047 "
        "22 E051 E051  5B E05B E05B  5D E05D E05D  AD E020 E020  C0 29 1A  DC 2B 7D  E2 56 73 "
        "DE 28 0D  BB 0D 27  DD 1B 2B  1C 00 79  1D 00 7B  15 00 70  19 00 29  F0 00 3A  F2 00 70 "
        "F3 00 29  F4 00 29  01 00 00  FF 00 00");
    TableKeyboardLayout us(usLayoutTable());
    TableKeyboardLayout jp(japaneseLayoutTable());
    unsigned vk = 0, usScan = 0, jpScan = 0, rows = 0;
    while (cases >> std::hex >> vk >> usScan >> jpScan) {
        const auto key = static_cast<std::uint8_t>(vk);
        EXPECT_EQ(us.keyForVirtualKey(key), (PhysicalKey{key, std::uint16_t(usScan)})) << vk;
        EXPECT_EQ(jp.keyForVirtualKey(key), (PhysicalKey{key, std::uint16_t(jpScan)})) << vk;
        EXPECT_EQ(isExtendedVirtualKey(key), (usScan >> 8) == 0xE0) << vk;
        ++rows;
    }
    EXPECT_EQ(rows, 43u);
    // The portable resolver gives the US table only when asked for it.
    EXPECT_EQ(portableKeyboardLayout(kLayoutUs101)->keyForVirtualKey(0xC0).scan, 0x29);
    for (std::uint32_t id : {kLayoutLocal, kLayoutJapanese, 0x04090409u})
        EXPECT_EQ(portableKeyboardLayout(id)->keyForVirtualKey(0xC0).scan, 0x1A) << id;
}

TEST(KeyboardLayout, FirstRowAndLowestLevelWin) {
    TableKeyboardLayout layout({
        {0x41, 0x1E, u'x', 0, u'y'},
        {0x41, 0x30, u'z'},       // a second row for A: not its key
        {0x42, 0x30, u'y', u'x'}, // x and y already typed above
        {0x43, 0x2E, 0, u'q', 0, u'q'},
    });
    EXPECT_EQ(layout.keyForVirtualKey(0x41).scan, 0x1E);
    EXPECT_EQ(layout.keyForChar(u'x'), (CharKey{{0x41, 0x1E}}));
    EXPECT_EQ(layout.keyForChar(u'y'), (CharKey{{0x41, 0x1E}, false, true}));
    EXPECT_EQ(layout.keyForChar(u'z'), (CharKey{{0x41, 0x30}}));
    EXPECT_EQ(layout.keyForChar(u'q'), (CharKey{{0x43, 0x2E}, true}));
}
