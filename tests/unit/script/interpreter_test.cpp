// The interpreter: the scanner's line counting, the parser's lines and errors,
// what scripts compute (reported through cb.v() and the errors logged), and
// running a script for a host: callbacks, the script thread's stop handling
// and what a stopped script leaves pressed.
#include "script_test_host.h"

#include "script/lexer_state.h"
#include "script/script_parser.h"
#include "script/script_runner.h"

#include <gtest/gtest.h>

#include <memory>

namespace tapwell::test {
namespace {

using Case = std::pair<const char*, const char*>; // a text, what it gives

// The tokens as words (IDENT(x) INTEGER(31) ...), then "@" and the line the
// scanner ended on.
std::string lex(std::string_view text) {
    Scanner scanner(text);
    std::string out;
    for (TokenValue v; const int code = scanner.next(v); v = {}) {
        std::unique_ptr<std::string> owned(v.text);
        std::string word = tokenName(code);
        if (word == "INTEGER" || owned)
            word.append("(").append(owned ? *owned : std::to_string(v.integer)).append(")");
        out += word + " ";
    }
    return out + "@" + std::to_string(scanner.line());
}

// The scanner's rules that decide the lines errors are reported on, and its
// escapes (the tokens themselves show in the evaluation tests).
TEST(Lexer, Tokens) {
    const Case cases[] = {
        // A comment swallows its line and gives one line end; CR LF is two
        // line ends but one line.
        {"a\r\nb ; note\nx # c\ny // z = 1",
         "IDENT(a) EOL EOL IDENT(b) EOL IDENT(x) EOL IDENT(y) EOL @4"},
        // Blanks and line ends before else vanish but still count, even
        // before a longer word that starts with those letters.
        {"}\n\n  else {\nelsewhere", "'}' ELSE '{' IDENT(elsewhere) @4"},
        // An opening parenthesis joins the next line (a lone LF only).
        {"foo(  \t\n1)", "IDENT(foo) '(' INTEGER(1) ')' @2"},
        {"foo(\r\n1)", "IDENT(foo) '(' EOL EOL INTEGER(1) ')' @2"},
        // Unknown escapes keep the byte alone; verbatim strings keep
        // backslashes; a line feed in a string is dropped but counted.
        {R"("\"\'\\\t" "\x41\0\N\T" @"a\"b" @'c:\')')", "STRING(\"'\\\t) STRING(x410NT) "
                                                        "STRING(a\\\"b) STRING(c:\\')) @1"},
        {"\"a\nb\" \"a\\\nb\"", "STRING(ab) STRING(a\\b) @3"},
        // An unterminated string ends the input.
        {"x \"abc\n", "IDENT(x) @2"}};
    for (const auto& [text, want] : cases)
        EXPECT_EQ(lex(text), want) << text;
}

// The tree as an S-expression with the line of every node, or
// "error LINE MESSAGE". How operators group shows in evaluation tests.
std::string parse(std::string_view text, std::size_t longest = kLongestScript) {
    const ParseOutcome o = parseScript(text, longest);
    if (o.result != kParseAccepted)
        return "error " + std::to_string(o.errorLine) + " " + o.message;
    return dumpTree(o.root.get());
}

TEST(Parser, LinesErrorsAndLimits) {
    const Case cases[] = {
        // Operators and assignments are reduced once the line feed was read;
        // with CR LF the carriage return is the lookahead.
        {"x = a + b\n",
         "(Block 0 L2 (Assign 1 L2 op1 (Var 11 L2 x) (Binary 15 L2 (Var 11 L1 a) (Var 11 L2 b))))"},
        {"x = a + b\r\n",
         "(Block 0 L1 (Assign 1 L1 op1 (Var 11 L1 x) (Binary 15 L1 (Var 11 L1 a) (Var 11 L1 b))))"},
        // Literals and calls are reduced without a lookahead.
        {"f(1, \" \x01~\")\n",
         "(Block 0 L2 (Call 13 L1 f (Int 9 L1 1) (String 10 L1 \" \\x01~\")))"},
        {"\n\nbreak\n", "(Block 0 L2 (Break 7 L4))"},
        {"x = (\n1)\n", "(Block 0 L3 (Assign 1 L3 op1 (Var 11 L3 x) (Int 9 L2 1)))"},
        // An if without else waits for the next token.
        {"if 1 {\n}\n\nx = 2\n", "(Block 0 L3 (If 3 L3 (Int 9 L1 1) (Block 0 L2) -) (Assign 1 L5 "
                                 "op1 (Var 11 L5 x) (Int 9 L4 2)))"},
        // An empty text is one empty statement.
        {"\n", "(Block 0 L2)"},
        {"\r\n\n", "(Block 0 L1)"},
    };
    for (const auto& [text, want] : cases)
        EXPECT_EQ(parse(text), want) << text;

    // Syntax errors by their line: string names take only plain and adding
    // assignments; statements need their line ends; a block is no
    // statement; a non-ASCII byte outside a string is no token. The nodes
    // built before an error are released (the sanitizer build sees leaks).
    const std::pair<int, std::vector<const char*>> errors[] = {
        {1,
         {"a$ -= \"x\"\n", "++a$\n", "a$++\n", "a$ *= 2\n", "f(a && b)\n", "f(1,)\n", "-a++\n",
          "if a { x = 1 }\n", "if a\r\n{\r\n}\r\n", "for (i = 0, , i++) {\n}\n", "{\n}\n", "$\n"}},
        {2, {"if a\n{\n}\n", "x = 1 ; comment\ny = [1]\n", "x = 1\n\xE3\x80\x80\ny = 2\n"}},
        {5, {"if a {\nx$ = \"s\"\nloop {\n}\ny = ]\n"}}};
    for (const auto& [line, texts] : errors)
        for (const char* text : texts)
            EXPECT_EQ(parse(text), "error " + std::to_string(line) + " parse error") << text;

    // (Long chains and deep nesting within the limit: see the evaluation tests.)
    EXPECT_EQ(parse(std::string(20000, '(') + "1\n"), "error 1 parser stack overflow");
    // A text longer than the scanner takes is refused at line 1.
    const std::string text = "x = 1\n\ny = ]\n";
    EXPECT_EQ(parse(text, text.size() - 1), "error 1 script too long");
    EXPECT_EQ(parse(text, text.size()), "error 3 parse error") << "a text of the limit is scanned";
}

const char* const kDiv102 = "error 102 3 Runtime Error: Division by zero(/0) at line 3\n\n";

TEST(Evaluation, OperatorsAndAssignments) {
    ScriptTestHost t;
    EXPECT_EQ(
        t.mismatches({
            // + follows the type of its left operand; texts read as integers
            // elsewhere.
            {R"(cb.v("a" + 1, 1 + "2", 1 + "x", "1" + 2 + 3, 1 + 2 + "3"))",
             "v \"a1\" 3 1 \"123\" 6\n"},
            {R"(cb.v("5" - 1, "3" * "4", "12abc" | 0, 0 + " -7", " -7" + 0))",
             "v 4 12 12 -7 \" -70\"\n"},
            // Integers compare as numbers, two texts as bytes, mixed as texts.
            {R"(cb.v("1" == 1, "1" === 1, "1" !== 1, 1 === 1, "a" === "a", "01" == 1))",
             "v 1 0 1 1 1 0\n"},
            {R"(cb.v("10" < "9", 10 < 9, "10" < 9, -1 < 0, "abc" == "ABC"))", "v 1 0 1 1 0\n"},
            {"cb.v('b' > 'abc', 'ab' < 'abc', 'ab' >= 'ab', 'z' < '\xE3\x81\x82')", "v 1 1 1 1\n"},
            {R"(cb.v(2 <= 2, 3 >= 4, "" != "", 0 != "0"))", "v 1 0 0 0\n"},
            // Integer arithmetic wraps; shift counts are taken modulo 32.
            {"cb.v(2147483647 + 1, -2147483647 - 2, 65536 * 65536, -(-2147483647 - 1))",
             "v -2147483648 2147483647 0 -2147483648\n"},
            {"cb.v(1 << 33, -8 >> 1, 1 << 31, -1 >> 40, 5 >> -1)", "v 2 -4 -2147483648 -1 0\n"},
            {"cb.v(-7 / 2, -7 % 2, 7 % -2, ~0, 6 & 3, 6 | 3, 6 ^ 3)", "v -3 -1 1 -1 2 7 5\n"},
            // Logical operators use the integer value and short-circuit.
            {R"(cb.v((!"0"), (!"abc"), (!"7"), ("0" && 1), ("x" || 0), (2 && 3), (0 || 0)))",
             "v 1 1 0 0 0 1 0\n"},
            {"x = 0 && cb.never()\ny = 1 || cb.never()\ncb.v(x, y)\nx = 1 && cb.called()",
             "v 0 1\ncalled\n"},
            // Operands run left to right; ?: runs one branch.
            {"x = cb.a() + cb.b() * cb.c()\nx = cb.a() ? cb.b() : cb.c()\n", "a\nb\nc\na\nc\n"},
            // How operators group: ! and the strict comparisons take everything
            // to their right, && and || bind looser than an assignment.
            {"cb.v((2 + 3 === 3 + 0), (1 | 2 ^ 3 & 4 == 5 < 6 << 7 + 8 * 9), (!0 + 1), (!0 == 2), "
             "(!0 && 0), (3 === 3 && 5))",
             "v 3 3 0 1 0 1\n"},
            {"cb.v((x = 5 && 0), x, (1 || 0 && 0), (0 && 1 || 1 && 1), (2 === 1 ? 2 : 3), "
             "(1 + y = 5), y)",
             "v 0 5 1 1 1 6 5\n"},
            {"cb.v((1 ? 0 : 1 ? 2 : 3), (1 + -1 ? 5 : 6), (~-1), (10 - 4 - 3), (1 == 2 === 2), "
             "(6 !== 2 * 3), (1 === 2 === 2), (z = 2 === 2), (-2 * 3))",
             "v 0 6 0 3 1 0 1 1 -6\n"},
            // Names ignore case; a missing name is 0 or "".
            {"Count = 3\ncb.v(COUNT, count, x, x$, total$)", "v 3 3 0 \"\" \"\"\n"},
            {"total = 1\ntotal$ = \"t\"\ncb.v(TOTAL, Total$, x === 0, y$ === \"\")",
             "v 1 \"t\" 1 1\n"},

            // A plain assignment converts to the name's type.
            {"a = b = 3\ncb.v(a, b, (c$ = 5), (d = \"x\"), (e = \"7 apples\"))",
             "v 3 3 \"5\" 0 7\n"},
            {"i = 5\ncb.v(i++, i, ++i, i, i--, --i, q++, q, r -= 2, --p)",
             "v 5 6 7 7 7 5 0 1 -2 -1\n"},
            {"n = -9\nn >>= 1\nm = 1\nm <<= 32\ncb.v(n, m)", "v -5 1\n"},
            {"m = -2147483647 - 1\nq = m\nq /= -1\ni = 2147483647\ni++\n"
             "cb.v(m / -1, m % -1, q, m %= -1, i)",
             "v -2147483648 0 -2147483648 0 -2147483648\n"},
            // The target is read first, except by an append (see also the
            // operand shapes).
            {"s$ = \"x\"\ns$ += (s$ = \"y\")\ncb.v(s$)", "v \"yy\"\n"},
            // Division by zero reports on the line the operator node carries
            // (the next one, once the line feed was read) and stops after
            // the statement, 0 standing for the failed operation.
            {"\nx = 10 / 0\ncb.v(x)", kDiv102},
            {"a = 4\na %= 0\ncb.never()",
             "error 103 3 Runtime Error: Division by zero(%0) at line 3\n\n"},
            {"cb.v(1 + 10 % 0, cb.after())\ncb.never()",
             "error 103 1 Runtime Error: Division by zero(%0) at line 1\n\nafter\nv 1 0\n"},
            {"for (i = 0, i < 100000, i++) {\ns$ += \"xy\"\n}\ncb.v(strlen(s$), right$(s$, 3))",
             "v 200000 \"yxy\"\n"},
        }),
        "");

    // x /= runs its value twice, and catches a zero the second time.
    t.answers["two"] = {HostValue{0, 2, {}}, HostValue{0, 2, {}}};
    t.answers["d"] = {HostValue{0, 2, {}}, HostValue{0, 0, {}}};
    EXPECT_EQ(t.mismatches({{"a = 10\na /= cb.two()\ncb.v(a)", "two\ntwo\nv 5\n"},
                            {"a = 8\na /= cb.d()\ncb.v(a)", std::string("d\nd\n") + kDiv102}}),
              "");
    // The target of a failed division keeps its value.
    EXPECT_EQ(t.runLog("a = 4\nx = (a /= 0) + cb.v(a)"),
              "error 102 2 Runtime Error: Division by zero(/0) at line 2\n\nv 4\n");
}

std::string repeat(std::string_view text, int times) {
    std::string out;
    while (times-- > 0)
        out += text;
    return out;
}

TEST(Evaluation, DeepAndLongExpressions) {
    // Chains evaluate without recursing per term; right-nested forms recurse
    // once per level, up to the parser's limit (the script thread's stack is
    // sized for it).
    ScriptTestHost t;
    EXPECT_EQ(t.runLog("x = 1" + repeat("+1", 999999) + "\ny = 1" + repeat(" && 1", 99999) + "\n" +
                       repeat("a = ", 4990) + "7\nz = " + repeat("1 + (", 3300) + "1" +
                       repeat(")", 3300) + "\ncb.v(x, y, a, z, " + repeat("- ", 9000) + "1, " +
                       repeat("~", 9001) + "0)"),
              "v 1000000 1 7 3301 1 -1\n");
}

TEST(ControlFlow, Statements) {
    ScriptTestHost t;
    EXPECT_EQ(t.mismatches({
                  {"x = 2\nif x == 1 {\ncb.one()\n} else if x == 2 {\ncb.two()\n} else if x > 1 "
                   "{\ncb.also()\n} else {\ncb.other()\n}\nif 0 {\ncb.a()\n}\n",
                   "two\n"},
                  {"if 0 {\n}\nelse {\ncb.other()\n}\nif 1 { }\ncb.a()", "other\na\n"},
                  {"while \"\" {\ncb.never()\n}\nfor (i = 0, \"\", i++) {\ncb.never()\n}\n", ""},
                  {"loop {\ni += 1\nif i >= 3 {\nif 1 {\nbreak\n}\n}\ncb.v(i)\n}\ncb.end(i)",
                   "v 1\nv 2\nend 3\n"},
                  {"while i < 4 {\ni++\nif i % 2 {\ncontinue\n}\ncb.v(i)\n}\n", "v 2\nv 4\n"},
                  // for runs its step after continue, not after break.
                  {"for (i = 0, i < 5, i++) {\nif i == 1 {\ncontinue\n}\nif i == 3 {\nbreak\n}\n"
                   "cb.v(i)\n}\ncb.end(i)",
                   "v 0\nv 2\nend 3\n"},
                  {"for (i = 0, i < 2, i++) {\nloop {\nbreak\n}\ncb.v(i)\n}\n", "v 0\nv 1\n"},
                  // A counting loop sees what its body does to the counter and
                  // the limit, and wraps.
                  {"n = 3\nfor (I = 0, i < n, I++) {\nif i == 1 {\nn = 5\ni += 1\n}\ncb.v(i)\n}\n"
                   "for (k = 2147483646, k > 0, k += 1) {\ncb.k(k)\n}\nj = 0\n"
                   "for (m = 0, j < 2, m--) {\nj++\n}\nwhile m + 5 > j {\nm--\n}\ncb.v(m, j)",
                   "v 0\nv 2\nv 3\nv 4\nk 2147483646\nk 2147483647\nv -3 2\n"},
                  // break or continue outside a loop ends the script quietly.
                  {"cb.a()\nbreak\ncb.b()", "a\n"},
                  {"continue\ncb.b()", ""},
                  {"loop {\ncb.v(1 / 0)\ncb.never()\n}\ncb.never()",
                   "error 102 2 Runtime Error: Division by zero(/0) at line 2\n\nv 0\n"},
                  // An error in a condition still runs the first statement.
                  {"if 1 / 0 + 1 {\ncb.first()\ncb.second()\n}\n",
                   "error 102 1 Runtime Error: Division by zero(/0) at line 1\n\nfirst\n"},
                  {"while 1 + 1 % 0 {\ncb.first()\ncb.second()\n}\n",
                   "error 103 1 Runtime Error: Division by zero(%0) at line 1\n\nfirst\n"},
              }),
              "");

    // exit ends everything with its value as an integer.
    t.log.clear();
    EXPECT_EQ(t.run("loop {\nwhile 1 {\nexit 7\n}\n}\ncb.never()"), 7);
    for (const auto& [script, code] :
         {std::pair{"exit", 0}, {"continue", 0}, {"exit \"12abc\"", 12}, {"exit -1", -1}})
        EXPECT_EQ(t.run(script), code) << script;
    EXPECT_TRUE(t.log.empty());
}

// A chain of else-ifs comparing one variable with literals takes the first
// branch whose literal matches, whatever the order, duplicates and gaps of
// the literals, and the else (or nothing) for any other value, below the
// literals too.
TEST(ControlFlow, ElseIfChainsOverOneVariableTakeTheFirstMatch) {
    // The same chain with its literals close together and far apart.
    for (const int far : {350, 2000000000}) {
        const std::vector<std::pair<int, int>> links = {
            {105, 1}, {102, 2}, {105, 3}, {100, 4}, {far, 5}};
        for (const bool withElse : {true, false}) {
            std::string chain;
            for (const auto& [literal, branch] : links)
                chain += (chain.empty() ? "if " : "} else if ") +
                         std::string(branch == 3 ? "K" : "k") + " == " + std::to_string(literal) +
                         " {\ncb.v(" + std::to_string(branch) + ")\nk = 1000\n";
            chain += withElse ? "} else {\ncb.v(9)\n}\n" : "}\n";
            std::string want;
            ScriptTestHost t;
            const int values[] = {0, 96, 99, 100, 101, 102, 104, 105, 106, 349, 350, 351, far};
            for (const int k : values) {
                int branch = withElse ? 9 : 0;
                for (const auto& [literal, b] : links)
                    if (k == literal) {
                        branch = b;
                        break;
                    }
                want += branch ? "k\nv " + std::to_string(branch) + "\n" : "k\n";
                t.answers["k"].push_back(HostValue{0, k, {}});
            }
            EXPECT_EQ(t.runLog("for (i = 0, i < 13, i++) {\nk = cb.k()\n" + chain + "}\n"), want)
                << chain;
        }
    }
}

TEST(ControlFlow, StopRequests) {
    ScriptTestHost t;
    // Asked after every statement; only exactly 1 means stop.
    int queries = 0, stopAt = 0;
    t.checkAbort = [&](int line) {
        t.log.push_back("abort? " + std::to_string(line));
        return ++queries == stopAt ? 1 : 2;
    };
    EXPECT_EQ(t.runLog("cb.a()\n\n\ncb.b()\n"), "a\nabort? 1\nb\nabort? 4\n");
    // SLEEP asks too; the request it takes ends the script after the statement.
    queries = 0;
    stopAt = 1;
    EXPECT_EQ(t.runLog("x = sleep(100000) + cb.same()\ncb.never()"), "abort? 2\nsame\n");

    // Even empty loops stop; after the stopping query only the root block's
    // own one follows.
    for (const char* loop :
         {"loop {\ni++\n}\n", "loop {\n}\n", "while 1 {\n}\n", "for (i = 0, 1, i++) {\n}\n"}) {
        queries = 0;
        t.checkAbort = [&](int) { return ++queries == 50 ? 1 : 0; };
        EXPECT_EQ(t.runLog(std::string(loop) + "cb.never()"), "") << loop;
        EXPECT_EQ(queries, 51) << loop;
    }

    // Every /= runs its value twice: 64 nested ones would run 2^64 times. A
    // request, once taken, is not asked for again.
    queries = 0;
    t.checkAbort = [&](int) { return ++queries == 100 ? 1 : 0; };
    EXPECT_EQ(
        t.runLog("a = 1\nb = " + repeat("(a /= ", 64) + "1" + repeat(")", 64) + "\ncb.never()"),
        "");
    EXPECT_EQ(queries, 100);

    // A cap cuts a run off exactly where a host that counts the same
    // queries, and says stop from the first one beyond, would.
    const std::string capped =
        "i = 0\nwhile i < 3 {\ncb.i(i)\nx = sleep(5) + cb.s()\ni++\ncb.j(i)\n}\n"
        "a = 1\nb = (a /= (a /= 1))\nexit i + 10";
    for (std::uint64_t n = 0; n < 26; ++n) {
        queries = 0;
        t.checkAbort = [&](int) { return ++queries > static_cast<int>(n) ? 1 : 0; };
        const std::int32_t hostExit = t.run(capped);
        const std::vector<std::string> hostLog = std::exchange(t.log, {});
        StatementCap cap{n};
        t.cap = &cap;
        t.checkAbort = nullptr;
        EXPECT_EQ(t.run(capped), hostExit) << n;
        EXPECT_EQ(std::exchange(t.log, {}), hostLog) << n;
        EXPECT_EQ(cap.reached, queries > static_cast<int>(n)) << n;
        t.cap = nullptr;
    }
}

TEST(Runner, TextsErrorsAndCallbacks) {
    ScriptTestHost t;
    t.answers["s"] = {HostValue{1, 0, u"ab"}};
    t.answers["i"] = {HostValue{0, 42, {}}};
    t.answers["u"] = {HostValue{7, 0, u"\u3042"}};
    EXPECT_EQ(t.mismatches({
                  // (A byte order mark and syntax errors: see the golden tests.)
                  {"x = 2 # no line feed", ""},
                  {"", ""},
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
              }),
              "");

    EXPECT_EQ(t.run("exit 3\n)"), 0) << "a syntax error runs nothing";
    // Without a CallBack nothing of the call is evaluated.
    t.withCallBack = false;
    EXPECT_EQ(t.runLog("x = cb.f(message(\"no\"), 1 / 0)\nmessage(x === 0)"), "box 0 Message: 1\n");

    const ScriptHost h = t.host();
    t.log.clear();
    EXPECT_EQ(runScriptText(nullptr, &h, t.devices()), -1);
    EXPECT_EQ(t.log, std::vector<std::string>{"error 107 -1 Invalid Parameter."});

    HostValue args[2];
    const CallBackCall call{u"Anything\u3042", args, 2};
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
    const ScriptHost h{&shown, &pointAtOwnResult, nullptr, nullptr, &recordBox};
    runScriptText(u"message(cb.get$())", &h, t.devices());
    EXPECT_EQ(shown, (std::vector<std::string>{"null hi", "owned own"}));
}

std::int32_t requestStop(CallBackCall*) {
    scriptStopRequested = true;
    EXPECT_TRUE(scriptRunning.load());
    return 0;
}

// The GUI clears a stale request and sets scriptRunning before it starts the
// thread; an Abort between that and the first statement must hold, and one
// from a running loop stops it. Either way the flags end cleared. The thread
// runs ScriptText with the owner, entries and devices it was handed.
TEST(ScriptThread, AbortRequestsStopTheScriptAndClearTheFlags) {
    ScriptTestHost t;
    ScriptThreadStart start;
    start.owner = &shown;
    start.showMessageBox = &recordBox;
    start.devices = t.devices();
    shown.clear();
    for (const bool early : {true, false}) {
        const std::u16string text =
            early ? u"x = 1\nmessage(\"second\")"
                  : u"message(\"first\")\nloop {\ncb.stop()\n}\nmessage(\"after\")";
        ScriptText = text.c_str();
        start.callBack = early ? nullptr : &requestStop;
        scriptRunning = true;
        scriptStopRequested = early;
        ScriptThreadProc(start);
        EXPECT_FALSE(scriptRunning.load()) << early;
        EXPECT_FALSE(scriptStopRequested.load()) << early;
    }
    EXPECT_EQ(shown, std::vector<std::string>{"owned first"})
        << "the script went on after the stop request";
    shown.clear();
    ScriptText = nullptr;
}

// What a script pressed and left down is released when the user stops it, on
// its own thread, the last pressed first; not when it ends by itself or by an
// error.
TEST(ScriptThread, AUserStopReleasesWhatTheScriptHolds) {
    ScriptTestHost t;
    printKeyEvents(t.keys, [&](const std::string& line) { t.log.push_back(line); });
    int statements = 0;
    t.checkAbort = [&](int) { return ++statements == 8 ? 1 : 0; };
    EXPECT_EQ(t.runLog("KEYBDEVENT(VK_SHIFT, 1)\nMOUSEBUTTONLEFT(1)\nKEYBDEVENT(VK_CONTROL, 1)\n"
                       "SENDINPUTUNICODE(\"\xE3\x81\x82\", 1)\nMOUSEBUTTONX2(1)\n"
                       "KEYBDEVENT(VK_CONTROL, 0)\nMOUSEBUTTONRIGHT(-1)\nMOUSEBUTTONRIGHT(0)\n"
                       "KEYBDEVENT(VK_A, 1)\n"),
              "down 10 VK_SHIFT\ndown 11 VK_CONTROL\nunicode-down 3042\nup 11 VK_CONTROL\n"
              "unicode-up 3042\nup 10 VK_SHIFT\n");
    const std::vector<MouseEventRecord> mouse = t.services.mouseEvents;
    ASSERT_EQ(mouse.size(), 6u);
    EXPECT_EQ(mouse[4], (MouseEventRecord{0x0100, 0, 0, 2})) << "X2 up, pressed last";
    EXPECT_EQ(mouse[5], (MouseEventRecord{0x0004, 0, 0, 0})) << "left up";

    // SLEEP takes the request from the host; the statement boundary acts on it.
    statements = 0;
    t.checkAbort = [&](int) { return ++statements == 2 ? 1 : 0; };
    EXPECT_EQ(t.runLog("KEYBDEVENT(VK_MENU, 1)\nSLEEP(5000)\nKEYBDEVENT(VK_A, 1)\n"),
              "down 12 VK_MENU\nup 12 VK_MENU\n");
    EXPECT_EQ(t.services.elapsedMs(), 0u);

    t.checkAbort = [](int) { return 0; };
    EXPECT_EQ(t.runLog("KEYBDEVENT(VK_SHIFT, 1)\nMOUSEBUTTONLEFT(1)\n") +
                  t.runLog("KEYBDEVENT(VK_SHIFT, 1)\nx = 1 / 0\nKEYBDEVENT(VK_A, 1)\n"),
              std::string("down 10 VK_SHIFT\ndown 10 VK_SHIFT\n") + kDiv102);
    EXPECT_EQ(t.services.mouseEvents.size(), 7u);
}

} // namespace
} // namespace tapwell::test
