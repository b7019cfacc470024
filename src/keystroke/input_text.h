// The text a run sends: every line gets the prefix and the suffix, carriage
// returns go, and a text of several lines always ends with one line feed.
#pragma once

#include <string>
#include <string_view>

namespace tapwell {

std::u16string buildInputText(std::u16string_view boxText, std::u16string_view prefix,
                              std::u16string_view suffix);

} // namespace tapwell
