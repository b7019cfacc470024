#include "script_test_host.h"

#include "keystroke/key_delivery.h"
#include "script/script_runner.h"

#include <gtest/gtest.h>

namespace tapwell::test {
namespace {

class Runner : public ::testing::Test {
  protected:
    ScriptTestHost t;
    std::string run(std::string_view script) { return t.runLog(script); }
};

TEST_F(Runner, ByteOrderMarkAndMissingFinalLineFeed) {
    EXPECT_EQ(run("\xEF\xBB\xBF"
                  "cb.v(1)"),
              "v 1\n");
    EXPECT_EQ(run("x = 2 # no line feed"), "");
    EXPECT_EQ(run(""), "");
}

TEST_F(Runner, SyntaxErrorRunsNothing) {
    EXPECT_EQ(run("cb.before()\nx = (1\ncb.after()\n"),
              "error 101 3 Error at line 3: parse error\n\n");
    EXPECT_EQ(run("cb.before()\nx = \xE3\x80\x80\n"),
              "error 101 2 Error at line 2: parse error\n\n");
    EXPECT_EQ(t.run("exit 3\n)"), 0);
}

TEST_F(Runner, ParserStackOverflowIsReportedAsASyntaxError) {
    EXPECT_EQ(run(std::string(20000, '(')),
              "error 101 1 Error at line 1: parser stack overflow\n\n");
}

TEST_F(Runner, NullTextIsRefused) {
    const ScriptHost h = t.host();
    EXPECT_EQ(runScriptText(nullptr, &h, t.devices()), -1);
    ASSERT_EQ(t.log.size(), 1u);
    EXPECT_EQ(t.log[0], "error 107 -1 Invalid Parameter.");
}

TEST_F(Runner, TwoRunsInARowStartClean) {
    EXPECT_EQ(run("a = 5\nb$ = \"x\"\nVK_A = 0\nbreak"), "");
    EXPECT_EQ(run("cb.v(a, b$, VK_A)"), "v 0 \"\" 65\n");
    // A run that ended inside a string literal leaves no state behind.
    EXPECT_EQ(run("cb.v(1)\n\"open"), "v 1\n");
    EXPECT_EQ(run("cb.v(\"closed\")"), "v \"closed\"\n");
    EXPECT_EQ(t.run("exit 5"), 5);
    EXPECT_EQ(t.run("x = 1"), 0);
}

TEST_F(Runner, NullHostRunsSilently) {
    int boxes = 0;
    static int* counter = nullptr;
    counter = &boxes;
    ScriptDevices devices = t.devices();
    devices.platformMessageBox = [](void* owner, const char16_t*, const char16_t*,
                                    std::uint32_t) -> std::int32_t {
        *counter += owner == nullptr ? 1 : 100;
        return 1;
    };
    const std::u16string text = u"message(\"hi\")\nx = cb.f(message(\"no\")) + 1 / 0\nexit 9\n";
    EXPECT_EQ(runScriptText(text.c_str(), nullptr, devices), 0);
    // The callback's argument was never evaluated; the division stopped it.
    EXPECT_EQ(boxes, 1);
}

TEST_F(Runner, MessageBoxesGoThroughTheHostWithItsOwner) {
    t.boxAnswer = 6; // IDYES
    EXPECT_EQ(run("cb.v(question(\"Go?\"), message(42, \"T\"))"),
              "box 36 Question: Go?\nbox 0 T: 42\nv 1 0\n");
}

TEST_F(Runner, KeyAndDeviceBuiltinsReachTheDevices) {
    run("keybdevent(0x141, 1)\nkeybdevent(65, 0)\nsleep(30)");
    ASSERT_EQ(t.keys.events().size(), 2u);
    EXPECT_EQ(describeKeyEvent(t.keys.events()[0]), "down 41 A");
    EXPECT_EQ(t.services.sleeps, std::vector<std::uint32_t>{30});
}

TEST_F(Runner, RandomSequenceStartsOverEveryRun) {
    EXPECT_EQ(run("cb.v(rand())"), "v 41\n");
    EXPECT_EQ(run("srand(1)\ncb.v(rand(), rand(), rand())"), "v 41 18467 6334\n");
}

class Callbacks : public Runner {};

TEST_F(Callbacks, ArgumentsReachTheHostAsUtf16) {
    EXPECT_EQ(run("cb.Anything(1, \"x\")\ncb.None()\ncb.Text$(\"\xE6\x97\xA5\xE6\x9C\xAC\")"),
              "Anything 1 \"x\"\nNone\nText$ \"\xE6\x97\xA5\xE6\x9C\xAC\"\n");
}

TEST_F(Callbacks, ResultsComeBackAsScriptValues) {
    t.answers["s"] = {HostValue{1, 0, u"ab"}};
    t.answers["i"] = {HostValue{0, 42, {}}};
    t.answers["u"] = {HostValue{7, 0, u"\u3042"}};
    EXPECT_EQ(run("cb.v(cb.s(), cb.i(), cb.u(), cb.nothing())"),
              "s\ni\nu\nnothing\nv \"ab\" 42 \"\xE3\x81\x82\" 0\n");
}

std::int32_t pointAtOwnResult(CallBackCall* call) {
    static HostValue mine{1, 0, u"own"};
    call->result = &mine;
    return 0;
}

TEST_F(Callbacks, HostMayPointTheResultAtItsOwnValue) {
    int boxes = 0;
    static int* counter = &boxes;
    counter = &boxes;
    ScriptHost h;
    h.CallBack = &pointAtOwnResult;
    h.ShowMessageBox = [](void*, const char16_t* text, const char16_t*,
                          std::uint32_t) -> std::int32_t {
        *counter += std::u16string_view(text) == u"own" ? 1 : 100;
        return 1;
    };
    const std::u16string text = u"message(cb.get$())";
    runScriptText(text.c_str(), &h, t.devices());
    EXPECT_EQ(boxes, 1);
}

TEST_F(Callbacks, WithoutCallBackNothingIsEvaluated) {
    t.withCallBack = false;
    EXPECT_EQ(run("x = cb.f(message(\"no\"), 1 / 0)\nmessage(x === 0)"), "box 0 Message: 1\n");
}

class ScriptThread : public Runner {};

TEST_F(ScriptThread, UnservedCallbackMessageNamesTheCallAsWritten) {
    HostValue args[2];
    CallBackCall call;
    call.name = u"Anything\u3042";
    call.arguments = args;
    call.count = 2;
    EXPECT_EQ(unknownCallBackMessage(call), u"Unknown CallBack Function: Anything\u3042(args:2)");
    call.count = -1;
    EXPECT_EQ(unknownCallBackMessage(call), u"Unknown CallBack Function: Anything\u3042(args:-1)");
}

std::int32_t requestStop(CallBackCall*) {
    scriptStopRequested = true;
    EXPECT_TRUE(scriptRunning.load());
    return 0;
}

TEST_F(ScriptThread, AbortFromTheGuiStopsTheLoopAndClearsTheFlags) {
    const std::u16string text = u"loop {\ncb.stop()\n}\nmessage(\"after\")";
    ScriptText = text.c_str();
    setDefaultScriptDevices(t.devices());
    ScriptHost h;
    h.CallBack = &requestStop;
    h.CheckAbort = &consumeStopRequest;
    h.ShowMessageBox = [](void*, const char16_t*, const char16_t*, std::uint32_t) -> std::int32_t {
        ADD_FAILURE() << "the script went on after the stop request";
        return 1;
    };
    ScriptThreadProc(h);
    EXPECT_FALSE(scriptRunning.load());
    EXPECT_FALSE(scriptStopRequested.load());
    setDefaultScriptDevices({});
    ScriptText = nullptr;
}

// The GUI clears a stale request and sets scriptRunning before it starts the
// thread; an Abort between that and the thread's first statement must hold.
TEST_F(ScriptThread, AnAbortGivenWhileTheThreadStartsIsKept) {
    const std::u16string text = u"x = 1\nmessage(\"second statement\")";
    ScriptText = text.c_str();
    setDefaultScriptDevices(t.devices());
    ScriptHost h;
    h.CheckAbort = &consumeStopRequest;
    h.ShowMessageBox = [](void*, const char16_t*, const char16_t*, std::uint32_t) -> std::int32_t {
        ADD_FAILURE() << "the Abort given at the start was lost";
        return 1;
    };
    scriptRunning = true;
    scriptStopRequested = true;
    ScriptThreadProc(h);
    EXPECT_FALSE(scriptRunning.load());
    EXPECT_FALSE(scriptStopRequested.load()) << "consumed by the stop";
    setDefaultScriptDevices({});
    ScriptText = nullptr;
}

// What a script pressed and left down is released when the user stops it,
// on its own thread, the last pressed first.
TEST_F(Runner, AUserStopReleasesHeldKeysUnicodeUnitsAndMouseButtons) {
    int statements = 0;
    t.checkAbort = [&](int) { return ++statements == 8 ? 1 : 0; };
    run("KEYBDEVENT(VK_SHIFT, 1)\n"
        "MOUSEBUTTONLEFT(1)\n"
        "KEYBDEVENT(VK_CONTROL, 1)\n"
        "SENDINPUTUNICODE(\"\xE3\x81\x82\", 1)\n"
        "MOUSEBUTTONX2(1)\n"
        "KEYBDEVENT(VK_CONTROL, 0)\n"
        "MOUSEBUTTONRIGHT(-1)\n"
        "MOUSEBUTTONRIGHT(0)\n"
        "KEYBDEVENT(VK_A, 1)\n");
    std::vector<std::string> keys;
    for (const KeyEvent& e : t.keys.events())
        keys.push_back(describeKeyEvent(e));
    EXPECT_EQ(keys, (std::vector<std::string>{"down 10 VK_SHIFT", "down 11 VK_CONTROL",
                                              "unicode-down 3042", "up 11 VK_CONTROL",
                                              "unicode-up 3042", "up 10 VK_SHIFT"}));
    const std::vector<MouseEventRecord> mouse = t.services.mouseEvents;
    ASSERT_EQ(mouse.size(), 6u);
    EXPECT_EQ(mouse[4], (MouseEventRecord{0x0100, 0, 0, 2})) << "X2 up, pressed last";
    EXPECT_EQ(mouse[5], (MouseEventRecord{0x0004, 0, 0, 0})) << "left up";
}

TEST_F(Runner, AScriptThatEndsByItselfOrByAnErrorKeepsWhatItLeftDown) {
    t.checkAbort = [](int) { return 0; };
    run("KEYBDEVENT(VK_SHIFT, 1)\nMOUSEBUTTONLEFT(1)\n");
    EXPECT_EQ(t.keys.events().size(), 1u);
    EXPECT_EQ(t.services.mouseEvents.size(), 1u);
    t.keys.clear();
    run("KEYBDEVENT(VK_SHIFT, 1)\nx = 1 / 0\nKEYBDEVENT(VK_A, 1)\n");
    EXPECT_EQ(t.keys.events().size(), 1u) << "the error stop releases nothing";
}

TEST_F(Runner, AStopThatCutsASleepShortReleasesToo) {
    // SLEEP takes the request from the host; the statement boundary acts on it.
    int queries = 0;
    t.checkAbort = [&](int) { return ++queries == 2 ? 1 : 0; };
    run("KEYBDEVENT(VK_MENU, 1)\nSLEEP(5000)\nKEYBDEVENT(VK_A, 1)\n");
    std::vector<std::string> keys;
    for (const KeyEvent& e : t.keys.events())
        keys.push_back(describeKeyEvent(e));
    EXPECT_EQ(keys, (std::vector<std::string>{"down 12 VK_MENU", "up 12 VK_MENU"}));
    EXPECT_EQ(t.services.elapsedMs(), 0u);
}

TEST_F(Runner, KeyPressesDeliveryGivesKeybdEventItsScanCode) {
    KeyDeliveryStage stage(t.keys, Delivery::KeyPresses, kLayoutJapanese, portableKeyboardLayout);
    ScriptDevices devices = t.devices();
    devices.keySink = &stage.sink();
    const ScriptHost h = t.host();
    const std::u16string text =
        u"KEYBDEVENT(VK_OEM_3, 1)\nKEYBDEVENT(0x1A5, 0)\nSENDINPUTUNICODE(\"@\", 1)\n";
    EXPECT_EQ(runScriptText(text.c_str(), &h, devices), 0);
    std::vector<std::string> got;
    for (const KeyEvent& e : t.keys.events())
        got.push_back(describeKeyEvent(e));
    // The script's explicit Unicode event stays one.
    std::vector<std::string> want = {"down C0 VK_OEM_3 sc 1A", "up A5 VK_RMENU sc E038",
                                     "unicode-down 0040"};
    EXPECT_EQ(got, want);
}

} // namespace
} // namespace tapwell::test
