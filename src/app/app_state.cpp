
#include "app/app_state.h"

#include "app/app_texts.h"

namespace tapwell {

AppState& appState() {
    static AppState state;
    return state;
}

void setUiLanguage(AppState& state, Language language) {
    state.language = language;
    state.programTitle = std::u16string(appText(AppText::ProgramTitle, language));
}

namespace {
constexpr std::uint16_t kPrimaryLanguageMask = 0x3FF;
constexpr std::uint16_t kLangJapanese = 0x11;

bool equalsJaIgnoringCase(std::u16string_view v) {
    return v.size() == 2 && (v[0] == u'J' || v[0] == u'j') && (v[1] == u'A' || v[1] == u'a');
}
} // namespace

Language chooseUiLanguage(std::optional<std::u16string_view> tpwLang,
                            std::uint16_t systemLanguageId) {
    if (tpwLang && !tpwLang->empty())
        return equalsJaIgnoringCase(*tpwLang) ? Language::Japanese : Language::English;
    return (systemLanguageId & kPrimaryLanguageMask) == kLangJapanese ? Language::Japanese
                                                                      : Language::English;
}

} // namespace tapwell
