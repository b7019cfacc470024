
#include "app/app_state.h"

#include "common/leaf_helpers.h"

#include <array>

namespace tapwell {

void setUiLanguage(AppState& state, Language language) {
    state.language = language;
    state.programTitle = std::u16string(appText(AppText::ProgramTitle, language));
}

namespace {
constexpr std::uint16_t kPrimaryLanguageMask = 0x3FF;
constexpr std::uint16_t kLangJapanese = 0x11;
} // namespace

Language chooseUiLanguage(std::optional<std::u16string_view> tpwLang,
                          std::uint16_t systemLanguageId) {
    if (tpwLang && !tpwLang->empty())
        return equalsIgnoringAsciiCase(*tpwLang, u"JA") ? Language::Japanese : Language::English;
    return (systemLanguageId & kPrimaryLanguageMask) == kLangJapanese ? Language::Japanese
                                                                      : Language::English;
}

namespace {

constexpr std::array kTable = {
    AppTextEntry{AppText::ProgramTitle, u"Davudiru Dodovizar", u"doruviravad"},
    AppTextEntry{AppText::HelpViewerFailed, u"Cannot open tapwell.chm",
                 u"hh.exeでヘルプファイルtapwell.chmを開けません"},
    AppTextEntry{AppText::CommandLineFileUnreadable, u"Cannot open the file.",
                 u"/fで指定されたファイルを読み込めません。"},
    AppTextEntry{AppText::TextAndFileTogether, u"/t and /f cannot be specified at the same time.",
                 u"/tと/fは同時に指定できません。"},
    AppTextEntry{AppText::CopiedIniToRegistry,
                 u"The process of copying from the ini file to the registry is complete.",
                 u"設定をiniファイルからレジストリへコピーしました。"},
    AppTextEntry{AppText::CopiedRegistryToIni,
                 u"The process of copying from the registry to the ini file is complete.",
                 u"設定をレジストリからiniファイルへコピーしました。"},
};

} // namespace

std::u16string_view appText(AppText id, Language language) {
    return pickText<AppText>(kTable, id, language);
}

std::span<const AppTextEntry> appTextTable() {
    return kTable;
}

} // namespace tapwell
