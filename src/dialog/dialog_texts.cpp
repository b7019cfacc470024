#include "dialog/dialog_texts.h"

#include "resource.h"

#include <array>

namespace tapwell {

namespace {

constexpr std::array<DialogTextEntry, 9> kTexts{{
    {DialogText::DescriptionKeyboard,
     u"Input is performed as if you were pressing the keys one by one on the keyboard. "
     u"Modifier keys also work. Note that the type of character changes depending on the "
     u"state of SHIFT, CAPS, etc. For information on entering special keys, see Help.",
     u"キーボードを1キーずつ打鍵するイメージでの入力を行います。修飾キーもそのまま働きます。"
     u"SHIFT, CAPSなどの状態に応じて文字の種類が変化することに注意してください。"
     u"特殊キーの入力はヘルプ参照。"},
    {DialogText::DescriptionUnicode,
     u"Input characters as if they were being sent one by one. Uppercase and lowercase "
     u"letters and symbols can be input as they are. Characters that do not exist on the "
     u"keyboard, such as kanji, can also be input.",
     u"文字を1文字ずつ送信するイメージで入力を行います。英大文字・小文字・記号はそのまま入力"
     u"できます。漢字などのキーボードに存在しない文字も入力できます。"},
    {DialogText::DescriptionScript,
     u"By entering a script (QZ-Script) and executing it, you can simulate keystrokes and "
     u"send characters. See the help for script syntax and samples.",
     u"スクリプト(QZ-Script)を入力し、それを実行することによりキー入力をシミュレーション"
     u"したり、文字を送信したりします。スクリプトの文法やサンプル等はヘルプ参照。"},
    {DialogText::ExitQuestion, u"Are you sure you want to exit?", u"終了してもよろしいですか?"},
    // The enlargement check box exists in the Japanese dialog only.
    {DialogText::BigDialogNotice, u"",
     u"「設定画面強制拡大」はテスト中の機能です。このチェックをONにすると、次回設定画面を開いた"
     u"ときから、ダイアログのサイズが強制的に拡大されます。無理やり拡大をしているため、一部表示"
     u"の乱れる部分があるかもしれませんが、テスト中の機能ということで、ご容赦ください。"},
    {DialogText::BigDialogCaption, u"", u"設定画面強制拡大"},
    {DialogText::TextBoxFontFace, u"Terminal", u"ＭＳ ゴシック"},
    {DialogText::StopRunTooltip, u"Stop the run", u"入力を中止します"},
    {DialogText::StopRunEscTooltip, u"Stop the run (Esc in any window also stops it)",
     u"入力を中止します（どのウィンドウでもEscキーで中止できます）"},
}};

constexpr std::array<TooltipEntry, 5> kTooltipsEnglish{{
    {IDC_MODE_KEYBOARD, u"Simulates keyboard with engraved characters."},
    {IDC_MODE_UNICODE, u"Enter characters (Unicode) one by one."},
    {IDC_MODE_SCRIPT, u"The contents of the input field are treated as a script (QZ-Script) "
                      u"and the script is executed."},
    {IDC_START, u"Start keyboard simulation"},
    {IDC_EXIT, u"Close this dialog"},
}};

constexpr std::array<TooltipEntry, 8> kTooltipsJapanese{{
    {IDC_MODE_KEYBOARD, u"キーボードに刻印された文字によるキーボードシミュレートを行います"},
    {IDC_MODE_UNICODE, u"文字(Unicode)を1文字ずつ入力する方式で行います"},
    {IDC_MODE_SCRIPT, u"入力欄の内容をスクリプト(QZ-Script)とみなしてスクリプト実行を行います"},
    {IDC_PREFIX, u"冒頭および改行の直後(改行直後が末尾になる場合を除く)に、ここに指定した文字で"
                 u"キーボードシミュレートします"},
    {IDC_SUFFIX, u"末尾および改行の直前に、ここに指定した文字でキーボードシミュレートします"},
    {IDC_START, u"キーボードシミュレート(またはスクリプトの実行)を開始します"},
    {IDC_EXIT, u"このダイアログを閉じます"},
    {IDC_BIG_DIALOG, u"このダイアログ内の文字を拡大し、画面いっぱいに開きます(テスト中の機能です)"},
}};

} // namespace

std::u16string_view dialogText(DialogText id, Language language) {
    return pickText<DialogText>(kTexts, id, language);
}

std::span<const DialogTextEntry> dialogTextTable() {
    return kTexts;
}

std::span<const TooltipEntry> tooltipTable(Language language) {
    if (language == Language::English)
        return kTooltipsEnglish;
    return kTooltipsJapanese;
}

std::u16string_view startButtonTooltip(Language language, bool running, bool escStops) {
    if (running)
        return dialogText(escStops ? DialogText::StopRunEscTooltip : DialogText::StopRunTooltip,
                          language);
    for (const TooltipEntry& entry : tooltipTable(language))
        if (entry.controlId == IDC_START)
            return entry.text;
    return {};
}

} // namespace tapwell
