#include "theme/dark_mode_setting.h"

namespace tapwell::theme {

bool darkFlagFromAppsUseLightTheme(std::optional<std::uint32_t> value) {
    return value.has_value() && *value == 0;
}

bool settingChangeNamesColorSet(const char16_t* area) {
    return area != nullptr && std::u16string_view(area) == u"ImmersiveColorSet";
}

} // namespace tapwell::theme
