// Key presses delivery: characters typed as the keys of a target layout,
// whatever modifiers the text holds.
#include "fake_run_host.h"
#include "keystroke/key_delivery.h"

#include <gtest/gtest.h>

using namespace tapwell;
using tapwell::test::press;

namespace {

// A layout made for these tests: an apostrophe and a double quote only
// through a dead key, a euro sign with AltGr, a section sign with Shift and
// AltGr, and an acute accent only through a dead key with Shift and AltGr.
std::unique_ptr<const KeyboardLayout> deadKeyLayout() {
    return std::make_unique<TableKeyboardLayout>(std::vector<LayoutKey>{
        {0x20, 0x39, u' '},
        {0xDE, 0x28, u'\'', u'"', 0, 0, kDeadPlain | kDeadShift},
        {0x45, 0x12, u'e', u'E', u'\u20AC'},
        {0x33, 0x04, u'3', u'#', 0, u'\u00A7'},
        {0x34, 0x05, u'4', u'$', 0, u'\u00B4', kDeadShiftAltGr},
    });
}

} // namespace

TEST(KeyPressSink, CharactersAreTypedWithTheirModifiersAndDeadKeys) {
    const std::string shift = "down 10 VK_SHIFT sc 2A\nsettle 5\n",
                      unshift = "up 10 VK_SHIFT sc 2A\n";
    const std::string altGr = "down A5 VK_RMENU sc E038\nsettle 5\n",
                      unAltGr = "up A5 VK_RMENU sc E038\n", settle = "settle 5\n";
    const std::string e = press("45 E sc 12"), quote = press("DE VK_OEM_7 sc 28"),
                      space = press("20 VK_SPACE sc 39");
    const struct {
        std::u16string text;
        std::string want;
    } cases[] = {
        {u"Ee", shift + e + settle + unshift + e},
        // AltGr is the right Alt, inside Shift.
        {u"\u20AC", altGr + e + settle + unAltGr},
        {u"\u00A7", shift + altGr + press("33 3 sc 04") + settle + unAltGr + settle + unshift},
        // A dead key is followed by a space, outside its modifiers.
        {u"'\"", quote + space + shift + quote + settle + unshift + space},
        {u"4\u00B4", press("34 4 sc 05") + shift + altGr + press("34 4 sc 05") + settle + unAltGr +
                         settle + unshift + space},
        // What no key types falls back to Unicode: a kanji, an emoji's two
        // surrogates, a letter this layout lacks.
        {u"\u65E5\U0001F600xe", "char 65E5\nchar D83D\nchar DE00\nchar 0078\n" + e},
    };
    for (const auto& c : cases) {
        RecordingSink out;
        out.keepSettles = true;
        KeyPressSink sink(out, deadKeyLayout());
        for (char16_t unit : c.text)
            sink.sendUnicodePair(unit);
        EXPECT_EQ(test::describe(out), c.want);
    }
}

TEST(KeyPressSink, KeysGetScanCodesAndOtherEventsPassThrough) {
    RecordingSink out;
    KeyPressSink sink(out, portableKeyboardLayout(kLayoutJapanese));
    sink.sendKey(0x01, false); // a mouse button has no key
    sink.sendPhysicalKey({0x41, 0x1E}, true);
    sink.settle(7); // not kept: the recorder was not asked to
    out.keepSettles = true;
    sink.settle(8);
    EXPECT_EQ(test::describe(out), "down 01 VK_LBUTTON sc 00\nup 41 A sc 1E\nsettle 8\n");
}

// --- What the text holds -------------------------------------------------------

namespace {

// The events of a Unicode-mode run of `text`, by key presses on a built-in layout.
std::string keysFor(std::u16string text, std::uint32_t layout = kLayoutUs101) {
    test::RunRig r;
    r.host.settings.iInputMode = InputMode::Unicode;
    r.host.settings.iDelivery = Delivery::KeyPresses;
    r.host.settings.iTargetLayout = layout;
    r.runText(std::move(text));
    return r.events();
}

std::string down(const std::string& key) {
    return "down " + key + "\n";
}
std::string up(const std::string& key) {
    return "up " + key + "\n";
}

} // namespace

TEST(KeyPressSink, ACharacterArrivesAsWrittenWhileTheTextHoldsShift) {
    const std::string shift = "10 VK_SHIFT sc 2A", lShift = "A0 VK_LSHIFT sc 2A",
                      rShift = "A1 VK_RSHIFT sc 36";
    const std::string a = press("41 A sc 1E"), b = press("42 B sc 30"), two = press("32 2 sc 03");
    // Shift comes up for the lower-case letter only and goes down again after
    // it; the capital and the arrow get the text's Shift, which the text
    // releases once.
    EXPECT_EQ(keysFor(u"[VK_SHIFT)aB[VK_LEFT](VK_SHIFT]"),
              down(shift) + up(shift) + a + down(shift) + b + press("25 VK_LEFT sc E04B") +
                  up(shift));
    // Both Shift keys held: both come up, the last pressed first, and go down
    // again in the order the text pressed them.
    EXPECT_EQ(keysFor(u"[VK_RSHIFT)[VK_LSHIFT)a@(VK_RSHIFT](VK_LSHIFT]"),
              down(rShift) + down(lShift) + up(lShift) + up(rShift) + a + down(rShift) +
                  down(lShift) + two + up(rShift) + up(lShift));
    // VK_SHIFT and VK_LSHIFT are one key: releasing either lets it up.
    EXPECT_EQ(keysFor(u"[VK_SHIFT)(VK_LSHIFT]a@"),
              down(shift) + up(lShift) + a + down(shift) + two + up(shift));
    // The Japanese keyboard: the underscore needs Shift, the at sign does not.
    EXPECT_EQ(keysFor(u"[VK_SHIFT)_@(VK_SHIFT]", kLayoutJapanese),
              down(shift) + press("E2 VK_OEM_102 sc 73") + up(shift) + press("C0 VK_OEM_3 sc 1A") +
                  down(shift) + up(shift));
}

TEST(KeyPressSink, WhileTheTextHoldsCtrlAltOrWinALetterIsItsBareKey) {
    const std::string ctrl = "11 VK_CONTROL sc 1D", shift = "10 VK_SHIFT sc 2A";
    const std::string v = press("56 V sc 2F");
    for (const char16_t* text : {u"[VK_CONTROL)V(VK_CONTROL]", u"[VK_CONTROL)v(VK_CONTROL]"})
        EXPECT_EQ(keysFor(text), down(ctrl) + v + up(ctrl)) << "Ctrl+V, not Ctrl+Shift+V";
    // The text's own Shift stays for a shortcut: Ctrl+Shift+V.
    EXPECT_EQ(keysFor(u"[VK_CONTROL)[VK_SHIFT)va(VK_SHIFT](VK_CONTROL]"),
              down(ctrl) + down(shift) + v + press("41 A sc 1E") + up(shift) + up(ctrl));
    EXPECT_EQ(keysFor(u"[VK_CONTROL)AZ(VK_CONTROL]"),
              down(ctrl) + press("41 A sc 1E") + press("5A Z sc 2C") + up(ctrl));
    EXPECT_EQ(keysFor(u"[VK_MENU)F(VK_MENU][VK_RWIN)R(VK_RWIN]"),
              down("12 VK_MENU sc 38") + press("46 F sc 21") + up("12 VK_MENU sc 38") +
                  down("5C VK_RWIN sc E05C") + press("52 R sc 13") + up("5C VK_RWIN sc E05C"));
    // A symbol is still typed as written: Ctrl with the plus sign.
    EXPECT_EQ(keysFor(u"[VK_RCONTROL)+(VK_RCONTROL]"),
              down("A3 VK_RCONTROL sc E01D") + down(shift) + press("BB VK_OEM_PLUS sc 0D") +
                  up(shift) + up("A3 VK_RCONTROL sc E01D"));
    // Released, Ctrl no longer makes a letter bare.
    EXPECT_EQ(keysFor(u"[VK_CONTROL)(VK_LCONTROL]V"),
              down(ctrl) + up("A2 VK_LCONTROL sc 1D") + down(shift) + v + up(shift));
}

TEST(KeyPressSink, AHeldAltGrOrShiftIsNotPressedAgainAndADeadKeyTypesWithoutShift) {
    RecordingSink out;
    KeyPressSink sink(out, deadKeyLayout());
    const std::string altGr = "A5 VK_RMENU sc 00", shift = "10 VK_SHIFT sc 00";
    const std::string e = press("45 E sc 12"), three = press("33 3 sc 04"),
                      quote = press("DE VK_OEM_7 sc 28"), space = press("20 VK_SPACE sc 39");
    sink.sendKey(0xA5, false);
    sink.sendUnicodePair(u'\u20AC');
    sink.sendUnicodePair(u'\u00A7');
    sink.sendPhysicalKey({0xA5, 0}, true); // let up through either call
    sink.sendUnicodePair(u'\u20AC');
    // The euro sign goes out on the text's AltGr, the section sign adds Shift
    // only; once the text has let AltGr up, the euro sign presses its own.
    EXPECT_EQ(test::describe(out), down(altGr) + e + down("10 VK_SHIFT sc 2A") + three +
                                       up("10 VK_SHIFT sc 2A") + up(altGr) +
                                       down("A5 VK_RMENU sc E038") + e + up("A5 VK_RMENU sc E038"));
    out.clear();
    sink.sendKey(0x10, false);
    sink.sendUnicodePair(u'\'');
    sink.sendUnicodePair(u'"');
    EXPECT_EQ(test::describe(out),
              down(shift) + up(shift) + quote + down(shift) + space + quote + space);
}
