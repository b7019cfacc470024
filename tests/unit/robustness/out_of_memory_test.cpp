// Running out of memory in the middle of a script: the script ends with an
// error and the program goes on. This binary replaces the global operator new
// so that, while a test arms the limit, any single allocation above it fails
// as it would on a machine whose memory is used up.
#include "../script/script_test_host.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> g_largestAllowed{SIZE_MAX};

struct AllocationLimit {
    explicit AllocationLimit(std::size_t bytes) { g_largestAllowed = bytes; }
    ~AllocationLimit() { g_largestAllowed = SIZE_MAX; }
    AllocationLimit(const AllocationLimit&) = delete;
    AllocationLimit& operator=(const AllocationLimit&) = delete;
};

} // namespace

void* operator new(std::size_t size) {
    if (size > g_largestAllowed.load(std::memory_order_relaxed))
        throw std::bad_alloc();
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}
// The pointers come from the malloc above, which GCC cannot see.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

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
