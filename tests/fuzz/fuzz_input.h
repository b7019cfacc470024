// Splits a fuzzer's bytes into option bits and a payload.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tapwell::fuzz {

struct Input {
    const std::uint8_t* data;
    std::size_t size;

    std::uint8_t takeByte() {
        if (size == 0)
            return 0;
        --size;
        return *data++;
    }
    std::string rest() const { return std::string(reinterpret_cast<const char*>(data), size); }
    std::u16string restAsUnits() const {
        std::u16string u(size / 2, u'\0');
        for (std::size_t i = 0; i < u.size(); ++i)
            u[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
        return u;
    }
};

} // namespace tapwell::fuzz
