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
    VariableTable() : epoch_(nextEpoch()) {}

    // Every byte through the classic-locale toupper: only a-z change.
    static std::string normalize(std::string_view name);

    // Entry of an already normalised name, or null.
    ScriptValue* find(const std::string& normalized);
    // Entry of an already normalised name, inserted as integer 0 if missing.
    ScriptValue& findOrInsert(const std::string& normalized);

    // Removes every entry. Entry addresses handed out before become invalid,
    // which the new epoch tells callers that cache them.
    void clear();
    std::size_t size() const { return entries_.size(); }
    std::uint64_t epoch() const { return epoch_; }

    // Inserts the predefined constants (ISNT, the VK_ names, YES).
    void definePredefinedConstants();

  private:
    static std::uint64_t nextEpoch();

    std::map<std::string, ScriptValue, std::less<>> entries_;
    std::uint64_t epoch_;
};

} // namespace tapwell
