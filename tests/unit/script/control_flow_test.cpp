#include "script_test_host.h"

#include <gtest/gtest.h>

namespace tapwell::test {
namespace {

class ControlFlow : public ::testing::Test {
  protected:
    ScriptTestHost t;
    std::string run(std::string_view script) { return t.runLog(script); }
};

TEST_F(ControlFlow, IfRunsExactlyTheFirstTrueBranch) {
    EXPECT_EQ(run("if 0 {\ncb.a()\n}\n"), "");
    EXPECT_EQ(run("x = 2\nif x == 1 {\ncb.one()\n} else if x == 2 {\ncb.two()\n} else if x > 1 "
                  "{\ncb.also()\n} else {\ncb.other()\n}\n"),
              "two\n");
    EXPECT_EQ(run("if 0 {\n}\nelse {\ncb.other()\n}\n"), "other\n");
}

TEST_F(ControlFlow, ConditionsUseTheTruthOfTheValue) {
    // The text 0 is true, the empty text false.
    EXPECT_EQ(run("if \"0\" {\ncb.a()\n}\nif \"\" {\ncb.b()\n}\ncb.v(\"0\" ? 1 : 2, \"\" ? 1 : 2)"),
              "a\nv 1 2\n");
    EXPECT_EQ(run("while \"\" {\ncb.never()\n}\nfor (i = 0, \"\", i++) {\ncb.never()\n}\n"), "");
}

TEST_F(ControlFlow, LoopStopsAtBreakNestedInIfs) {
    EXPECT_EQ(run("loop {\ni += 1\nif i >= 3 {\nif 1 {\nbreak\n}\n}\ncb.v(i)\n}\ncb.end(i)"),
              "v 1\nv 2\nend 3\n");
}

TEST_F(ControlFlow, ContinueInWhileSkipsTheRestOfTheBody) {
    EXPECT_EQ(run("while i < 4 {\ni++\nif i % 2 {\ncontinue\n}\ncb.v(i)\n}\n"), "v 2\nv 4\n");
}

TEST_F(ControlFlow, ForRunsItsStepAfterContinueButNotAfterBreak) {
    EXPECT_EQ(run("for (i = 0, i < 5, i++) {\nif i == 1 {\ncontinue\n}\nif i == 3 {\nbreak\n}\n"
                  "cb.v(i)\n}\ncb.end(i)"),
              "v 0\nv 2\nend 3\n");
}

TEST_F(ControlFlow, BreakOnlyLeavesTheInnermostLoop) {
    EXPECT_EQ(run("for (i = 0, i < 2, i++) {\nloop {\nbreak\n}\ncb.v(i)\n}\n"), "v 0\nv 1\n");
}

TEST_F(ControlFlow, BreakOrContinueAtTopLevelEndsQuietly) {
    EXPECT_EQ(run("cb.a()\nbreak\ncb.b()"), "a\n");
    t.log.clear();
    EXPECT_EQ(t.run("continue\ncb.b()"), 0);
    EXPECT_TRUE(t.log.empty());
}

TEST_F(ControlFlow, ExitEndsEverythingWithItsValue) {
    EXPECT_EQ(t.run("loop {\nwhile 1 {\nexit 7\n}\n}\ncb.never()"), 7);
    EXPECT_TRUE(t.log.empty());
    EXPECT_EQ(t.run("exit"), 0);
    EXPECT_EQ(t.run("exit \"12abc\""), 12);
    EXPECT_EQ(t.run("exit -1"), -1);
    EXPECT_EQ(t.run("x = 1\n"), 0);
}

TEST_F(ControlFlow, RuntimeErrorInALoopEndsItAfterTheStatement) {
    EXPECT_EQ(run("loop {\ncb.v(1 / 0)\ncb.never()\n}\ncb.never()"),
              "error 102 2 Runtime Error: Division by zero(/0) at line 2\n\nv 0\n");
}

TEST_F(ControlFlow, ErrorInAConditionStillRunsTheFirstStatement) {
    EXPECT_EQ(run("if 1 / 0 + 1 {\ncb.first()\ncb.second()\n}\n"),
              "error 102 1 Runtime Error: Division by zero(/0) at line 1\n\nfirst\n");
    EXPECT_EQ(run("while 1 + 1 % 0 {\ncb.first()\ncb.second()\n}\n"),
              "error 103 1 Runtime Error: Division by zero(%0) at line 1\n\nfirst\n");
}

TEST_F(ControlFlow, StopRequestIsSeenAfterEveryStatement) {
    t.logAbortQueries = true;
    t.checkAbort = [](int) { return 0; };
    EXPECT_EQ(run("cb.a()\n\n\ncb.b()\n"), "a\nabort? 1\nb\nabort? 4\n");
    // Only exactly 1 means stop.
    t.checkAbort = [](int) { return 2; };
    EXPECT_EQ(run("cb.a()\ncb.b()\n"), "a\nabort? 1\nb\nabort? 2\n");
}

TEST_F(ControlFlow, StopRequestEndsALongLoop) {
    int queries = 0;
    t.checkAbort = [&](int) { return ++queries == 50 ? 1 : 0; };
    EXPECT_EQ(t.run("loop {\ni++\n}\ncb.never()"), 0);
    EXPECT_TRUE(t.log.empty());
    // The stopping query, then the root block's own query after the loop.
    EXPECT_EQ(queries, 51);
}

TEST_F(ControlFlow, EvenAnEmptyLoopCanBeStopped) {
    int queries = 0;
    t.checkAbort = [&](int) { return ++queries % 1000 == 0 ? 1 : 0; };
    EXPECT_EQ(t.run("loop {\n}\ncb.never()"), 0);
    EXPECT_EQ(t.run("while 1 {\n}\n"), 0);
    EXPECT_EQ(t.run("for (i = 0, 1, i++) {\n}\n"), 0);
    EXPECT_TRUE(t.log.empty());
    EXPECT_EQ(queries, 3001);
}

TEST_F(ControlFlow, AStopTakenWhileABuiltinWaitsEndsTheScriptAfterThatStatement) {
    // SLEEP asks whether to stop; the request it sees is not lost.
    int queries = 0;
    t.logAbortQueries = true;
    t.checkAbort = [&](int) { return ++queries == 1 ? 1 : 0; };
    EXPECT_EQ(run("x = sleep(100000) + cb.same()\ncb.never()"), "abort? 2\nsame\n");
}

TEST_F(ControlFlow, AStopCutsShortNestedDivisionsThatRunTheirValueTwice) {
    // Every /= runs its value twice: 64 nested ones would run 2^64 times.
    std::string script = "a = 1\nb = ";
    for (int i = 0; i < 64; ++i)
        script += "(a /= ";
    script += "1" + std::string(64, ')') + "\ncb.never()\n";
    int queries = 0;
    t.checkAbort = [&](int) { return ++queries == 100 ? 1 : 0; };
    EXPECT_EQ(run(script), "");
    // The request, once taken, is not asked for again.
    EXPECT_EQ(queries, 100);
}

} // namespace
} // namespace tapwell::test
