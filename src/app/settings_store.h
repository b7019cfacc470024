// Where the settings persist: one 32-bit integer per name. The registry and
// the ini file implement it on Windows; tests use an in-memory store.
#pragma once

#include <cstdint>
#include <string_view>

namespace tapwell {

enum class StoreWriteResult {
    Ok,
    OpenFailed,  // the store itself could not be opened or created
    WriteFailed, // the store opened but refused the value
};

class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    // The stored value, or `fallback` when the store, key or value is missing
    // or unreadable. Never creates anything.
    virtual std::int32_t readInteger(std::u16string_view name, std::int32_t fallback) = 0;
    virtual StoreWriteResult writeInteger(std::u16string_view name, std::int32_t value) = 0;
};

} // namespace tapwell
