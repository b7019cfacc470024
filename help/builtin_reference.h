// The QZ-Script built-in reference of the help file, in Japanese and
// English. Both languages' pages are generated from this one table, so they
// list the same built-ins with the same signatures and examples.
#pragma once

#include <span>
#include <string_view>
#include <vector>

namespace tapwell::help {

enum class Lang { Ja, En };

struct Text {
    std::string_view ja = {};
    std::string_view en = {};

    std::string_view in(Lang lang) const { return lang == Lang::Ja ? ja : en; }
};

// One statement of an example, shown as written. `yields`, when set, is the
// QZ-Script literal of the value the statement has; the page shows it after
// an arrow, and the example check compares it with `!==` when the examples
// run. An empty English form is the same as the Japanese one.
struct ExampleLine {
    Text code;
    Text yields = {};

    std::string_view codeIn(Lang lang) const { return pick(code, lang); }
    std::string_view yieldsIn(Lang lang) const { return pick(yields, lang); }

  private:
    static std::string_view pick(const Text& t, Lang lang) {
        return lang == Lang::En && t.en.empty() ? t.ja : t.in(lang);
    }
};

enum class Group { Strings, System, Mouse, Keyboard, ClipboardEnvironment };

struct BuiltinDoc {
    Group group;
    std::string_view name;      // as the interpreter knows it, '$' included
    std::string_view arguments; // "text, width [, fill]": optional ones in brackets
    std::vector<std::string_view> aliases;
    Text description;
    std::vector<ExampleLine> example;
    Text afterExample = {};                     // a few words after the example, when it needs them
    std::vector<std::string_view> answers = {}; // --answer buttons for its message boxes
};

const std::vector<BuiltinDoc>& builtinReference();

// Section titles of the reference page, in the table's order.
std::span<const Group> builtinGroups();
Text groupTitle(Group group);

// Every name of the entry: the name, then its aliases.
std::vector<std::string_view> namesOf(const BuiltinDoc& doc);

// The smallest and largest number of arguments the signature allows.
struct Arity {
    int least;
    int most;
};
Arity arityOf(const BuiltinDoc& doc);

} // namespace tapwell::help
