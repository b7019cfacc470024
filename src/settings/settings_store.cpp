
#include "settings/settings_store.h"

#include <string>

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

std::optional<std::int32_t> parseRegistryIntegerText(std::u16string_view text) {
    if (text.empty())
        return std::nullopt;
    bool negative = false;
    std::size_t i = 0;
    if (text[0] == u'+' || text[0] == u'-') {
        negative = text[0] == u'-';
        i = 1;
    }
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c < u'0' || c > u'9')
            return std::nullopt;
        magnitude = magnitude * 10 + (c - u'0');
        if (magnitude > 2147483648LL)
            return std::nullopt;
    }
    std::int64_t value = negative ? -magnitude : magnitude;
    if (value > 2147483647LL)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

namespace {

std::uint8_t byteAt(std::string_view data, std::size_t i) {
    return i < data.size() ? static_cast<std::uint8_t>(data[i]) : 0;
}

// The text up to its first zero unit; an odd last byte pairs with a zero.
std::u16string textOf(std::string_view data) {
    std::u16string out;
    for (std::size_t i = 0; i < data.size(); i += 2) {
        auto unit = static_cast<char16_t>(byteAt(data, i) | (byteAt(data, i + 1) << 8));
        if (unit == 0)
            break;
        out.push_back(unit);
    }
    return out;
}

} // namespace

std::int32_t decodeRegistryInteger(std::uint32_t type, std::string_view data,
                                   std::int32_t fallback) {
    switch (static_cast<RegistryValueType>(type)) {
    case RegistryValueType::String:
    case RegistryValueType::ExpandString:
    case RegistryValueType::MultiString:
        return parseRegistryIntegerText(textOf(data)).value_or(fallback);
    case RegistryValueType::Binary:
    case RegistryValueType::Dword:
    case RegistryValueType::Qword:
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(byteAt(data, 0)) |
                                         static_cast<std::uint32_t>(byteAt(data, 1)) << 8 |
                                         static_cast<std::uint32_t>(byteAt(data, 2)) << 16 |
                                         static_cast<std::uint32_t>(byteAt(data, 3)) << 24);
    case RegistryValueType::DwordBigEndian:
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(byteAt(data, 3)) |
                                         static_cast<std::uint32_t>(byteAt(data, 2)) << 8 |
                                         static_cast<std::uint32_t>(byteAt(data, 1)) << 16 |
                                         static_cast<std::uint32_t>(byteAt(data, 0)) << 24);
    default:
        return fallback;
    }
}

} // namespace tapwell
