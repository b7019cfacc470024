#include "keystroke/guarded_sink.h"
#include "keystroke/key_delivery.h"
#include "keystroke/recording_sink.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tapwell;

namespace {

using Lines = std::vector<std::string>;

struct Rig {
    RecordingSink out;
    GuardedSink sink{out};
    Lines mouse;

    Lines events() const {
        Lines lines;
        for (const KeyEvent& e : out.events())
            lines.push_back(describeKeyEvent(e));
        return lines;
    }
    // Releases and returns only the events of the release.
    Lines release() {
        out.clear();
        sink.releaseHeld([this](std::uint32_t flags, std::int32_t data) {
            mouse.push_back(std::to_string(flags) + " " + std::to_string(data));
        });
        return events();
    }
};

} // namespace

TEST(GuardedSink, ReleasesWhatIsStillDownLastPressedFirst) {
    Rig r;
    r.sink.sendKey(0x10, false); // Shift
    r.sink.sendKey(0x11, false); // Ctrl
    r.sink.sendKey(0x12, false); // Alt
    r.sink.sendKey(0x11, true);  // Ctrl let go by the text itself
    r.sink.sendUnicodeUnit(u'\u3042', false);
    pressAndRelease(r.sink, 0x41);
    r.sink.sendUnicodePair(u'x'); // down and up together: nothing held
    EXPECT_EQ(r.release(), (Lines{"unicode-up 3042", "up 12 VK_MENU", "up 10 VK_SHIFT"}));
    EXPECT_TRUE(r.sink.held().empty());
    EXPECT_TRUE(r.release().empty()) << "a second release sends nothing";
}

TEST(GuardedSink, APressOfAHeldKeyKeepsItsPlaceAndItIsReleasedOnce) {
    Rig r;
    r.sink.sendKey(0x10, false);
    r.sink.sendKey(0x11, false);
    r.sink.sendKey(0x10, false);
    EXPECT_EQ(r.sink.held().size(), 2u);
    EXPECT_EQ(r.release(), (Lines{"up 11 VK_CONTROL", "up 10 VK_SHIFT"}));
}

TEST(GuardedSink, PhysicalKeysAreReleasedWithTheirScanCodes) {
    Rig r;
    r.sink.sendPhysicalKey({0x10, 0x2A}, false);
    r.sink.sendPhysicalKey({0xA5, 0xE038}, false);
    EXPECT_EQ(r.release(), (Lines{"up A5 VK_RMENU sc E038", "up 10 VK_SHIFT sc 2A"}));
}

TEST(GuardedSink, MouseButtonsAreKnownByTheirReleaseAndData) {
    Rig r;
    HeldInputs& held = r.sink.held();
    held.noteMouseButton(0x0004, 0, false); // left
    held.noteMouseButton(0x0100, 1, false); // X1
    held.noteMouseButton(0x0100, 2, false); // X2
    held.noteMouseButton(0x0100, 1, true);  // X1 released again
    r.sink.sendKey(0x10, false);
    EXPECT_EQ(r.release(), (Lines{"up 10 VK_SHIFT"}));
    EXPECT_EQ(r.mouse, (Lines{"256 2", "4 0"}));
}

TEST(GuardedSink, CountsOperationsThatInsertedNothing) {
    Rig r;
    pressAndRelease(r.sink, 0x41);
    EXPECT_EQ(r.sink.takeRefusals(), 0u);
    r.out.insertsEvents = false;
    r.sink.sendKey(0x41, false);
    r.sink.sendUnicodePair(u'a');
    EXPECT_EQ(r.sink.takeRefusals(), 2u);
    EXPECT_EQ(r.sink.takeRefusals(), 0u) << "taking them starts the count again";
    r.release();
    EXPECT_EQ(r.sink.takeRefusals(), 0u) << "releases after the end do not count";
}

TEST(GuardedSink, AboveKeyPressesDeliveryTheLayoutsKeyIsReleased) {
    RecordingSink out;
    KeyDeliveryStage stage(out, Delivery::KeyPresses, kLayoutUs101, portableKeyboardLayout);
    GuardedSink sink(stage.sink());
    sink.sendKey(0x10, false);
    out.clear();
    sink.releaseHeld();
    ASSERT_EQ(out.events().size(), 1u);
    EXPECT_EQ(describeKeyEvent(out.events()[0]), "up 10 VK_SHIFT sc 2A");
}
