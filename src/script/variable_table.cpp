#include "script/variable_table.h"

#include "common/leaf_helpers.h"
#include "keystroke/key_tables.h"

namespace tapwell {

std::string VariableTable::normalize(std::string_view name) {
    std::string out(name);
    for (char& c : out)
        c = asciiUpper(c);
    return out;
}

ScriptValue* VariableTable::find(const std::string& normalized) {
    auto it = entries_.find(normalized);
    return it == entries_.end() ? nullptr : &it->second;
}

ScriptValue& VariableTable::findOrInsert(const std::string& normalized) {
    return entries_.try_emplace(normalized).first->second;
}

void VariableTable::clear() {
    entries_.clear();
}

void VariableTable::definePredefinedConstants() {
    // The constants come sorted by name: each goes in at the end without a
    // search (a hint that does not fit only costs the search).
    for (const ScriptConstant& c : scriptConstants())
        entries_.insert_or_assign(entries_.end(), c.name, ScriptValue(c.value));
}

} // namespace tapwell
