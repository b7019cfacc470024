#include "keystroke/recording_sink.h"

#include <gtest/gtest.h>

using namespace tapwell;

TEST(RecordingSink, PressAndReleaseIsDownThenUp) {
    RecordingSink sink;
    pressAndRelease(sink, 13);
    ASSERT_EQ(sink.events().size(), 2u);
    EXPECT_EQ(describeKeyEvent(sink.events()[0]), "down 0D VK_RETURN");
    EXPECT_EQ(describeKeyEvent(sink.events()[1]), "up 0D VK_RETURN");
}

TEST(RecordingSink, DescribesEveryKind) {
    RecordingSink sink;
    std::vector<std::string> streamed;
    sink.onEvent = [&](const KeyEvent& e) { streamed.push_back(describeKeyEvent(e)); };
    sink.sendKey(0x41, false);
    sink.sendKey(0x07, true); // a code with no name
    sink.sendUnicodePair(0x6F22);
    EXPECT_EQ(sink.sendUnicodeUnit(0xD83D, false), 1u);
    sink.sendUnicodeUnit(0xd83d, true);
    std::vector<std::string> want = {"down 41 A", "up 07 -", "char 6F22", "unicode-down D83D",
                                     "unicode-up D83D"};
    EXPECT_EQ(streamed, want);
    EXPECT_EQ(sink.events().size(), 5u);
}
