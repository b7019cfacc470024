// What a clipboard run types: the text as it stands, with no notation. Line
// ends of every kind become one line feed each (one Enter), and one final
// line break is dropped, since an Enter after the last line of a shell
// command would run it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tapwell {

std::u16string literalText(std::u16string_view clipboard);

// Characters as the user counts them: a surrogate pair is one.
std::size_t characterCount(std::u16string_view text);
// Lines of a literal text: its line feeds plus one; 0 for an empty text.
std::size_t lineCount(std::u16string_view text);

} // namespace tapwell
