#include "common/clipboard.h"

#include <gtest/gtest.h>

#include <string>

namespace tapwell {
namespace {

// Records the calls and fails at the step it is told to.
class FakeClipboard : public ClipboardSteps {
  public:
    std::string failAt, calls;
    std::size_t allocated = 0;
    std::u16string copied;

    bool open() override { return step("open"); }
    void close() override { calls += "close;"; }
    bool allocate(std::size_t bytes) override {
        allocated = bytes;
        return step("allocate");
    }
    bool lockAndCopy(std::u16string_view units) override {
        copied = units;
        return step("lock");
    }
    bool empty() override { return step("empty"); }
    bool setUnicodeText() override { return step("set"); }
    void freeBlock() override { calls += "free;"; }

  private:
    bool step(const std::string& name) {
        calls += name + ";";
        return failAt != name;
    }
};

TEST(Clipboard, TheBlockIsFreedUnlessHandedOverAndAnOpenedClipboardClosed) {
    FakeClipboard done;
    EXPECT_EQ(copyToClipboard(done, u"report"), ClipboardResult::Done);
    EXPECT_EQ(done.calls, "open;allocate;lock;empty;set;close;");
    EXPECT_EQ(done.allocated, 14u); // six units and the terminator
    EXPECT_EQ(done.copied, u"report");

    const struct {
        const char* failAt;
        ClipboardResult result;
        const char* calls;
    } cases[] = {
        {"open", ClipboardResult::OpenFailed, "open;"},
        {"allocate", ClipboardResult::OutOfMemory, "open;allocate;close;"},
        {"lock", ClipboardResult::LockFailed, "open;allocate;lock;free;close;"},
        {"empty", ClipboardResult::EmptyFailed, "open;allocate;lock;empty;free;close;"},
        {"set", ClipboardResult::SetFailed, "open;allocate;lock;empty;set;free;close;"},
    };
    for (const auto& c : cases) {
        FakeClipboard clip;
        clip.failAt = c.failAt;
        EXPECT_EQ(copyToClipboard(clip, u"r"), c.result) << c.failAt;
        EXPECT_EQ(clip.calls, c.calls) << c.failAt;
    }
}

} // namespace
} // namespace tapwell
