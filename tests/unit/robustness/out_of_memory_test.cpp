// Running out of memory in the middle of a script: the script ends with an
// error and the program goes on.
#include "../script/script_test_host.h"
#include "allocation_limit.h"

#include <gtest/gtest.h>

using tapwell::test::AllocationLimit;
using tapwell::test::ScriptTestHost;

TEST(OutOfMemory, TextGrownByOperatorsEndsTheScriptWithAnError) {
    ScriptTestHost host;
    // The line is the statement's, as for every runtime error: an assignment
    // is finished only once its line feed is read, so it carries the next one.
    const char* script = "a$ = \"x\"\n"
                         "loop {\n"
                         "  a$ = a$ + a$\n"
                         "}\n"
                         "cb.never()\n";
    {
        AllocationLimit limit(1 << 20);
        EXPECT_EQ(host.runLog(script), "error 106 4 Runtime error at line 4: Out of memory.\n\n");
    }
    // The same growth inside one statement, with no statement boundary
    // between the doublings.
    {
        AllocationLimit limit(1 << 20);
        std::string grow = "a$ = \"0123456789abcdef\"\ncb.v(strlen(";
        for (int i = 0; i < 24; ++i)
            grow += "(a$ = a$ + a$) + ";
        grow += "a$))\n";
        EXPECT_EQ(host.runLog(grow), "error 106 2 Runtime error at line 2: Out of memory.\n\n");
    }
    // Nothing of the failed run is left behind for the next one.
    EXPECT_EQ(host.runLog("cb.v(a$ == \"\")\n"), "v 1\n");
}

TEST(OutOfMemory, BuiltinThatRunsOutNamesItself) {
    ScriptTestHost host;
    AllocationLimit limit(1 << 20);
    EXPECT_EQ(host.runLog("x$ = padleft$(\"x\", 5000000)\ncb.never()\n"),
              "error 106 1 Runtime error at line 1: Out of memory:PADLEFT$(args:2)\n\n");
}
