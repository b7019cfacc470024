// Running a script text for a host: errors, callbacks, the script thread's
// stop handling, and what a stopped script leaves pressed.
#include "script_test_host.h"

#include "script/script_runner.h"

#include <gtest/gtest.h>

namespace tapwell::test {
namespace {

std::vector<std::string> described(const RecordingSink& sink) {
    std::vector<std::string> out;
    for (const KeyEvent& e : sink.events())
        out.push_back(describeKeyEvent(e));
    return out;
}

TEST(Runner, TextsErrorsAndCallbacks) {
    ScriptTestHost t;
    t.answers["s"] = {HostValue{1, 0, u"ab"}};
    t.answers["i"] = {HostValue{0, 42, {}}};
    t.answers["u"] = {HostValue{7, 0, u"\u3042"}};
    t.boxAnswer = 6; // IDYES
    EXPECT_EQ(
        t.mismatches({
            // (A byte order mark and syntax errors: see the golden tests.)
            {"x = 2 # no line feed", ""},
            {"", ""},
            {std::string(20000, '('), "error 101 1 Error at line 1: parser stack overflow\n\n"},
            // Every run starts afresh, even after one ended inside a string.
            {"a = 5\nb$ = \"x\"\nVK_A = 0\nsrand(5)\nbreak", ""},
            {"cb.v(a, b$, VK_A, rand())\n\"open", "v 0 \"\" 65 41\n"},
            {"cb.v(\"closed\")", "v \"closed\"\n"},
            // Callback arguments and results cross as UTF-16; a type other
            // than 0 is a text, and an unanswered call gives 0.
            {"cb.Anything(1, \"x\")\ncb.None()\ncb.Text$(\"\xE6\x97\xA5\xE6\x9C\xAC\")",
             "Anything 1 \"x\"\nNone\nText$ \"\xE6\x97\xA5\xE6\x9C\xAC\"\n"},
            {"cb.v(cb.s(), cb.i(), cb.u(), cb.nothing())",
             "s\ni\nu\nnothing\nv \"ab\" 42 \"\xE3\x81\x82\" 0\n"},
            {"cb.v(question(\"Go?\"), message(42, \"T\"))",
             "box 36 Question: Go?\nbox 0 T: 42\nv 1 0\n"},
        }),
        "");
    EXPECT_EQ(t.run("exit 3\n)"), 0);
    EXPECT_EQ(t.run("exit 5"), 5);

    // Without a CallBack nothing of the call is evaluated.
    t.withCallBack = false;
    EXPECT_EQ(t.runLog("x = cb.f(message(\"no\"), 1 / 0)\nmessage(x === 0)"), "box 0 Message: 1\n");

    const ScriptHost h = t.host();
    t.log.clear();
    EXPECT_EQ(runScriptText(nullptr, &h, t.devices()), -1);
    EXPECT_EQ(t.log, std::vector<std::string>{"error 107 -1 Invalid Parameter."});

    HostValue args[2];
    CallBackCall call;
    call.name = u"Anything\u3042";
    call.arguments = args;
    call.count = 2;
    EXPECT_EQ(unknownCallBackMessage(call), u"Unknown CallBack Function: Anything\u3042(args:2)");
}

std::vector<std::string> shown; // "owner text" of the boxes shown

std::int32_t recordBox(void* owner, const char16_t* text, const char16_t*, std::uint32_t) {
    shown.push_back((owner ? "owned " : "null ") + utf16ToUtf8(text));
    return 1;
}

std::int32_t pointAtOwnResult(CallBackCall* call) {
    static HostValue mine{1, 0, u"own"};
    call->result = &mine;
    return 0;
}

TEST(Runner, HostlessRunsAndHostOwnedResults) {
    // Without a host boxes go to the platform with no owner; the callback's
    // argument is not evaluated and the division stops the script.
    ScriptTestHost t;
    ScriptDevices devices = t.devices();
    devices.platformMessageBox = &recordBox;
    EXPECT_EQ(runScriptText(u"message(\"hi\")\nx = cb.f(message(\"no\")) + 1 / 0\nexit 9\n",
                            nullptr, devices),
              0);
    // The host may point the result at a value of its own.
    ScriptHost h;
    h.CallBack = &pointAtOwnResult;
    h.ShowMessageBox = &recordBox;
    h.hWndOwner = &h;
    runScriptText(u"message(cb.get$())", &h, t.devices());
    EXPECT_EQ(shown, (std::vector<std::string>{"null hi", "owned own"}));
}

std::int32_t requestStop(CallBackCall*) {
    scriptStopRequested = true;
    EXPECT_TRUE(scriptRunning.load());
    return 0;
}

std::int32_t noBoxExpected(void*, const char16_t* text, const char16_t*, std::uint32_t) {
    ADD_FAILURE() << "the script went on after the stop request to " << utf16ToUtf8(text);
    return 1;
}

// The GUI clears a stale request and sets scriptRunning before it starts the
// thread; an Abort between that and the first statement must hold, and one
// from a running loop stops it. Either way the flags end cleared.
TEST(ScriptThread, AbortRequestsStopTheScriptAndClearTheFlags) {
    ScriptTestHost t;
    setDefaultScriptDevices(t.devices());
    ScriptHost h;
    h.CheckAbort = &consumeStopRequest;
    h.ShowMessageBox = &noBoxExpected;
    for (const bool early : {true, false}) {
        const std::u16string text =
            early ? u"x = 1\nmessage(\"second\")" : u"loop {\ncb.stop()\n}\nmessage(\"after\")";
        ScriptText = text.c_str();
        h.CallBack = early ? nullptr : &requestStop;
        scriptRunning = true;
        scriptStopRequested = early;
        ScriptThreadProc(h);
        EXPECT_FALSE(scriptRunning.load()) << early;
        EXPECT_FALSE(scriptStopRequested.load()) << early;
    }
    setDefaultScriptDevices({});
    ScriptText = nullptr;
}

// What a script pressed and left down is released when the user stops it, on
// its own thread, the last pressed first; not when it ends by itself or by an
// error.
TEST(ScriptThread, AUserStopReleasesWhatTheScriptHolds) {
    ScriptTestHost t;
    int statements = 0;
    t.checkAbort = [&](int) { return ++statements == 8 ? 1 : 0; };
    t.run("KEYBDEVENT(VK_SHIFT, 1)\nMOUSEBUTTONLEFT(1)\nKEYBDEVENT(VK_CONTROL, 1)\n"
          "SENDINPUTUNICODE(\"\xE3\x81\x82\", 1)\nMOUSEBUTTONX2(1)\nKEYBDEVENT(VK_CONTROL, 0)\n"
          "MOUSEBUTTONRIGHT(-1)\nMOUSEBUTTONRIGHT(0)\nKEYBDEVENT(VK_A, 1)\n");
    EXPECT_EQ(described(t.keys), (std::vector<std::string>{"down 10 VK_SHIFT", "down 11 VK_CONTROL",
                                                           "unicode-down 3042", "up 11 VK_CONTROL",
                                                           "unicode-up 3042", "up 10 VK_SHIFT"}));
    const std::vector<MouseEventRecord> mouse = t.services.mouseEvents;
    ASSERT_EQ(mouse.size(), 6u);
    EXPECT_EQ(mouse[4], (MouseEventRecord{0x0100, 0, 0, 2})) << "X2 up, pressed last";
    EXPECT_EQ(mouse[5], (MouseEventRecord{0x0004, 0, 0, 0})) << "left up";

    // SLEEP takes the request from the host; the statement boundary acts on it.
    t.keys.clear();
    statements = 0;
    t.checkAbort = [&](int) { return ++statements == 2 ? 1 : 0; };
    t.run("KEYBDEVENT(VK_MENU, 1)\nSLEEP(5000)\nKEYBDEVENT(VK_A, 1)\n");
    EXPECT_EQ(described(t.keys), (std::vector<std::string>{"down 12 VK_MENU", "up 12 VK_MENU"}));
    EXPECT_EQ(t.services.elapsedMs(), 0u);

    t.keys.clear();
    t.checkAbort = [](int) { return 0; };
    t.run("KEYBDEVENT(VK_SHIFT, 1)\nMOUSEBUTTONLEFT(1)\n");
    t.run("KEYBDEVENT(VK_SHIFT, 1)\nx = 1 / 0\nKEYBDEVENT(VK_A, 1)\n");
    EXPECT_EQ(described(t.keys),
              (std::vector<std::string>{"down 10 VK_SHIFT", "down 10 VK_SHIFT"}));
    EXPECT_EQ(t.services.mouseEvents.size(), 7u);
}

} // namespace
} // namespace tapwell::test
