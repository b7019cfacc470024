#include "about/about_box.h"

#include "about/environment_report.h"
#include "common/leaf_helpers.h"

#include <array>

namespace tapwell::about {

namespace {

constexpr std::array kTexts = {
    AboutTextEntry{AboutText::DialogTitle, u"About", u"バージョン情報"},
    AboutTextEntry{AboutText::FontFace, u"MS Sans Serif", u"MS UI Gothic"},
    AboutTextEntry{AboutText::FeedbackLink, u"<a id=\"feedback\">Feedback</a>",
                   u"<a id=\"feedback\">フィードバック受付</a>"},
    AboutTextEntry{AboutText::ContributionLink, u"<a id=\"kifu\">Contribution</a>",
                   u"<a id=\"kifu\">開発支援金の受付について</a>"},
    AboutTextEntry{AboutText::Close, u"&Close", u"閉じる(&C)"},
    AboutTextEntry{AboutText::EnvironmentButton, u"&Environment Information",
                   u"環境情報の表示(問合せの際にご活用下さい)(&E)"},
    AboutTextEntry{AboutText::WebSiteLabel, u"[WebSite]", u"[WebSite]"},
    AboutTextEntry{AboutText::ContactLabel, u"[Contact]", u"[連絡先]"},
    AboutTextEntry{AboutText::EmailLabel, u"[E-Mail]", u"[E-Mail]"},
    AboutTextEntry{AboutText::MailFilterNote, u"",
                   u"　メールフィルタやサーバによるドメイン着信拒否の対象になっていることがあります"
                   u"。質問しているのに返信がなかなか届かない場合は、ごみ箱や迷惑メールフォルダを"
                   u"確認するか、フィルタ作成者・サーバ管理者にご相談下さい。"},
    AboutTextEntry{AboutText::BrowserFailed, u"Cannot open a browser.",
                   u"%sを開けませんでした。\n上記のURLを直接開いて下さい。"},
    AboutTextEntry{AboutText::ReportPrompt, u"Please click the [OK] button to copy to clipboard.",
                   u"クリップボードにコピーする場合は[OK]ボタンを押して下さい。"},
    AboutTextEntry{AboutText::ReportCaption, u"ENVOLite", u"環境情報の表示(簡易版)"},
    AboutTextEntry{AboutText::ClipboardDone, u"Writing data to the clipboard is complete.",
                   u"クリップボードへコピーしました。"},
    AboutTextEntry{AboutText::ClipboardOpenFailed, u"Cannot open clipboard.",
                   u"クリップボードを開けません。"},
    AboutTextEntry{AboutText::ClipboardOutOfMemory, u"Out of memory.",
                   u"作業用のメモリが足りません。"},
    AboutTextEntry{AboutText::ClipboardLockFailed, u"GlobalLock error.", u"GlobalLock失敗。"},
    AboutTextEntry{AboutText::ClipboardEmptyFailed, u"EmptyClipboard error.",
                   u"クリップボードを空にできません。"},
    AboutTextEntry{AboutText::ClipboardSetFailed, u"Clipboard error.",
                   u"クリップボードへのコピーに失敗しました。"},
    AboutTextEntry{
        AboutText::Description,
        u" This program turns the text you enter into simulated keyboard input and sends it to "
        u"other programs one character at a time, as if you were typing it yourself. It helps "
        u"with programs that do not accept pasting and with repetitive typing.\r\n"
        u" This program is free of charge. It comes without any warranty, and the author accepts "
        u"no responsibility for any damage caused by using it.\r\n"
        u" You may introduce and redistribute it freely (development versions may not be "
        u"redistributed without the author's permission). Its terms of use are governed by the "
        u"laws of Japan.\r\n"
        u" You may use its icons and screenshots when introducing it.\r\n"
        u" For how to use it, please see the help.\r\n"
        u" Microsoft and Windows are trademarks or registered trademarks of Microsoft Corporation "
        u"in the United States and other countries.",
        u"　このソフトは、入力したテキストをキーボード入力のシミュレーションに変換し、他のソフト"
        u"へ1文字ずつ送ります。貼り付けのできないソフトへの入力や、繰り返しの入力作業に役立ち"
        u"ます。\r\n"
        u"　このソフトは無料です。無保証であり、このソフトの使用によって生じたいかなる損害につい"
        u"ても、作者は一切の責任を負いません。\r\n"
        u"　このソフトは自由に紹介・再配布できます(開発版の再配布には作者の許可が必要です)。"
        u"利用条件には日本法が適用されます。\r\n"
        u"　紹介の際には、アイコンや画面写真を自由にお使い下さい。\r\n"
        u"　使い方はヘルプをご覧下さい。\r\n"
        u"　Microsoft、Windowsは、米国Microsoft "
        u"Corporationの米国およびその他の国における商標または登録商標です。"},
};

constexpr std::array kTooltipsEnglish = {
    TooltipEntry{kIdContribution, u"About contribution"},
    TooltipEntry{kIdClose, u"Closes this dialog box."},
    TooltipEntry{kIdEnvironment, u"Displays Information of this environment."},
    TooltipEntry{kIdFeedback, u"Opens feedback page."},
};

constexpr std::array kTooltipsJapanese = {
    TooltipEntry{kIdContribution,
                 u"開発支援金の受付について詳細を表示します。インターネット接続が必要です"},
    TooltipEntry{kIdClose, u"このダイアログを閉じます"},
    TooltipEntry{kIdEnvironment,
                 u"環境情報を表示します。制作元に質問を出す場合には、これで表示された情報"
                 u"を添付して下さい"},
    TooltipEntry{kIdFeedback,
                 u"制作元へ連絡、感想、改善要望あるいは現状維持要望などを気軽に送りたい場合"
                 u"に利用します。インターネット接続が必要です"},
    TooltipEntry{kIdLinks, u"ブラウザでサイトを開きます。インターネット接続が必要です"},
};

void appendLink(std::u16string& out, std::u16string_view id, std::u16string_view text) {
    out += u"  <a id=\"";
    out += id;
    out += u"\">";
    out += text;
    out += u"</a>";
}

} // namespace

// ---- Texts ------------------------------------------------------------------

std::u16string_view aboutText(AboutText id, Language language) {
    return pickText<AboutText>(kTexts, id, language);
}

std::span<const AboutTextEntry> aboutTextTable() {
    return kTexts;
}

std::uint16_t aboutFontPointSize(Language language) {
    return language == Language::Japanese ? 9 : 8;
}

std::u16string browserFailedText(std::u16string_view address, Language language) {
    return fillPlaceholder(aboutText(AboutText::BrowserFailed, language), address);
}

std::span<const TooltipEntry> aboutTooltips(Language language) {
    if (language == Language::Japanese)
        return kTooltipsJapanese;
    return kTooltipsEnglish;
}

// ---- Controls and template --------------------------------------------------

TemplateDialog aboutDialog(Language language, std::u16string_view iconText) {
    using namespace style;
    constexpr std::uint32_t kChildVisible = kChild | kVisible;
    TemplateDialog d;
    d.style = kPopup | kCaption | kSysMenu | kDsModalFrame | kDsCenter | kDsSetFont;
    d.cx = 239;
    d.cy = 261;
    d.title = aboutText(AboutText::DialogTitle, language);
    d.pointSize = aboutFontPointSize(language);
    d.fontFace = aboutText(AboutText::FontFace, language);
    d.controls = {
        {kIdFeedback, ControlClass::Named, u"SysLink", kChildVisible | kTabStop, 0, 42, 145, 70, 10,
         aboutText(AboutText::FeedbackLink, language)},
        {kIdContribution, ControlClass::Named, u"SysLink", kChildVisible | kTabStop, 0, 126, 145,
         96, 10, aboutText(AboutText::ContributionLink, language)},
        {kIdDescription,
         ControlClass::Edit,
         {},
         kChildVisible | kEsMultiline | kEsReadOnly | kVScroll | kTabStop,
         kExClientEdge,
         7,
         156,
         225,
         80,
         {}},
        {kIdClose,
         ControlClass::Button,
         {},
         kChildVisible | kBsDefPushButton | kTabStop,
         0,
         7,
         240,
         50,
         14,
         aboutText(AboutText::Close, language)},
        {kIdEnvironment,
         ControlClass::Button,
         {},
         kChildVisible | kBsPushButton | kTabStop,
         0,
         60,
         240,
         172,
         14,
         aboutText(AboutText::EnvironmentButton, language)},
        {kIdIcon, ControlClass::Static, {}, kChildVisible | kSsIcon, 0, 7, 7, 32, 32, iconText},
        {kIdVersion,
         ControlClass::Edit,
         {},
         kChildVisible | kEsMultiline | kEsReadOnly | kTabStop,
         0,
         35,
         7,
         197,
         37,
         {}},
        {kIdLinks,
         ControlClass::Named,
         u"SysLink",
         kChildVisible | kTabStop,
         0,
         7,
         46,
         225,
         98,
         {}},
    };
    return d;
}

std::u16string iconResourceName(int iconId) {
    std::u16string name = u"#";
    appendSigned(name, iconId);
    return name;
}

std::optional<TemplateBlock> buildAboutTemplate(Language language, int iconId) {
    const std::u16string icon = iconResourceName(iconId);
    return buildDialogTemplate(aboutDialog(language, icon));
}

// ---- Web links --------------------------------------------------------------

bool isEmailContact(std::u16string_view contact) {
    return !contact.empty() && !startsWithIgnoringAsciiCase(contact, u"http://") &&
           !startsWithIgnoringAsciiCase(contact, u"https://");
}

std::u16string contactLinkId(std::u16string_view contact) {
    std::u16string id = isEmailContact(contact) ? u"mailto:" : u"";
    id += contact;
    return id;
}

std::u16string composeLinksText(const AboutLinks& links, Language language) {
    std::u16string out;
    if (!links.homePage.empty())
        out += aboutText(AboutText::WebSiteLabel, language);
    out += u"\r\n";
    appendLink(out, links.homePage, links.homePage);
    out += u"\r\n\r\n";
    if (!links.contact.empty())
        out += aboutText(isEmailContact(links.contact) ? AboutText::EmailLabel
                                                       : AboutText::ContactLabel,
                         language);
    out += u"\r\n";
    appendLink(out, contactLinkId(links.contact), links.contact);
    out += u"\r\n\r\n";
    if (language == Language::Japanese && !links.contact.empty())
        out += aboutText(AboutText::MailFilterNote, Language::Japanese);
    out += u"\r\n";
    out += links.extraText;
    return out;
}

std::u16string resolveLinkTarget(std::u16string_view id, const AboutLinks& links) {
    if (id == u"kifu" && !links.donationPage.empty())
        return links.donationPage;
    if (id == u"feedback" && !links.feedbackPage.empty())
        return links.feedbackPage;
    if (id.size() == kMaxLinkIdLength) {
        for (const std::u16string& full : {links.homePage, contactLinkId(links.contact)}) {
            if (full.size() > id.size() && std::u16string_view(full).substr(0, id.size()) == id)
                return full;
        }
    }
    return std::u16string(id);
}

// ---- Clipboard copy of the report -------------------------------------------

ClipboardMessage clipboardMessage(ClipboardResult result) {
    // In the order of ClipboardResult. A refused set comes with the
    // information icon, unlike the other failures.
    constexpr std::array<ClipboardMessage, 6> kMessages = {{
        {AboutText::ClipboardDone, false},
        {AboutText::ClipboardOpenFailed, true},
        {AboutText::ClipboardOutOfMemory, true},
        {AboutText::ClipboardLockFailed, true},
        {AboutText::ClipboardEmptyFailed, true},
        {AboutText::ClipboardSetFailed, false},
    }};
    const auto index = static_cast<std::size_t>(result);
    return index < kMessages.size() ? kMessages[index] : kMessages.back();
}

} // namespace tapwell::about
