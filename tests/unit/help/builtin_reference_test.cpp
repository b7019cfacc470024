#include "builtin_reference.h"
#include "script/builtin_test_env.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

namespace tapwell::help {
namespace {
// The names of every row of the dispatch table that runs a function (rows
// without one are the '$'-less forms of string built-ins, reported as 104).
std::vector<std::set<std::string>> dispatchRows() {
    std::stringstream text;
    text << std::ifstream(TAPWELL_DISPATCH_SOURCE).rdbuf();
    const std::string source = text.str();
    const std::regex row(R"(\{\{([^}]*)\},\s*[^,]+,\s*builtin\w+\})"), name(R"re("([^"]+)")re");
    std::vector<std::set<std::string>> rows;
    for (std::sregex_iterator it(source.begin(), source.end(), row), end; it != end; ++it) {
        const std::string names = (*it)[1];
        rows.emplace_back();
        for (std::sregex_iterator n(names.begin(), names.end(), name); n != end; ++n)
            rows.back().insert((*n)[1]);
    }
    return rows;
}

// Both ways: every built-in the interpreter runs has one entry under exactly
// its names, every documented name resolves to that entry's built-in, and the
// signature takes the argument counts the interpreter accepts.
TEST(BuiltinReference, DocumentsEveryBuiltinUnderAllItsNamesWithItsArgumentCounts) {
    const auto rows = dispatchRows();
    ASSERT_GE(rows.size(), 50u) << "the dispatch table was not read";
    std::set<int> resolved;
    for (const BuiltinDoc& doc : builtinReference()) {
        const auto listed = namesOf(doc);
        const std::set<std::string> names(listed.begin(), listed.end());
        EXPECT_EQ(std::count(rows.begin(), rows.end(), names), 1) << doc.name << ": names";
        const int row = resolveBuiltin(doc.name).row;
        EXPECT_GE(row, 0) << doc.name;
        for (std::string_view alias : doc.aliases)
            EXPECT_EQ(resolveBuiltin(alias).row, row) << alias << " is not " << doc.name;
        EXPECT_TRUE(resolved.insert(row).second) << doc.name << " is documented twice";
        const Arity arity = arityOf(doc);
        for (int count = 0; count <= 4; ++count) {
            test::TestBuiltinEnv env;
            env.call(doc.name, std::vector<ScriptValue>(count, ScriptValue(1)));
            const bool accepted = env.errors.empty() || env.errors.front().code != 105;
            EXPECT_EQ(accepted, count >= arity.least && count <= arity.most)
                << doc.name << "(" << doc.arguments << ") with " << count << " arguments";
        }
    }
    EXPECT_EQ(resolved.size(), rows.size()) << "a built-in has no entry in the help";
}
} // namespace
} // namespace tapwell::help
