// The user-interface language, chosen once at start-up and never changed.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tapwell {

enum class UiLanguage { Japanese, English };

// `tpwLang` is the TPW_LANG variable (nullopt when unset). A non-empty value
// decides on its own: "JA" in any case is Japanese, anything else English.
// Otherwise the system's default language id decides (primary language 0x11).
UiLanguage chooseUiLanguage(std::optional<std::u16string_view> tpwLang,
                            std::uint16_t systemLanguageId);

} // namespace tapwell
