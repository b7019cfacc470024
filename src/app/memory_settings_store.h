// A settings store held in memory, with failures that can be switched on:
// the store behind tests and any build without a registry.
#pragma once

#include "app/settings_store.h"

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tapwell {

class MemorySettingsStore : public SettingsStore {
  public:
    std::int32_t readInteger(std::u16string_view name, std::int32_t fallback) override;
    StoreWriteResult writeInteger(std::u16string_view name, std::int32_t value) override;

    std::map<std::u16string, std::int32_t, std::less<>> values;
    // When set, every write fails this way; otherwise only the names listed.
    std::optional<StoreWriteResult> failAllWrites;
    std::set<std::u16string, std::less<>> failingNames;
    // Every write attempted, in order.
    std::vector<std::u16string> writeLog;
};

} // namespace tapwell
