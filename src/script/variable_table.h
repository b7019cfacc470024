// The variables of one run: a map from the normalised name (ASCII letters
// upper-cased) to its value, in byte order of the names.
#pragma once

#include "script/script_value.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace tapwell {

class VariableTable {
  public:
    // Every byte through the classic-locale toupper: only a-z change.
    static std::string normalize(std::string_view name);

    // Entry of an already normalised name, or null.
    ScriptValue* find(const std::string& normalized);
    // Entry of an already normalised name, inserted as integer 0 if missing.
    ScriptValue& findOrInsert(const std::string& normalized);

    // Removes every entry; entry addresses handed out before become invalid.
    // Entries stay where they are as long as they exist.
    void clear();
    std::size_t size() const { return entries_.size(); }

    // Inserts the predefined constants (ISNT, the VK_ names, YES).
    void definePredefinedConstants();

  private:
    std::map<std::string, ScriptValue, std::less<>> entries_;
};

} // namespace tapwell
