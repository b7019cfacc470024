#include "builtin_reference.h"
#include "script/builtin_test_env.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace tapwell::help {
namespace {

// The names of every row of the dispatch table that runs a function (rows
// without one are the '$'-less forms of string built-ins, reported as 104).
std::vector<std::vector<std::string>> dispatchRows() {
    std::ifstream in(TAPWELL_DISPATCH_SOURCE);
    std::stringstream text;
    text << in.rdbuf();
    const std::string source = text.str();
    const std::regex row(R"(\{\{([^}]*)\},\s*[^,]+,\s*builtin\w+\})");
    const std::regex name(R"re("([^"]+)")re");
    std::vector<std::vector<std::string>> rows;
    for (auto it = std::sregex_iterator(source.begin(), source.end(), row);
         it != std::sregex_iterator(); ++it) {
        const std::string names = (*it)[1];
        std::vector<std::string> found;
        for (auto n = std::sregex_iterator(names.begin(), names.end(), name);
             n != std::sregex_iterator(); ++n)
            found.push_back((*n)[1]);
        rows.push_back(found);
    }
    return rows;
}

const BuiltinDoc* entryNaming(std::string_view name) {
    for (const BuiltinDoc& doc : builtinReference())
        for (std::string_view n : namesOf(doc))
            if (n == name)
                return &doc;
    return nullptr;
}

TEST(BuiltinReference, DocumentsEveryBuiltinOfTheInterpreterUnderAllItsNames) {
    const auto rows = dispatchRows();
    ASSERT_GE(rows.size(), 50u) << "the dispatch table was not read";
    std::set<const BuiltinDoc*> documented;
    for (const auto& names : rows) {
        const BuiltinDoc* doc = entryNaming(names.front());
        ASSERT_NE(doc, nullptr) << names.front() << " has no entry in the help";
        std::set<std::string_view> expected(names.begin(), names.end());
        const auto listed = namesOf(*doc);
        EXPECT_EQ(std::set<std::string_view>(listed.begin(), listed.end()), expected)
            << "names of " << names.front();
        documented.insert(doc);
    }
    EXPECT_EQ(documented.size(), builtinReference().size()) << "an entry names no built-in";
}

// Independent of the parse above: the interpreter itself must know every
// documented name, and an entry's names must be one built-in.
TEST(BuiltinReference, EveryNameResolvesAndAnEntryIsOneBuiltin) {
    std::set<int> rows;
    for (const BuiltinDoc& doc : builtinReference()) {
        const int row = resolveBuiltin(doc.name).row;
        EXPECT_GE(row, 0) << doc.name;
        for (std::string_view alias : doc.aliases)
            EXPECT_EQ(resolveBuiltin(alias).row, row) << alias << " is not " << doc.name;
        EXPECT_TRUE(rows.insert(row).second) << doc.name << " is documented twice";
    }
}

TEST(BuiltinReference, SignaturesTakeTheArgumentCountsTheInterpreterAccepts) {
    for (const BuiltinDoc& doc : builtinReference()) {
        const Arity arity = arityOf(doc);
        for (int count = 0; count <= 4; ++count) {
            test::TestBuiltinEnv env;
            std::vector<ScriptValue> args(count, ScriptValue(1));
            env.call(doc.name, args);
            const bool accepted = env.errors.empty() || env.errors.front().code != 105;
            EXPECT_EQ(accepted, count >= arity.least && count <= arity.most)
                << doc.name << "(" << doc.arguments << ") with " << count << " arguments";
        }
    }
}

bool isAscii(std::string_view s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

TEST(BuiltinReference, EveryEntryIsWrittenInBothLanguages) {
    const std::set<std::string_view> buttons{"ok", "cancel", "yes", "no"};
    for (const BuiltinDoc& doc : builtinReference()) {
        EXPECT_FALSE(isAscii(doc.description.ja)) << doc.name << ": no Japanese description";
        EXPECT_FALSE(doc.description.en.empty()) << doc.name << ": no English description";
        EXPECT_TRUE(isAscii(doc.description.en)) << doc.name << ": English description";
        EXPECT_FALSE(doc.example.empty()) << doc.name << ": no example";
        for (const ExampleLine& line : doc.example)
            for (Lang lang : {Lang::Ja, Lang::En})
                EXPECT_FALSE(line.codeIn(lang).empty()) << doc.name;
        EXPECT_EQ(doc.afterExample.ja.empty(), doc.afterExample.en.empty()) << doc.name;
        for (std::string_view answer : doc.answers)
            EXPECT_TRUE(buttons.contains(answer)) << doc.name << ": answer " << answer;
    }
}

} // namespace
} // namespace tapwell::help
