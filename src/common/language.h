// The language of everything the program says: chosen once at start-up from
// the TPW_LANG variable or the system, and never changed.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tapwell {

enum class Language : std::uint8_t { Japanese, English };

// Every subsystem keeps the texts it shows in one table, English beside
// Japanese, so that a test can check both languages of every text at once.

template <typename Id> struct TextEntry {
    Id id;
    std::u16string_view english;
    std::u16string_view japanese;
};

// The text of `id` in `language`; empty when the table lacks it.
template <typename Id>
std::u16string_view pickText(std::span<const TextEntry<Id>> table, Id id, Language language) {
    for (const TextEntry<Id>& e : table)
        if (e.id == id)
            return language == Language::English ? e.english : e.japanese;
    return {};
}

// `text` with its first "%s" replaced by `value`.
inline std::u16string fillPlaceholder(std::u16string_view text, std::u16string_view value) {
    std::u16string out(text);
    if (std::size_t at = out.find(u"%s"); at != std::u16string::npos)
        out.replace(at, 2, value);
    return out;
}

} // namespace tapwell
