// The keyboards' tables and the delivery that types characters as key presses.
#include "fake_run_host.h"
#include "keystroke/key_delivery.h"
#include "keystroke/key_tables.h"
#include "keystroke/keyboard_layout.h"

#include <gtest/gtest.h>

using namespace tapwell;
using tapwell::test::press;

namespace {

// One row of keycaps, left to right: the characters typed without and with
// Shift (a space where the key types nothing at that level), and the keys'
// scan codes. Written from the keyboards, not from the tables under test.
struct KeyRow {
    std::u16string plain, shifted;
    std::vector<std::uint16_t> scans;
};

const std::vector<KeyRow> kUsRows = {
    {u"`1234567890-=",
     u"~!@#$%^&*()_+",
     {0x29, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D}},
    {u"qwertyuiop[]\\",
     u"QWERTYUIOP{}|",
     {0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x1B, 0x2B}},
    {u"asdfghjkl;'",
     u"ASDFGHJKL:\"",
     {0x1E, 0x1F, 0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28}},
    {u"zxcvbnm,./", u"ZXCVBNM<>?", {0x2C, 0x2D, 0x2E, 0x2F, 0x30, 0x31, 0x32, 0x33, 0x34, 0x35}},
};

// The ro key's backslash is typed with the yen key, which comes first.
const std::vector<KeyRow> kJapaneseRows = {
    {u"1234567890-^\\",
     u"!\"#$%&'() =~|",
     {0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x7D}},
    {u"qwertyuiop@[",
     u"QWERTYUIOP`{",
     {0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x1B}},
    {u"asdfghjkl;:]",
     u"ASDFGHJKL+*}",
     {0x1E, 0x1F, 0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28, 0x2B}},
    {u"zxcvbnm,./ ",
     u"ZXCVBNM<>?_",
     {0x2C, 0x2D, 0x2E, 0x2F, 0x30, 0x31, 0x32, 0x33, 0x34, 0x35, 0x73}},
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

std::uint32_t g_askedLayout = 99;
std::unique_ptr<KeyboardLayout> recordingResolver(std::uint32_t id) {
    g_askedLayout = id;
    return portableKeyboardLayout(kLayoutUs101);
}

} // namespace

TEST(KeyboardLayout, EveryPrintableAsciiCharacterIsOnTheKeyOfItsKeycap) {
    for (bool japanese : {false, true}) {
        TableKeyboardLayout layout(japanese ? japaneseLayoutTable() : usLayoutTable());
        std::u16string seen = u" ";
        EXPECT_EQ(layout.keyForChar(u' '), (CharKey{{0x20, 0x39}}));
        for (const KeyRow& row : japanese ? kJapaneseRows : kUsRows) {
            ASSERT_EQ(row.plain.size(), row.scans.size());
            ASSERT_EQ(row.shifted.size(), row.scans.size());
            for (std::size_t i = 0; i < row.scans.size(); ++i) {
                for (bool shift : {false, true}) {
                    char16_t c = (shift ? row.shifted : row.plain)[i];
                    if (c == u' ')
                        continue;
                    seen += c;
                    SCOPED_TRACE(std::string(japanese ? "jp " : "us ") + static_cast<char>(c));
                    auto ck = layout.keyForChar(c);
                    ASSERT_TRUE(ck);
                    EXPECT_EQ(ck->key.scan, row.scans[i]);
                    EXPECT_EQ(ck->shift, shift);
                    EXPECT_FALSE(ck->altGr || ck->dead);
                    // The key's virtual key leads back to the same key.
                    EXPECT_EQ(layout.keyForVirtualKey(ck->key.vk), ck->key);
                }
            }
        }
        for (char16_t c = 0x20; c < 0x7F; ++c)
            EXPECT_NE(seen.find(c), std::u16string::npos) << "rows miss " << static_cast<char>(c);
    }
}

TEST(KeyboardLayout, SymbolsAreOnTheVirtualKeysTheKeyboardModeMapPresses) {
    // A keycap symbol the map names is typed, on the Japanese table, with the
    // very key the map presses.
    TableKeyboardLayout jp(japaneseLayoutTable());
    for (char16_t c = 0x21; c < 0x7F; ++c) {
        if (c == u'[')
            continue; // mapped only when doubled or last
        std::u16string text(1, c);
        std::size_t pos = 0;
        std::uint8_t vk = mapKeyboardChar(text, pos);
        if (vk == 0)
            continue;
        auto ck = jp.keyForChar(c);
        ASSERT_TRUE(ck) << static_cast<char>(c);
        EXPECT_EQ(ck->key.vk, vk) << static_cast<char>(c);
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

TEST(KeyDeliveryStage, WrittenIsTheSinkItselfAndKeysAskTheResolver) {
    RecordingSink out;
    g_askedLayout = 99;
    KeyDeliveryStage written(out, Delivery::Written, 7, recordingResolver);
    EXPECT_EQ(&written.sink(), &out);
    EXPECT_EQ(g_askedLayout, 99u);
    KeyDeliveryStage keys(out, Delivery::KeyPresses, 0x04090409, recordingResolver);
    EXPECT_EQ(g_askedLayout, 0x04090409u);
    pressAndRelease(keys.sink(), 0xC0);
    EXPECT_EQ(test::describe(out), press("C0 VK_OEM_3 sc 29"));
}
