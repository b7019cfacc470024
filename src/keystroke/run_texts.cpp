#include "keystroke/run_texts.h"

#include <array>

namespace tapwell {

namespace {

constexpr std::array<RunTextEntry, static_cast<std::size_t>(RunText::Count_)> kTexts = {{
    {RunText::EmptyText, u"It's empty!", u"入力欄が空です。"},
    {RunText::CountdownTitle, u"%d sec... Activate the destination window and wait - %s",
     u"残り %d秒... 入力先ウィンドウをアクティブにしてお待ちください - %s"},
    {RunText::ScriptTitle, u"Running Script...", u"スクリプト実行中..."},
    {RunText::ProgressTitle, u"Keyboard Simulating(%d%%)...", u"入力中(%d%%)..."},
    {RunText::PauseMessage, u"Push [OK] button to continue.", u"OKボタンを押してください。"},
    {RunText::InvalidCharacter, u"Invalid character - '%c'",
     u"無効な文字が入力されています - '%c'"},
    {RunText::ClosingMissing, u"']' or ')' is missing", u"']' または ')' が足りません。"},
    {RunText::ParenthesesOnly, u"'(...)' has no meaning.",
     u"'(' と ')' で囲まれた文字があります。押しも離しもしないため、意味がありません。"},
    {RunText::InvalidRepeatCount, u"Invalid repeat number.\n%s", u"繰り返し回数が不正です。\n%s"},
    {RunText::ClosingBraceExcess, u"} are too many.", u"} の数が多すぎます。"},
    {RunText::OpeningBraceExcess, u"{ are too many.", u"{ の数が多すぎます。"},
    {RunText::StartButton, u"St&art", u"入力開始(&A)"},
    {RunText::AbortButton, u"Abort", u"中止"},
    {RunText::RefusedDestination,
     u"The destination window belongs to a program running with higher rights (as "
     u"administrator), so Windows does not let tapwell type into it. Start tapwell with the "
     u"same rights, or choose another window.",
     u"入力先のウィンドウは、より高い権限（管理者）で実行中のプログラムのものです。"
     u"Windowsの制限により、tapwellからは入力できません。"
     u"tapwellを同じ権限で起動するか、別のウィンドウを選んでください。"},
    {RunText::FocusPausedTitle, u"Paused: activate the destination window again - %s",
     u"一時停止中: 入力先ウィンドウを再びアクティブにしてください - %s"},
    {RunText::TimerFailed,
     u"Windows could not provide a timer that the run needs (error %d), so the run has "
     u"stopped. Keys it was holding have been released.",
     u"入力に必要なタイマーをWindowsから取得できなかったため（エラー %d）、入力を中止しました。"
     u"押したままのキーは離してあります。"},
    {RunText::ReadinessTitle, u"Checking the IME and Caps Lock of the destination - %s",
     u"入力先のIMEとCaps Lockを確認中 - %s"},
    {RunText::ImeStillOpen,
     u"The IME of the destination window could not be turned off. Turn it off "
     u"(Hankaku/Zenkaku key) and start again.",
     u"入力先ウィンドウのIMEをオフにできませんでした。"
     u"IMEをオフにして（半角/全角キー）、もう一度入力を開始してください。"},
    {RunText::PausedTitle, u"Paused: Pause continues, Esc stops - %s",
     u"一時停止中: Pause キーで再開、Esc キーで中止 - %s"},
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
    return pickText<RunText>(kTexts, id, lang);
}

std::span<const RunTextEntry> runTextTable() {
    return kTexts;
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
