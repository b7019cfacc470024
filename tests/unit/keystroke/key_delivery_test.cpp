#include "keystroke/key_delivery.h"
#include "keystroke/recording_sink.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tapwell;

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

struct Recorded {
    RecordingSink out;
    std::vector<std::string> lines() const {
        std::vector<std::string> v;
        for (const KeyEvent& e : out.events())
            v.push_back(describeKeyEvent(e));
        return v;
    }
};

std::vector<std::string> typed(std::u16string_view text,
                               std::unique_ptr<const KeyboardLayout> layout) {
    Recorded r;
    r.out.keepSettles = true;
    KeyPressSink sink(r.out, std::move(layout));
    for (char16_t c : text)
        sink.sendUnicodePair(c);
    return r.lines();
}

std::unique_ptr<const KeyboardLayout> us() {
    return portableKeyboardLayout(kLayoutUs101);
}

} // namespace

TEST(KeyPressSink, ShiftIsHeldAroundTheKeyWithSettlePauses) {
    std::vector<std::string> want = {
        "down 10 VK_SHIFT sc 2A", "settle 5",        "down 41 A sc 1E", "up 41 A sc 1E", "settle 5",
        "up 10 VK_SHIFT sc 2A",   "down 41 A sc 1E", "up 41 A sc 1E",
    };
    EXPECT_EQ(typed(u"Aa", us()), want);
}

TEST(KeyPressSink, AltGrIsRightAltInsideShift) {
    std::vector<std::string> euro = {
        "down A5 VK_RMENU sc E038", "settle 5", "down 45 E sc 12", "up 45 E sc 12", "settle 5",
        "up A5 VK_RMENU sc E038",
    };
    EXPECT_EQ(typed(u"\u20AC", deadKeyLayout()), euro);
    std::vector<std::string> section = {
        "down 10 VK_SHIFT sc 2A",
        "settle 5",
        "down A5 VK_RMENU sc E038",
        "settle 5",
        "down 33 3 sc 04",
        "up 33 3 sc 04",
        "settle 5",
        "up A5 VK_RMENU sc E038",
        "settle 5",
        "up 10 VK_SHIFT sc 2A",
    };
    EXPECT_EQ(typed(u"\u00A7", deadKeyLayout()), section);
}

TEST(KeyPressSink, DeadKeyIsFollowedByASpaceOutsideItsModifiers) {
    std::vector<std::string> want = {
        "down DE VK_OEM_7 sc 28", "up DE VK_OEM_7 sc 28",   "down 20 VK_SPACE sc 39",
        "up 20 VK_SPACE sc 39",   "down 10 VK_SHIFT sc 2A", "settle 5",
        "down DE VK_OEM_7 sc 28", "up DE VK_OEM_7 sc 28",   "settle 5",
        "up 10 VK_SHIFT sc 2A",   "down 20 VK_SPACE sc 39", "up 20 VK_SPACE sc 39",
    };
    EXPECT_EQ(typed(u"'\"", deadKeyLayout()), want);
}

TEST(KeyPressSink, CharactersNoKeyTypesFallBackToUnicode) {
    // A kanji, an emoji's two surrogates, and a letter this layout lacks.
    std::vector<std::string> want = {"char 65E5", "char D83D",       "char DE00",
                                     "char 0078", "down 45 E sc 12", "up 45 E sc 12"};
    EXPECT_EQ(typed(u"\u65E5\U0001F600xe", deadKeyLayout()), want);
}

TEST(KeyPressSink, KeysGetScanCodesAndOtherEventsPassThrough) {
    Recorded r;
    KeyPressSink sink(r.out, portableKeyboardLayout(kLayoutJapanese));
    sink.sendKey(0xC0, false);                        // VK_OEM_3 is @ on this keyboard
    sink.sendKey(0x2E, true);                         // Delete carries the extended flag
    sink.sendKey(0x01, false);                        // a mouse button has no key
    EXPECT_EQ(sink.sendUnicodeUnit(u'x', false), 1u); // a script's explicit Unicode event
    sink.sendPhysicalKey({0x41, 0x1E}, true);
    sink.settle(7); // not kept: the recorder was not asked to
    std::vector<std::string> want = {"down C0 VK_OEM_3 sc 1A", "up 2E VK_DELETE sc E053",
                                     "down 01 VK_LBUTTON sc 00", "unicode-down 0078",
                                     "up 41 A sc 1E"};
    EXPECT_EQ(r.lines(), want);
    r.out.clear();
    r.out.keepSettles = true;
    sink.settle(7);
    EXPECT_EQ(r.lines(), std::vector<std::string>{"settle 7"});
}

namespace {
std::uint32_t g_askedLayout = 99;
std::unique_ptr<KeyboardLayout> recordingResolver(std::uint32_t id) {
    g_askedLayout = id;
    return portableKeyboardLayout(kLayoutUs101);
}
} // namespace

TEST(KeyDeliveryStage, WrittenIsTheSinkItselfAndKeysAskTheResolver) {
    Recorded r;
    g_askedLayout = 99;
    KeyDeliveryStage written(r.out, Delivery::Written, 7, recordingResolver);
    EXPECT_EQ(&written.sink(), &r.out);
    EXPECT_EQ(g_askedLayout, 99u);

    KeyDeliveryStage keys(r.out, Delivery::KeyPresses, 0x04090409, recordingResolver);
    EXPECT_EQ(g_askedLayout, 0x04090409u);
    pressAndRelease(keys.sink(), 0xC0);
    std::vector<std::string> want = {"down C0 VK_OEM_3 sc 29", "up C0 VK_OEM_3 sc 29"};
    EXPECT_EQ(r.lines(), want);
}
