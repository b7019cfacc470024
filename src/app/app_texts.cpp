#include "app/app_texts.h"

#include <array>

namespace tapwell {

namespace {

// The second line shared by the Japanese REGW warnings (a macro so that the
// table stays made of literals).
#define TPW_REPORT_TO_AUTHOR_JA                                                                                           \
    u"\nこのメッセージが表示されたら、現在編集している/していたダイアログの名前を、" \
    u"メッセージの内容と共に正確に作者まで報告して下さい。"

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
    AppTextEntry{AppText::RegwCaption, u"Registory Class", u"Registory Class"},
    AppTextEntry{AppText::RegwOpenKeyTwice, u"An error has occurred in REGW::OpenKey().",
                 u"レジストリキーを多重オープンしようとしたので保護しました(REGW::OpenKey())"
                 u"。" TPW_REPORT_TO_AUTHOR_JA},
    AppTextEntry{AppText::RegwReadUnopened, u"An error has occurred in ReadIntegerW.",
                 u"開かれていないキーを対象に ReadIntegerW "
                 u"が行われようとしたので保護します。" TPW_REPORT_TO_AUTHOR_JA},
    AppTextEntry{AppText::RegwWriteUnopened, u"An error has occurred in WriteIntegerW.",
                 u"開かれていないキーを対象に WriteIntegerW "
                 u"が行われようとしたので保護します。" TPW_REPORT_TO_AUTHOR_JA},
    AppTextEntry{AppText::RegwCloseUnopened, u"An error has occurred in REGW::CloseKey().",
                 u"レジストリを多重クローズしようとしたので保護しました(REGW::CloseKey)"
                 u"。" TPW_REPORT_TO_AUTHOR_JA},
    AppTextEntry{AppText::RegwClosedByDestructor, u"An error has occurred in REGW::~REGW().",
                 u"レジストリを自動クローズしました。" TPW_REPORT_TO_AUTHOR_JA},
    AppTextEntry{AppText::MainDialogMissing,
                 u"This build has no main dialog yet. Give a text with /T: or /F: to type it.",
                 u"このビルドにはまだメイン画面がありません。/T: または /F: "
                 u"で入力する文字を指定してください。"},
    AppTextEntry{AppText::IniWriteFailed, u".\\tapwell.ini[TAPWELL] - %s write error.",
                 u".\\tapwell.iniの[TAPWELL]セクションの%sに値を書き込めません。"},
    AppTextEntry{AppText::RegistryOpenFailed,
                 u"Cannot open - HKEY_CURRENT_USER\\Software\\Brelvane\\TAPWELL\\CurrentVersion",
                 u"HKEY_CURRENT_USER\\Software\\Brelvane\\TAPWELL\\CurrentVersionを開けません。"},
    AppTextEntry{
        AppText::RegistryWriteFailed,
        u"Cannot write data - HKEY_CURRENT_USER\\Software\\Brelvane\\TAPWELL\\CurrentVersion - %s",
        u"HKEY_CURRENT_USER\\Software\\Brelvane\\TAPWELL\\CurrentVersion - "
        u"%sへデータを書き込めません。"},
};

} // namespace

std::u16string_view appText(AppText id, UiLanguage language) {
    for (const auto& e : kTable) {
        if (e.id == id)
            return language == UiLanguage::English ? e.english : e.japanese;
    }
    return {};
}

std::u16string appTextWith(AppText id, UiLanguage language, std::u16string_view value) {
    std::u16string text(appText(id, language));
    std::size_t at = text.find(u"%s");
    if (at != std::u16string::npos)
        text.replace(at, 2, value);
    return text;
}

std::span<const AppTextEntry> appTextTable() {
    return kTable;
}

} // namespace tapwell
