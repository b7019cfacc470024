#include "keystroke/recording_sink.h"
#include "script/builtin_api.h"
#include "script/services_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace tapwell {
namespace {

// A message-only window to own the clipboard, as the main dialog does.
class OwnerWindowForTest {
  public:
    OwnerWindowForTest() {
        hwnd_ = CreateWindowExW(0, L"STATIC", L"clipboard owner", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~OwnerWindowForTest() {
        if (hwnd_)
            DestroyWindow(hwnd_);
    }
    HWND get() const { return hwnd_; }

  private:
    HWND hwnd_ = nullptr;
};

// Runs built-ins against the real services.
class SystemEnv : public BuiltinEnv {
  public:
    explicit SystemEnv(HWND owner) : owner_(owner) {}
    std::vector<int> errors;
    void reportRuntimeError(int code, int, std::string_view) override { errors.push_back(code); }
    int showMessageBox(std::string_view, std::string_view, std::uint32_t) override { return 1; }
    OwnerWindow ownerWindow() override { return owner_; }
    ScriptServices& services() override { return systemScriptServices(); }
    KeyEventSink& keySink() override { return sink_; }
    std::uint32_t& randomState() override { return random_; }
    bool stopRequested() const override { return false; }

    ScriptValue call(std::string_view name, std::vector<ScriptValue> args) {
        ScriptValue result;
        CallBuiltin(*this, result, name, args, 1);
        return result;
    }

  private:
    HWND owner_;
    RecordingSink sink_;
    std::uint32_t random_ = 1;
};

TEST(Win32Clipboard, TextRoundTripsThroughTheOwnerWindow) {
    OwnerWindowForTest owner;
    ASSERT_NE(owner.get(), nullptr);
    auto& services = systemScriptServices();
    ASSERT_TRUE(services.setClipboardText(owner.get(), u"日本 x\r\n"));
    EXPECT_EQ(services.clipboardText(owner.get()), std::u16string(u"日本 x\r\n"));
    ASSERT_TRUE(services.setClipboardText(owner.get(), u""));
    EXPECT_EQ(services.clipboardText(owner.get()), std::u16string());
}

TEST(Win32Clipboard, EveryWriteHasAnOwnerWindow) {
    OwnerWindowForTest owner, fallback;
    Win32ScriptServices services(fallback.get());
    ASSERT_TRUE(services.setClipboardText(owner.get(), u"owned"));
    EXPECT_EQ(GetClipboardOwner(), owner.get());
    // A run without an owner (the command-line tool) uses its own window.
    ASSERT_TRUE(services.setClipboardText(nullptr, u"fallback"));
    EXPECT_EQ(GetClipboardOwner(), fallback.get());
    EXPECT_EQ(services.clipboardText(nullptr), std::u16string(u"fallback"));
    // With no window at all nothing is written rather than an ownerless text.
    EXPECT_FALSE(systemScriptServices().setClipboardText(nullptr, u"lost"));
    EXPECT_EQ(services.clipboardText(nullptr), std::u16string(u"fallback"));
}

TEST(Win32Clipboard, BuiltinsRoundTripUtf8) {
    OwnerWindowForTest owner;
    SystemEnv env(owner.get());
    EXPECT_EQ(env.call("SETCLIPBOARDTEXT", {ScriptValue("あいう")}), ScriptValue(1));
    EXPECT_EQ(env.call("GETCLIPBOARDTEXT$", {}), ScriptValue("あいう"));
    EXPECT_TRUE(env.errors.empty());
}

TEST(Win32Clipboard, NoUnicodeTextGivesNothing) {
    OwnerWindowForTest owner;
    ASSERT_TRUE(OpenClipboard(owner.get()));
    EmptyClipboard();
    const UINT format = RegisterClipboardFormatW(L"tapwell test picture");
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 4);
    ASSERT_NE(SetClipboardData(format, block), nullptr);
    CloseClipboard();
    EXPECT_FALSE(systemScriptServices().clipboardText(owner.get()).has_value());
}

TEST(Win32Clipboard, HeldByAnotherThreadRefusesTheText) {
    OwnerWindowForTest owner;
    ASSERT_TRUE(systemScriptServices().setClipboardText(owner.get(), u"before"));
    std::atomic<bool> tried{false}, opened{false}, release{false};
    std::thread holder([&] {
        OwnerWindowForTest other;
        opened = OpenClipboard(other.get()) != 0;
        tried = true;
        while (!release)
            Sleep(5);
        if (opened)
            CloseClipboard();
    });
    while (!tried)
        Sleep(5);
    const bool refused = opened && !systemScriptServices().setClipboardText(owner.get(), u"after");
    release = true;
    holder.join();
    ASSERT_TRUE(opened) << "could not set up the competing owner";
    EXPECT_TRUE(refused);
    EXPECT_EQ(systemScriptServices().clipboardText(owner.get()), std::u16string(u"before"));
}

TEST(Win32Environment, SetGetAndRemove) {
    auto& services = systemScriptServices();
    EXPECT_FALSE(services.environmentVariable(u"TAPWELL_NO_SUCH_VARIABLE").has_value());
    ASSERT_TRUE(services.setEnvironmentVariable(u"TAPWELL_TEST_VAR", u"値1"));
    EXPECT_EQ(services.environmentVariable(u"tapwell_test_var"), std::u16string(u"値1"));
    // Longer than any fixed first guess would be wrong to assume; the largest
    // value the platform stores comes back whole.
    const std::u16string longValue(32766, u'v');
    ASSERT_TRUE(services.setEnvironmentVariable(u"TAPWELL_TEST_VAR", longValue));
    EXPECT_EQ(services.environmentVariable(u"TAPWELL_TEST_VAR"), longValue);
    EXPECT_FALSE(services.setEnvironmentVariable(u"", u"x"));
}

TEST(Win32Environment, BuiltinsSeeTheProcessEnvironment) {
    SystemEnv env(nullptr);
    EXPECT_EQ(env.call("SETENV", {ScriptValue("TAPWELL_名前"), ScriptValue(42)}), ScriptValue(1));
    EXPECT_EQ(env.call("GETENV$", {ScriptValue("TAPWELL_名前")}), ScriptValue("42"));
    wchar_t buf[16] = {};
    EXPECT_EQ(GetEnvironmentVariableW(L"TAPWELL_名前", buf, 16), 2u);
    EXPECT_STREQ(buf, L"42");
    EXPECT_EQ(env.call("GETENV$", {ScriptValue("TAPWELL_NOT_SET")}), ScriptValue(""));
}

TEST(Win32Cursor, SetThenRead) {
    auto& services = systemScriptServices();
    ASSERT_NE(services.setCursorPosition(100, 120), 0);
    const auto pos = services.cursorPosition();
    ASSERT_TRUE(pos.has_value());
    EXPECT_EQ(pos->x, 100);
    EXPECT_EQ(pos->y, 120);

    SystemEnv env(nullptr);
    EXPECT_EQ(env.call("SETCURSORPOS", {ScriptValue(30), ScriptValue(40)}), ScriptValue(1));
    EXPECT_EQ(env.call("GETCURSORPOSX", {}), ScriptValue(30));
    EXPECT_EQ(env.call("GETCURSORPOSY", {}), ScriptValue(40));
}

TEST(Win32Sleep, AStopRequestFromAnotherThreadEndsAWait) {
    struct Flag : StopQuery {
        std::atomic<bool> set{false};
        bool stopRequested() const override { return set.load(); }
    } flag;
    std::thread stopper([&] {
        Sleep(50);
        flag.set = true;
    });
    EXPECT_TRUE(systemScriptServices().sleep(3600000, flag));
    stopper.join();
}

} // namespace
} // namespace tapwell
