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
