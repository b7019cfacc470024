// English descriptions of the keys for the English key-table page. Keys
// whose description in KeyNameTable is already English are not listed.
#pragma once

#include <span>
#include <string_view>

namespace tapwell::help {

struct KeyDescription {
    std::string_view name;
    std::string_view english;
};

std::span<const KeyDescription> englishKeyDescriptions();

} // namespace tapwell::help
