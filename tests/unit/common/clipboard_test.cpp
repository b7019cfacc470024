#include "common/clipboard.h"

#include <gtest/gtest.h>

#include <string>

namespace tapwell {
namespace {

// Records the calls and fails at the step it is told to.
class FakeClipboard : public ClipboardSteps {
  public:
    std::string failAt;
    std::string calls;
    std::size_t allocated = 0;
    std::u16string copied;
    bool handedOver = false;

    bool open() override { return step("open"); }
    void close() override { calls += "close;"; }
    bool allocate(std::size_t bytes) override {
        allocated = bytes;
        return step("allocate");
    }
    bool lockAndCopy(std::u16string_view units) override {
        if (!step("lock"))
            return false;
        copied = units;
        return true;
    }
    bool empty() override { return step("empty"); }
    bool setUnicodeText() override {
        handedOver = step("set");
        return handedOver;
    }
    void freeBlock() override { calls += "free;"; }

  private:
    bool step(const std::string& name) {
        calls += name + ";";
        return failAt != name;
    }
};

TEST(ClipboardSteps, SuccessHandsTheBlockOver) {
    FakeClipboard clip;
    EXPECT_EQ(copyToClipboard(clip, u"report"), ClipboardResult::Done);
    EXPECT_EQ(clip.calls, "open;allocate;lock;empty;set;close;");
    EXPECT_EQ(clip.allocated, 14u); // six units and the terminator
    EXPECT_EQ(clip.copied, u"report");
    EXPECT_TRUE(clip.handedOver);
}

TEST(ClipboardSteps, EveryFailureFreesTheBlockAndCloses) {
    struct Case {
        const char* failAt;
        ClipboardResult result;
        const char* calls;
    };
    const Case cases[] = {
        {"open", ClipboardResult::OpenFailed, "open;"},
        {"allocate", ClipboardResult::OutOfMemory, "open;allocate;close;"},
        {"lock", ClipboardResult::LockFailed, "open;allocate;lock;free;close;"},
        {"empty", ClipboardResult::EmptyFailed, "open;allocate;lock;empty;free;close;"},
        {"set", ClipboardResult::SetFailed, "open;allocate;lock;empty;set;free;close;"},
    };
    for (const Case& c : cases) {
        FakeClipboard clip;
        clip.failAt = c.failAt;
        EXPECT_EQ(copyToClipboard(clip, u"r"), c.result) << c.failAt;
        EXPECT_EQ(clip.calls, c.calls) << c.failAt;
        EXPECT_FALSE(clip.handedOver);
    }
}

} // namespace
} // namespace tapwell
