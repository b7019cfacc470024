#include "app/ui_language.h"

namespace tapwell {

namespace {
constexpr std::uint16_t kPrimaryLanguageMask = 0x3FF;
constexpr std::uint16_t kLangJapanese = 0x11;

bool equalsJaIgnoringCase(std::u16string_view v) {
    return v.size() == 2 && (v[0] == u'J' || v[0] == u'j') && (v[1] == u'A' || v[1] == u'a');
}
} // namespace

UiLanguage chooseUiLanguage(std::optional<std::u16string_view> tpwLang,
                            std::uint16_t systemLanguageId) {
    if (tpwLang && !tpwLang->empty())
        return equalsJaIgnoringCase(*tpwLang) ? UiLanguage::Japanese : UiLanguage::English;
    return (systemLanguageId & kPrimaryLanguageMask) == kLangJapanese ? UiLanguage::Japanese
                                                                      : UiLanguage::English;
}

} // namespace tapwell
