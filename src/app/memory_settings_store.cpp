#include "app/memory_settings_store.h"

namespace tapwell {

std::int32_t MemorySettingsStore::readInteger(std::u16string_view name, std::int32_t fallback) {
    auto it = values.find(name);
    return it == values.end() ? fallback : it->second;
}

StoreWriteResult MemorySettingsStore::writeInteger(std::u16string_view name, std::int32_t value) {
    writeLog.emplace_back(name);
    if (failAllWrites)
        return *failAllWrites;
    if (failingNames.count(name))
        return StoreWriteResult::WriteFailed;
    values[std::u16string(name)] = value;
    return StoreWriteResult::Ok;
}

} // namespace tapwell
