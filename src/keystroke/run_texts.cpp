#include "keystroke/run_texts.h"

#include <array>

namespace tapwell {

namespace {

struct TextPair {
    RunText id;
    const char16_t* japanese;
    const char16_t* english;
};

constexpr std::array<TextPair, static_cast<std::size_t>(RunText::Count_)> kTexts = {{
    {RunText::EmptyText, u"入力欄が空です。", u"It's empty!"},
    {RunText::CountdownTitle, u"残り %d秒... 入力先ウィンドウをアクティブにしてお待ちください - %s",
     u"%d sec... Activate the destination window and wait - %s"},
    {RunText::ScriptTitle, u"スクリプト実行中...", u"Running Script..."},
    {RunText::ProgressTitle, u"入力中(%d%%)...", u"Keyboard Simulating(%d%%)..."},
    {RunText::PauseMessage, u"OKボタンを押してください。", u"Push [OK] button to continue."},
    {RunText::InvalidCharacter, u"無効な文字が入力されています - '%c'",
     u"Invalid character - '%c'"},
    {RunText::ClosingMissing, u"']' または ')' が足りません。", u"']' or ')' is missing"},
    {RunText::ParenthesesOnly,
     u"'(' と ')' で囲まれた文字があります。押しも離しもしないため、意味がありません。",
     u"'(...)' has no meaning."},
    {RunText::InvalidRepeatCount, u"繰り返し回数が不正です。\n%s", u"Invalid repeat number.\n%s"},
    {RunText::ClosingBraceExcess, u"} の数が多すぎます。", u"} are too many."},
    {RunText::OpeningBraceExcess, u"{ の数が多すぎます。", u"{ are too many."},
    {RunText::StartButton, u"入力開始(&A)", u"St&art"},
    {RunText::AbortButton, u"中止", u"Abort"},
    {RunText::RefusedDestination,
     u"入力先のウィンドウは、より高い権限（管理者）で実行中のプログラムのものです。"
     u"Windowsの制限により、tapwellからは入力できません。"
     u"tapwellを同じ権限で起動するか、別のウィンドウを選んでください。",
     u"The destination window belongs to a program running with higher rights (as "
     u"administrator), so Windows does not let tapwell type into it. Start tapwell with the "
     u"same rights, or choose another window."},
    {RunText::FocusPausedTitle, u"一時停止中: 入力先ウィンドウを再びアクティブにしてください - %s",
     u"Paused: activate the destination window again - %s"},
}};

constexpr bool tableInEnumOrder() {
    for (std::size_t i = 0; i < kTexts.size(); ++i) {
        if (static_cast<std::size_t>(kTexts[i].id) != i)
            return false;
    }
    return true;
}
static_assert(tableInEnumOrder(), "run texts must follow the RunText order");

} // namespace

std::u16string_view runText(RunText id, Language lang) {
    const TextPair& t = kTexts[static_cast<std::size_t>(id)];
    return lang == Language::Japanese ? t.japanese : t.english;
}

std::u16string formatRunText(RunText id, Language lang,
                             std::initializer_list<std::u16string_view> args) {
    std::u16string_view fmt = runText(id, lang);
    auto next = args.begin();
    std::u16string out;
    out.reserve(fmt.size() + 16);
    for (std::size_t i = 0; i < fmt.size(); ++i) {
        char16_t c = fmt[i];
        if (c == u'%' && i + 1 < fmt.size()) {
            char16_t k = fmt[i + 1];
            if (k == u'%') {
                out.push_back(u'%');
                ++i;
                continue;
            }
            if ((k == u'd' || k == u's' || k == u'c') && next != args.end()) {
                out.append(*next++);
                ++i;
                continue;
            }
        }
        out.push_back(c);
    }
    return out;
}

std::u16string decimalText(std::int64_t value) {
    char16_t buf[24];
    std::size_t n = 0;
    std::uint64_t magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    do {
        buf[n++] = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    std::u16string out;
    if (value < 0)
        out.push_back(u'-');
    while (n > 0)
        out.push_back(buf[--n]);
    return out;
}

} // namespace tapwell
