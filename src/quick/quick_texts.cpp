#include "quick/quick_texts.h"

#include <array>

namespace tapwell {

namespace {

constexpr std::array<TextEntry<QuickText>, static_cast<std::size_t>(QuickText::Count_)> kTexts = {{
    {QuickText::ClipboardEmpty, u"The clipboard holds no text.",
     u"クリップボードにテキストがありません。"},
    {QuickText::RunQuestion, u"Type %s characters (%s lines) into \"%s\"?",
     u"%s 文字（%s 行）を「%s」に入力しますか?"},
    {QuickText::RunQuestionOneLine, u"Type %s characters into \"%s\"?",
     u"%s 文字を「%s」に入力しますか?"},
    {QuickText::KeylessCharacters,
     u"%s characters have no key on the %s layout and go out as Unicode: %s",
     u"%s 文字は %s 配列にキーがないため、Unicode で送られます: %s"},
    {QuickText::KeylessCharacter,
     u"1 character has no key on the %s layout and goes out as "
     u"Unicode: %s",
     u"1 文字は %s 配列にキーがないため、Unicode で送られます: %s"},
    {QuickText::HotkeyTaken, u"%s is already used by another program.",
     u"%s はほかのプログラムが使っています。"},
    {QuickText::HotkeyAltGr,
     u"%s would take a character away: Windows treats Ctrl+Alt as AltGr, and %s types %s on "
     u"the %s layout.",
     u"%s を使うと文字が入力できなくなります。Windows は Ctrl+Alt を AltGr として扱い、"
     u"%s で %s を入力する配列（%s）があるためです。"},
    {QuickText::HotkeySuggestion, u"Please choose another combination, for example %s.",
     u"別の組み合わせ（たとえば %s）を選んでください。"},
    {QuickText::KeysStillHeld,
     u"Keys were still held down 10 seconds after the hotkey, so nothing was typed. Release "
     u"every key after pressing the hotkey.",
     u"ホットキーのあと 10 秒たってもキーが押されたままだったため、入力しませんでした。"
     u"ホットキーを押したら、すべてのキーを離してください。"},
    {QuickText::Progress, u"Typing %s / %s · Esc stops · Pause pauses",
     u"入力中 %s / %s · Esc で中止 · Pause で一時停止"},
    {QuickText::ProgressPaused, u"Paused: Pause continues, Esc stops",
     u"一時停止中: Pause で再開、Esc で中止"},
    {QuickText::TooltipIdle, u"tapwell", u"tapwell"},
    {QuickText::TooltipTyping, u"tapwell: %s / %s characters (Esc stops)",
     u"tapwell: %s / %s 文字（Esc で中止）"},
    {QuickText::MenuTypeClipboard, u"Type the &clipboard", u"クリップボードを入力(&C)"},
    {QuickText::MenuTypeText, u"Type the &text", u"入力欄のテキストを入力(&T)"},
    {QuickText::MenuClickWhere, u"Click &where to type…", u"入力先をクリックして入力(&W)…"},
    {QuickText::MenuShow, u"&Show tapwell", u"tapwell を表示(&S)"},
    {QuickText::MenuExit, u"E&xit", u"終了(&X)"},
    {QuickText::HotkeysTitle, u"Hotkeys", u"ホットキー"},
    {QuickText::HotkeysClipboardLabel, u"Type the &clipboard:", u"クリップボードを入力(&C):"},
    {QuickText::HotkeysTextLabel, u"Type the &text:", u"入力欄のテキストを入力(&T):"},
    {QuickText::HotkeysNote,
     u"Press the combination in a box; Backspace clears it. Avoid Ctrl+Alt with a key that "
     u"types a character with AltGr.",
     u"枠の中で組み合わせを押してください（Backspace で消去）。AltGr で文字を入力するキーと "
     u"Ctrl+Alt の組み合わせは避けてください。"},
    {QuickText::ButtonOk, u"OK", u"OK"},
    {QuickText::ButtonCancel, u"Cancel", u"キャンセル"},
    {QuickText::NoWindowUnderClick, u"There is no window to type into there.",
     u"クリックした場所に入力先のウィンドウがありません。"},
}};

constexpr bool tableInEnumOrder() {
    for (std::size_t i = 0; i < kTexts.size(); ++i)
        if (static_cast<std::size_t>(kTexts[i].id) != i)
            return false;
    return true;
}
static_assert(tableInEnumOrder(), "quick texts must follow the QuickText order");

} // namespace

std::u16string_view quickText(QuickText id, Language language) {
    return pickText<QuickText>(kTexts, id, language);
}

std::span<const TextEntry<QuickText>> quickTextTable() {
    return kTexts;
}

std::u16string formatQuickText(QuickText id, Language language,
                               std::initializer_list<std::u16string_view> args) {
    std::u16string out(quickText(id, language));
    std::size_t from = 0;
    for (std::u16string_view arg : args) {
        const std::size_t at = out.find(u"%s", from);
        if (at == std::u16string::npos)
            break;
        out.replace(at, 2, arg);
        from = at + arg.size();
    }
    return out;
}

std::u16string groupedNumber(std::uint64_t value) {
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value != 0);
    std::u16string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i != 0 && (digits.size() - i) % 3 == 0)
            out.push_back(u',');
        out.push_back(digits[i]);
    }
    return out;
}

} // namespace tapwell
