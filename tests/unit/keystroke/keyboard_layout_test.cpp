// The keyboards' tables and the delivery that types characters as key presses.
#include "fake_run_host.h"
#include "keystroke/key_delivery.h"
#include "keystroke/key_tables.h"
#include "keystroke/keyboard_layout.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace tapwell;
using tapwell::test::press;

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

// A layout made for these tests: an apostrophe and a double quote only
// through a dead key, a euro sign with AltGr, a section sign with Shift and
// AltGr.
std::unique_ptr<const KeyboardLayout> deadKeyLayout() {
    return std::make_unique<TableKeyboardLayout>(std::vector<LayoutKey>{
        {0x20, 0x39, u' '},
        {0xDE, 0x28, u'\'', u'"', 0, 0, kDeadPlain | kDeadShift},
        {0x45, 0x12, u'e', u'E', u'\u20AC'},
        {0x33, 0x04, u'3', u'#', 0, u'\u00A7'},
    });
}

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
    }
}

TEST(KeyboardLayout, KeyboardModeMapsKeycapSymbolsToTheJapaneseKeys) {
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
        if (want)
            EXPECT_EQ(jp.keyForChar(c).value_or(CharKey{}).key.vk, want) << static_cast<char>(c);
    }
    EXPECT_EQ(jp.keyForChar(u'\u00A5'), (CharKey{{0xDC, 0x7D}})) << "the yen sign on its key";
    // The US keys' own virtual keys.
    TableKeyboardLayout us(usLayoutTable());
    EXPECT_EQ(us.keyForChar(u'\\'), (CharKey{{0xDC, 0x2B}}));
    EXPECT_EQ(us.keyForChar(u'@'), (CharKey{{0x32, 0x03}, true}));
}

TEST(KeyboardLayout, CharactersNoKeyTypes) {
    for (const auto* table : {&usLayoutTable(), &japaneseLayoutTable()}) {
        TableKeyboardLayout layout(*table);
        for (char16_t c : {u'\u65E5', char16_t{0xD83D}, u'\u00E9', u'\t', u'\n', u'\0', u'\u007F'})
            EXPECT_FALSE(layout.keyForChar(c)) << static_cast<int>(c);
    }
    EXPECT_FALSE(TableKeyboardLayout(usLayoutTable()).keyForChar(u'\u00A5'));
}

TEST(KeyboardLayout, VirtualKeysGetTheirScanCodesAndExtendedFlags) {
    const struct {
        std::uint8_t vk;
        std::uint16_t us, jp;
    } cases[] = {
        {0x10, 0x2A, 0x2A},     {0xA1, 0x36, 0x36},     {0x11, 0x1D, 0x1D},
        {0xA3, 0xE01D, 0xE01D}, {0x12, 0x38, 0x38},     {0xA5, 0xE038, 0xE038},
        {0x0D, 0x1C, 0x1C},     {0x20, 0x39, 0x39},     {0x09, 0x0F, 0x0F},
        {0x1B, 0x01, 0x01},     {0x08, 0x0E, 0x0E},     {0x14, 0x3A, 0x3A},
        {0x70, 0x3B, 0x3B},     {0x7B, 0x58, 0x58},     {0x87, 0x76, 0x76},
        {0x60, 0x52, 0x52},     {0x6A, 0x37, 0x37},     {0x6F, 0xE035, 0xE035},
        {0x90, 0xE045, 0xE045}, {0x25, 0xE04B, 0xE04B}, {0x26, 0xE048, 0xE048},
        {0x2E, 0xE053, 0xE053}, {0x24, 0xE047, 0xE047}, {0x22, 0xE051, 0xE051},
        {0x5B, 0xE05B, 0xE05B}, {0x5D, 0xE05D, 0xE05D}, {0xAD, 0xE020, 0xE020},
        {0xC0, 0x29, 0x1A},     {0xDC, 0x2B, 0x7D},     {0xE2, 0x56, 0x73},
        {0xDE, 0x28, 0x0D},     {0xBB, 0x0D, 0x27},     {0xDD, 0x1B, 0x2B},
        {0x1C, 0x00, 0x79},     {0x1D, 0x00, 0x7B},     {0x15, 0x00, 0x70},
        {0x19, 0x00, 0x29},     {0x01, 0x00, 0x00},     {0xFF, 0x00, 0x00},
    };
    TableKeyboardLayout us(usLayoutTable());
    TableKeyboardLayout jp(japaneseLayoutTable());
    for (const auto& c : cases) {
        EXPECT_EQ(us.keyForVirtualKey(c.vk), (PhysicalKey{c.vk, c.us})) << int(c.vk);
        EXPECT_EQ(jp.keyForVirtualKey(c.vk), (PhysicalKey{c.vk, c.jp})) << int(c.vk);
        EXPECT_EQ(isExtendedVirtualKey(c.vk), (c.us >> 8) == 0xE0) << int(c.vk);
    }
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

// --- Key presses delivery -----------------------------------------------------

TEST(KeyPressSink, CharactersAreTypedWithTheirModifiersAndDeadKeys) {
    const std::string shift = "down 10 VK_SHIFT sc 2A\nsettle 5\n",
                      unshift = "up 10 VK_SHIFT sc 2A\n";
    const std::string altGr = "down A5 VK_RMENU sc E038\nsettle 5\n",
                      unAltGr = "up A5 VK_RMENU sc E038\n", settle = "settle 5\n";
    const std::string a = press("41 A sc 1E"), e = press("45 E sc 12"),
                      quote = press("DE VK_OEM_7 sc 28"), space = press("20 VK_SPACE sc 39");
    const struct {
        std::u16string text;
        std::string want;
    } cases[] = {
        {u"Aa", shift + a + settle + unshift + a},
        // AltGr is the right Alt, inside Shift.
        {u"\u20AC", altGr + e + settle + unAltGr},
        {u"\u00A7", shift + altGr + press("33 3 sc 04") + settle + unAltGr + settle + unshift},
        // A dead key is followed by a space, outside its modifiers.
        {u"'\"", quote + space + shift + quote + settle + unshift + space},
        // What no key types falls back to Unicode: a kanji, an emoji's two
        // surrogates, a letter this layout lacks.
        {u"\u65E5\U0001F600xe", "char 65E5\nchar D83D\nchar DE00\nchar 0078\n" + e},
    };
    for (const auto& c : cases) {
        RecordingSink out;
        out.keepSettles = true;
        KeyPressSink sink(out,
                          c.text == u"Aa" ? portableKeyboardLayout(kLayoutUs101) : deadKeyLayout());
        for (char16_t unit : c.text)
            sink.sendUnicodePair(unit);
        EXPECT_EQ(test::describe(out), c.want);
    }
}

TEST(KeyPressSink, KeysGetScanCodesAndOtherEventsPassThrough) {
    RecordingSink out;
    KeyPressSink sink(out, portableKeyboardLayout(kLayoutJapanese));
    sink.sendKey(0xC0, false);                        // VK_OEM_3 is @ on this keyboard
    sink.sendKey(0x2E, true);                         // Delete carries the extended flag
    sink.sendKey(0x01, false);                        // a mouse button has no key
    EXPECT_EQ(sink.sendUnicodeUnit(u'x', false), 1u); // a script's explicit Unicode event
    sink.sendPhysicalKey({0x41, 0x1E}, true);
    sink.settle(7); // not kept: the recorder was not asked to
    out.keepSettles = true;
    sink.settle(8);
    EXPECT_EQ(test::describe(out),
              "down C0 VK_OEM_3 sc 1A\nup 2E VK_DELETE sc E053\ndown 01 "
              "VK_LBUTTON sc 00\nunicode-down 0078\nup 41 A sc 1E\nsettle 8\n");
}
