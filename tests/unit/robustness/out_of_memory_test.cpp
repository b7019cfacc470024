// Out of memory in the middle of a script: it ends with an error, the program goes on.
#include "../script/script_test_host.h"
#include "allocation_limit.h"

#include <gtest/gtest.h>

TEST(OutOfMemory, TheScriptEndsWithAnErrorThatNamesTheBuiltinAndLeavesNothingBehind) {
    tapwell::test::ScriptTestHost host;
    // Growth in a loop (an assignment is finished only once its line feed is
    // read, so its error carries the next line), and within one statement.
    std::string grow = "a$ = \"0123456789abcdef\"\ncb.v(strlen(";
    for (int i = 0; i < 24; ++i)
        grow += "(a$ = a$ + a$) + ";
    const std::pair<std::string, const char*> rows[] = {
        {"a$ = \"x\"\nloop {\n  a$ = a$ + a$\n}\ncb.never()\n", "4 Runtime error at line 4: "
                                                                "Out of memory.\n\n"},
        {grow + "a$))\n", "2 Runtime error at line 2: Out of memory.\n\n"},
        {"x$ = padleft$(\"x\", 5000000)\ncb.never()\n",
         "1 Runtime error at line 1: Out of memory:PADLEFT$(args:2)\n\n"},
    };
    for (const auto& [script, error] : rows) {
        {
            tapwell::test::AllocationLimit limit(1 << 20);
            EXPECT_EQ(host.runLog(script), std::string("error 106 ") + error);
        }
        EXPECT_EQ(host.runLog("cb.v(a$ == \"\")\n"), "v 1\n");
    }
}

// A script whose text cannot even be translated for the parser is refused
// as a whole with its own message and the exit code of a refused text.
TEST(OutOfMemory, AScriptTooLargeToTranslateIsRefused) {
    tapwell::test::ScriptTestHost host;
    // Half a megabyte as UTF-16, more than a megabyte as UTF-8.
    const std::u16string text = u"cb.never()\n" + std::u16string(300000, u'\u65E5');
    const tapwell::ScriptHost h = host.host();
    {
        tapwell::test::AllocationLimit limit(1 << 20);
        EXPECT_EQ(tapwell::runScriptText(text.c_str(), &h, host.devices(), nullptr), -1);
    }
    ASSERT_EQ(host.log.size(), 1u);
    EXPECT_EQ(host.log[0], "error 106 -1 Out of memory while translating script.");
}
