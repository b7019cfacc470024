#include "builtin_reference.h"

#include <array>

namespace tapwell::help {

namespace {

using G = Group;

// The examples must run as they stand: an example that presses a key or a
// button lets it go again, and a `yields` value is what the interpreter
// really gives (the help build checks every one).
const std::vector<BuiltinDoc> kReference = {
    // Strings and conversion
    {G::Strings, "STRLEN", "text", {},
     {"バイト数", "The length of the text in bytes."},
     {{{"STRLEN(\"abc\")"}, "3"}, {{"STRLEN(\"日本\")"}, "6"}, {{"STRLEN(-12)"}, "3"}}},
    {G::Strings, "TOINT", "value", {},
     {"整数に変換（先頭の数値を読む）",
      "The value as an integer: the number at the start of the text, after any spaces. "
      "Hexadecimal is not read."},
     {{{"TOINT(\"12abc\")"}, "12"}, {{"TOINT(\" -7\")"}, "-7"}, {{"TOINT(\"0x10\")"}, "0"}}},
    {G::Strings, "TOSTR$", "value", {},
     {"10進数の文字列に変換", "The value as a string of decimal digits."},
     {{{"TOSTR$(42)"}, "\"42\""}}},
    {G::Strings, "TOSTR2$", "value", {},
     {"2進数の文字列", "The value in binary digits, as an unsigned 32-bit number."},
     {{{"TOSTR2$(5)"}, "\"101\""}, {{"TOSTR2$(-1)"}, "\"11111111111111111111111111111111\""}}},
    {G::Strings, "TOSTR16$", "value", {},
     {"下位8ビットの16進数（大文字、先頭の 0 なし）",
      "The low 8 bits of the value in hexadecimal: capital letters, no leading zero."},
     {{{"TOSTR16$(255)"}, "\"FF\""}, {{"TOSTR16$(10)"}, "\"A\""}, {{"TOSTR16$(0x1234)"}, "\"34\""}}},
    {G::Strings, "STRSTR", "text, part", {},
     {"part が最初に現れる位置（0 から数える）。なければ -1",
      "Where part first occurs in text, counting from 0; -1 when it does not occur."},
     {{{"STRSTR(\"abcabc\", \"c\")"}, "2"}, {{"STRSTR(\"abc\", \"d\")"}, "-1"}}},
    {G::Strings, "STRSTRI", "text, part", {},
     {"英字の大文字・小文字を区別しない STRSTR",
      "STRSTR that does not tell capital and small letters (A to Z) apart."},
     {{{"STRSTRI(\"ABC\", \"b\")"}, "1"}}},
    {G::Strings, "PADLEFT$", "text, width [, fill]", {},
     {"左側を fill の先頭の文字（省略時は空白）で埋めて width バイトにする",
      "Text made width bytes long by adding the first character of fill (a space when fill is "
      "missing) on the left. Longer text stays as it is."},
     {{{"PADLEFT$(\"7\", 3, \"0\")"}, "\"007\""}}},
    {G::Strings, "PADRIGHT$", "text, width [, fill]", {},
     {"右側を埋める", "The same as PADLEFT$, adding on the right."},
     {{{"PADRIGHT$(\"ab\", 4, \"*\")"}, "\"ab**\""}, {{"PADRIGHT$(\"abcd\", 2)"}, "\"abcd\""}}},
    {G::Strings, "TRIMLEFT$", "text [, chars]", {},
     {"先頭から chars に含まれる文字（省略時は空白）を取り除く",
      "Text without the characters of chars (a space when chars is missing) at its start."},
     {{{"TRIMLEFT$(\"xxaxx\", \"x\")"}, "\"axx\""}}},
    {G::Strings, "TRIMRIGHT$", "text [, chars]", {},
     {"末尾から取り除く", "The same as TRIMLEFT$, at the end of the text."},
     {{{"TRIMRIGHT$(\"xxaxx\", \"x\")"}, "\"xxa\""}}},
    {G::Strings, "STRUPR$", "text", {},
     {"英小文字を大文字に", "Text with the letters a to z made capitals; other characters stay."},
     {{{"STRUPR$(\"abc日本\")"}, "\"ABC日本\""}}},
    {G::Strings, "STRLWR$", "text", {},
     {"英大文字を小文字に", "Text with the letters A to Z made small letters."},
     {{{"STRLWR$(\"ABC\")"}, "\"abc\""}}},
    {G::Strings, "LEFT$", "text, count", {},
     {"先頭から count バイト", "The first count bytes of text."},
     {{{"LEFT$(\"abcdef\", 2)"}, "\"ab\""}}},
    {G::Strings, "RIGHT$", "text, count", {},
     {"末尾から count バイト", "The last count bytes of text; all of it when it is shorter."},
     {{{"RIGHT$(\"abcdef\", 2)"}, "\"ef\""}, {{"RIGHT$(\"abc\", 5)"}, "\"abc\""}}},
    {G::Strings, "MID$", "text, start, count", {"SUBSTR$", "SUBSTRING$"},
     {"start バイト目（1 から数える）から count バイト。count が負なら最後まで",
      "count bytes of text from byte start, counting from 1. A negative count takes the rest "
      "of the text."},
     {{{"MID$(\"abcdef\", 2, 3)"}, "\"bcd\""}, {{"MID$(\"abc\", 2, -1)"}, "\"bc\""}}},
    {G::Strings, "GETASCIICODE", "text, position", {},
     {"position バイト目（0 から数える）の値。範囲外なら -1。0x80 以上のバイトは負の数になる",
      "The byte at position, counting from 0, or -1 past the end. Bytes from 0x80 up come out "
      "negative (-128 to -1)."},
     {{{"GETASCIICODE(\"A\", 0)"}, "65"}, {{"GETASCIICODE(\"日\", 0)"}, "-26"}}},
    {G::Strings, "ASCIICODE$", "code", {},
     {"code の下位8ビットの1バイトからなる文字列",
      "A string of one byte: the low 8 bits of code."},
     {{{"ASCIICODE$(65)"}, "\"A\""}}},
    {G::Strings, "REPLACE$", "text, old [, new]", {},
     {"old をすべて new に置き換える（new を省略すると削除）",
      "Text with every old replaced by new, or removed when new is missing. Capital and small "
      "letters count as different."},
     {{{"REPLACE$(\"a-b-c\", \"-\", \"+\")"}, "\"a+b+c\""},
      {{"REPLACE$(\"a-b-c\", \"-\")"}, "\"abc\""}}},

    // Time, system and messages
    {G::System, "SLEEP", "ms", {},
     {"ms ミリ秒待つ",
      "Waits ms milliseconds (not at all when ms is 0 or less). Abort ends the wait at once."},
     {{{"SLEEP(500)"}}}},
    {G::System, "GETCURRENTYEAR", "", {}, {"年", "The year of the local time."},
     {{{"y = GETCURRENTYEAR()"}}}},
    {G::System, "GETCURRENTMONTH", "", {}, {"月 (1～12)", "The month, 1 to 12."},
     {{{"m = GETCURRENTMONTH()"}}}},
    {G::System, "GETCURRENTDAY", "", {}, {"日 (1～31)", "The day of the month, 1 to 31."},
     {{{"d = GETCURRENTDAY()"}}}},
    {G::System, "GETCURRENTDAYOFWEEK", "", {},
     {"曜日 (0 = 日曜～6 = 土曜)", "The day of the week: 0 is Sunday, 6 Saturday."},
     {{{"if GETCURRENTDAYOFWEEK() == 0 {"}},
      {{"    MESSAGE(\"今日は日曜日です\")", "    MESSAGE(\"It is Sunday\")"}},
      {{"}"}}}},
    {G::System, "GETCURRENTHOUR", "", {}, {"時 (0～23)", "The hour, 0 to 23."},
     {{{"h = GETCURRENTHOUR()"}}}},
    {G::System, "GETCURRENTMINUTE", "", {}, {"分 (0～59)", "The minute, 0 to 59."},
     {{{"mi = GETCURRENTMINUTE()"}}}},
    {G::System, "GETCURRENTSECOND", "", {}, {"秒 (0～59)", "The second, 0 to 59."},
     {{{"s = GETCURRENTSECOND()"}}}},
    {G::System, "GETCURRENTMILLISECONDS", "", {},
     {"ミリ秒 (0～999)", "The milliseconds of the current second, 0 to 999."},
     {{{"ms = GETCURRENTMILLISECONDS()"}}}},
    {G::System, "RAND", "", {},
     {"0～32767 の乱数", "A pseudo-random number from 0 to 32767."},
     {{{"dice = RAND() % 6 + 1"}}}},
    {G::System, "SRAND", "[seed]", {},
     {"乱数の種を設定し、使った種を返す。省略時は起動からのミリ秒数。設定しないと毎回同じ乱数列になる",
      "Seeds the random numbers and returns the seed it used: seed, or without it the "
      "milliseconds since Windows started. Unseeded, RAND gives the same numbers every time."},
     {{{"SRAND(1)"}, "1"}, {{"RAND()"}, "41"}, {{"SRAND()"}}}},
    {G::System, "GETSYSTEMMETRICS", "index", {},
     {"Windows のシステム情報（0 = 画面の幅、1 = 画面の高さ など）",
      "A measure of the system from Windows, chosen by index: 0 is the width of the screen, 1 "
      "its height, and so on."},
     {{{"w = GETSYSTEMMETRICS(0)"}}}},
    {G::System, "GETQZ_SCRIPTVERSION", "", {},
     {"言語のバージョン (10009)", "The version of the language, 10009."},
     {{{"GETQZ_SCRIPTVERSION()"}, "10009"}}},
    {G::System, "MESSAGE", "text [, caption]", {"TEXTOUT", "MESSAGEBOX"},
     {"OK ボタンのメッセージボックス。タイトルの省略時は \"Message\"",
      "Shows text in a message box with an OK button, titled caption or \"Message\"."},
     {{{"MESSAGE(\"終わりました\", \"通知\")", "MESSAGE(\"All done\", \"Notice\")"}}}},
    {G::System, "QUESTION", "text [, caption]", {},
     {"はい／いいえ。はいなら 1、それ以外は 0",
      "Asks with Yes and No buttons (title \"Question\" unless given). 1 for Yes, else 0."},
     {{{"if QUESTION(\"続けますか?\") {", "if QUESTION(\"Go on?\") {"}},
      {{"    MESSAGE(\"続けます\")", "    MESSAGE(\"Going on\")"}},
      {{"}"}}},
     {},
     {"yes"}},
    {G::System, "QUESTION_OKCANCEL", "text [, caption]", {},
     {"OK／キャンセル。OK なら 1、それ以外は 0",
      "Asks with OK and Cancel buttons. 1 for OK, else 0."},
     {{{"ok = QUESTION_OKCANCEL(\"送信します\")", "ok = QUESTION_OKCANCEL(\"Send it now?\")"}}},
     {},
     {"cancel"}},
    {G::System, "QUESTION_YESNOCANCEL", "text [, caption]", {},
     {"はい／いいえ／キャンセル。はい 1、いいえ 0、それ以外 -1",
      "Asks with Yes, No and Cancel buttons. 1 for Yes, 0 for No, -1 for Cancel."},
     {{{"QUESTION_YESNOCANCEL(\"保存しますか?\")", "QUESTION_YESNOCANCEL(\"Save the changes?\")"},
       "0"}},
     {"（「いいえ」を選んだとき）", "(when you choose No)"},
     {"no"}},
    {G::System, "WARNING", "text [, caption]", {},
     {"警告アイコンのメッセージボックス（タイトル \"Warning\"）",
      "A message box with the warning icon, titled \"Warning\" unless given."},
     {{{"WARNING(\"注意してください\")", "WARNING(\"Mind the gap\")"}}}},
    {G::System, "INFORMATION", "text [, caption]", {},
     {"情報アイコン（タイトル \"Information\"）",
      "A message box with the information icon, titled \"Information\" unless given."},
     {{{"INFORMATION(\"完了\")", "INFORMATION(\"Finished\")"}}}},
    {G::System, "ERROR", "text [, caption]", {},
     {"エラーアイコン（タイトル \"Error\"）",
      "A message box with the error icon, titled \"Error\" unless given."},
     {{{"ERROR(\"失敗しました\")", "ERROR(\"That did not work\")"}}}},
    {G::System, "MESSAGEBEEP", "type", {},
     {"システムの警告音を鳴らす（0、16、32、48、64 など）",
      "Plays a system sound: 0, 16, 32, 48, 64 and so on, the sounds of the message-box icons."},
     {{{"MESSAGEBEEP(64)"}}}},

    // Mouse
    {G::Mouse, "GETCURSORPOSX", "", {},
     {"マウスカーソルの X 座標（画面座標）", "The x position of the mouse cursor on the screen."},
     {{{"x = GETCURSORPOSX()"}}}},
    {G::Mouse, "GETCURSORPOSY", "", {},
     {"マウスカーソルの Y 座標", "The y position of the mouse cursor."},
     {{{"y = GETCURSORPOSY()"}}}},
    {G::Mouse, "SETCURSORPOS", "x, y", {},
     {"カーソルを (x, y) に移動。成功すると 0 以外",
      "Puts the cursor at (x, y) on the screen. Not 0 when that worked."},
     {{{"SETCURSORPOS(100, 200)"}}, {{"GETCURSORPOSX()"}, "100"}}},
    {G::Mouse, "MOVEMOUSE", "dx, dy", {},
     {"マウスを相対的に動かす（マウスの速度設定の影響を受ける）",
      "Moves the mouse by dx, dy from where it is. The mouse speed setting of Windows applies; "
      "use SETCURSORPOS for an exact position."},
     {{{"MOVEMOUSE(10, -5)"}}}},
    {G::Mouse, "MOUSEWHEEL", "amount", {},
     {"ホイールを回す（1ノッチが 120、正で奥、負で手前）",
      "Turns the wheel: 120 is one notch, positive away from you, negative towards you."},
     {{{"MOUSEWHEEL(-120)"}}}},
    {G::Mouse, "MOUSEBUTTONLEFT", "down", {},
     {"左ボタン。0 以外で押す、0 で離す",
      "Presses the left button when down is not 0, releases it when down is 0."},
     {{{"MOUSEBUTTONLEFT(1)"}}, {{"MOUSEBUTTONLEFT(0)"}}},
     {"（クリック）", "(a click)"}},
    {G::Mouse, "MOUSEBUTTONRIGHT", "down", {},
     {"右ボタン", "The same for the right button."},
     {{{"MOUSEBUTTONRIGHT(1)"}}, {{"MOUSEBUTTONRIGHT(0)"}}}},
    {G::Mouse, "MOUSEBUTTONMIDDLE", "down", {},
     {"中ボタン", "The same for the middle button."},
     {{{"MOUSEBUTTONMIDDLE(1)"}}, {{"MOUSEBUTTONMIDDLE(0)"}}}},
    {G::Mouse, "MOUSEBUTTONX1", "down", {},
     {"X1 ボタン（「戻る」ボタンなど）", "The same for the X1 button (often \"Back\")."},
     {{{"MOUSEBUTTONX1(1)"}}, {{"MOUSEBUTTONX1(0)"}}}},
    {G::Mouse, "MOUSEBUTTONX2", "down", {},
     {"X2 ボタン", "The same for the X2 button."},
     {{{"MOUSEBUTTONX2(1)"}}, {{"MOUSEBUTTONX2(0)"}}}},

    // Keyboard
    {G::Keyboard, "KEYBDEVENT", "key, down", {},
     {"仮想キーコード key（下位8ビット）のキーを、down が 0 以外なら押し、0 なら離す",
      "Presses the key with the virtual-key code key (its low 8 bits) when down is not 0, "
      "releases it when down is 0."},
     {{{"KEYBDEVENT(VK_SHIFT, 1)"}},
      {{"KEYBDEVENT(VK_A, 1)"}},
      {{"KEYBDEVENT(VK_A, 0)"}},
      {{"KEYBDEVENT(VK_SHIFT, 0)"}}},
     {"（Shift+A）", "(Shift+A)"}},
    {G::Keyboard, "SENDINPUTUNICODE", "text, down", {},
     {"text の最初の1文字を Unicode 文字として送る（down が 0 以外で押す、0 で離す）。送ったイベントの数を返す",
      "Sends the first character of text as a Unicode character, pressed when down is not 0, "
      "released when down is 0. Returns the number of events sent. (Only the first UTF-16 "
      "unit is sent: for an emoji that is half the character.)"},
     {{{"SENDINPUTUNICODE(\"あ\", 1)", "SENDINPUTUNICODE(\"é\", 1)"}},
      {{"SENDINPUTUNICODE(\"あ\", 0)", "SENDINPUTUNICODE(\"é\", 0)"}}}},

    // Clipboard and environment
    {G::ClipboardEnvironment, "GETCLIPBOARDTEXT$", "", {},
     {"クリップボードのテキスト。テキストがなければ空文字列",
      "The text on the clipboard, or an empty string when it holds no text."},
     {{{"c$ = GETCLIPBOARDTEXT$()"}}}},
    {G::ClipboardEnvironment, "SETCLIPBOARDTEXT", "text", {},
     {"クリップボードにテキストを入れる。成功すると 1",
      "Puts text on the clipboard. 1 when that worked, else 0."},
     {{{"SETCLIPBOARDTEXT(\"こんにちは\")", "SETCLIPBOARDTEXT(\"Hello\")"}, "1"},
      {{"GETCLIPBOARDTEXT$()"}, {"\"こんにちは\"", "\"Hello\""}}}},
    {G::ClipboardEnvironment, "GETENV$", "name", {},
     {"環境変数の値。なければ空文字列",
      "The value of the environment variable name, or an empty string when it is not set."},
     {{{"u$ = GETENV$(\"USERNAME\")"}}}},
    {G::ClipboardEnvironment, "SETENV", "name, value", {},
     {"このプログラムの環境変数を設定する。成功すると 1",
      "Sets an environment variable of this program (and of programs it starts), not of "
      "Windows. 1 when that worked."},
     {{{"SETENV(\"MYVAR\", \"1\")"}, "1"}, {{"GETENV$(\"MYVAR\")"}, "\"1\""}}},
};

constexpr std::array kGroups = {G::Strings, G::System, G::Mouse, G::Keyboard,
                                G::ClipboardEnvironment};

} // namespace

const std::vector<BuiltinDoc>& builtinReference() { return kReference; }

std::span<const Group> builtinGroups() { return kGroups; }

Text groupTitle(Group group) {
    switch (group) {
    case G::Strings:
        return {"文字列と変換", "Strings and conversion"};
    case G::System:
        return {"時間・システム・メッセージ", "Time, system and messages"};
    case G::Mouse:
        return {"マウス", "Mouse"};
    case G::Keyboard:
        return {"キーボード", "Keyboard"};
    case G::ClipboardEnvironment:
        return {"クリップボードと環境変数", "Clipboard and environment"};
    }
    return {};
}

std::vector<std::string_view> namesOf(const BuiltinDoc& doc) {
    std::vector<std::string_view> names{doc.name};
    names.insert(names.end(), doc.aliases.begin(), doc.aliases.end());
    return names;
}

Arity arityOf(const BuiltinDoc& doc) {
    // Arguments are words; the first bracket starts the optional ones.
    Arity arity{0, 0};
    bool inWord = false, optional = false;
    for (char c : doc.arguments) {
        const bool wordChar = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                              (c >= '0' && c <= '9') || c == '_';
        if (c == '[')
            optional = true;
        if (wordChar && !inWord) {
            ++arity.most;
            if (!optional)
                ++arity.least;
        }
        inWord = wordChar;
    }
    return arity;
}

} // namespace tapwell::help
