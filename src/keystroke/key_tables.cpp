
#include "keystroke/key_tables.h"

#include <string>

namespace tapwell {

// Order matters: look-ups by code take the first entry, and the menus skip an
// entry whose code repeats the one before it.
const KeyNameEntry KeyNameTable[kKeyNameCount + 1] = {
    {"VK_CANCEL", 0x03, u"Ctrl+Break処理"},
    {"VK_BACK", 0x08, u"BackSpaceキー"},
    {"VK_TAB", 0x09, u"Tabキー"},
    {"VK_CLEAR", 0x0C, u"Clearキー"},
    {"VK_RETURN", 0x0D, u"Enterキー"},
    {"VK_SHIFT", 0x10, u"シフトキー"},
    {"VK_CONTROL", 0x11, u"Ctrlキー"},
    {"VK_MENU", 0x12, u"Altキー"},
    {"VK_PAUSE", 0x13, u"Pauseキー"},
    {"VK_CAPITAL", 0x14, u"CapsLockキー"},
    {"VK_KANA", 0x15, u"IME カナモード"},
    {"VK_HANGEUL", 0x15, u"IME Hanguel mode(maintained for compatibility; use VK_HANGUL)"},
    {"VK_HANGUL", 0x15, u"IME Hangul mode"},
    {"VK_JUNJA", 0x17, u"IME Junja mode"},
    {"VK_FINAL", 0x18, u"IME final mode"},
    {"VK_KANJI", 0x19, u"IME 漢字モード"},
    {"VK_HANJA", 0x19, u"IME Hanja mode"},
    {"VK_ESCAPE", 0x1B, u"Escキー"},
    {"VK_CONVERT", 0x1C, u"IME変換"},
    {"VK_NONCONVERT", 0x1D, u"IME無変換"},
    {"VK_ACCEPT", 0x1E, u"IME accept"},
    {"VK_MODECHANGE", 0x1F, u"IME mode change request"},
    {"VK_SPACE", 0x20, u"スペースキー"},
    {"VK_PRIOR", 0x21, u"Page Upキー"},
    {"VK_NEXT", 0x22, u"Page Downキー"},
    {"VK_END", 0x23, u"Endキー"},
    {"VK_HOME", 0x24, u"Homeキー"},
    {"VK_LEFT", 0x25, u"カーソルキー左"},
    {"VK_UP", 0x26, u"カーソルキー上"},
    {"VK_RIGHT", 0x27, u"カーソルキー右"},
    {"VK_DOWN", 0x28, u"カーソルキー下"},
    {"VK_SELECT", 0x29, u"Selectキー"},
    {"VK_PRINT", 0x2A, u"Printキー"},
    {"VK_EXECUTE", 0x2B, u"executeキー"},
    {"VK_SNAPSHOT", 0x2C, u"Print Screenキー"},
    {"VK_INSERT", 0x2D, u"Insertキー"},
    {"VK_DELETE", 0x2E, u"Deleteキー"},
    {"VK_HELP", 0x2F, u"Helpキー"},
    {"0", 0x30, u"0キー(VK_0)"},
    {"1", 0x31, u"1キー(VK_1)"},
    {"2", 0x32, u"2キー(VK_2)"},
    {"3", 0x33, u"3キー(VK_3)"},
    {"4", 0x34, u"4キー(VK_4)"},
    {"5", 0x35, u"5キー(VK_5)"},
    {"6", 0x36, u"6キー(VK_6)"},
    {"7", 0x37, u"7キー(VK_7)"},
    {"8", 0x38, u"8キー(VK_8)"},
    {"9", 0x39, u"9キー(VK_9)"},
    {"A", 0x41, u"Aキー(VK_A)"},
    {"B", 0x42, u"Bキー(VK_B)"},
    {"C", 0x43, u"Cキー(VK_C)"},
    {"D", 0x44, u"Dキー(VK_D)"},
    {"E", 0x45, u"Eキー(VK_E)"},
    {"F", 0x46, u"Fキー(VK_F)"},
    {"G", 0x47, u"Gキー(VK_G)"},
    {"H", 0x48, u"Hキー(VK_H)"},
    {"I", 0x49, u"Iキー(VK_I)"},
    {"J", 0x4A, u"Jキー(VK_J)"},
    {"K", 0x4B, u"Kキー(VK_K)"},
    {"L", 0x4C, u"Lキー(VK_L)"},
    {"M", 0x4D, u"Mキー(VK_M)"},
    {"N", 0x4E, u"Nキー(VK_N)"},
    {"O", 0x4F, u"Oキー(VK_O)"},
    {"P", 0x50, u"Pキー(VK_P)"},
    {"Q", 0x51, u"Qキー(VK_Q)"},
    {"R", 0x52, u"Rキー(VK_R)"},
    {"S", 0x53, u"Sキー(VK_S)"},
    {"T", 0x54, u"Tキー(VK_T)"},
    {"U", 0x55, u"Uキー(VK_U)"},
    {"V", 0x56, u"Vキー(VK_V)"},
    {"W", 0x57, u"Wキー(VK_W)"},
    {"X", 0x58, u"Xキー(VK_X)"},
    {"Y", 0x59, u"Yキー(VK_Y)"},
    {"Z", 0x5A, u"Zキー(VK_Z)"},
    {"VK_LWIN", 0x5B, u"左Windowsキー"},
    {"VK_RWIN", 0x5C, u"右Windowsキー"},
    {"VK_APPS", 0x5D, u"アプリケーションキー"},
    {"VK_SLEEP", 0x5F, u"スリープキー"},
    {"VK_NUMPAD0", 0x60, u"テンキー0"},
    {"VK_NUMPAD1", 0x61, u"テンキー1"},
    {"VK_NUMPAD2", 0x62, u"テンキー2"},
    {"VK_NUMPAD3", 0x63, u"テンキー3"},
    {"VK_NUMPAD4", 0x64, u"テンキー4"},
    {"VK_NUMPAD5", 0x65, u"テンキー5"},
    {"VK_NUMPAD6", 0x66, u"テンキー6"},
    {"VK_NUMPAD7", 0x67, u"テンキー7"},
    {"VK_NUMPAD8", 0x68, u"テンキー8"},
    {"VK_NUMPAD9", 0x69, u"テンキー9"},
    {"VK_MULTIPLY", 0x6A, u"*キー"},
    {"VK_ADD", 0x6B, u"+キー"},
    {"VK_SEPARATOR", 0x6C, u"Separator key"},
    {"VK_SUBTRACT", 0x6D, u"-キー"},
    {"VK_DECIMAL", 0x6E, u". キー"},
    {"VK_DIVIDE", 0x6F, u"/キー"},
    {"VK_F1", 0x70, u"F1キー"},
    {"VK_F2", 0x71, u"F2キー"},
    {"VK_F3", 0x72, u"F3キー"},
    {"VK_F4", 0x73, u"F4キー"},
    {"VK_F5", 0x74, u"F5キー"},
    {"VK_F6", 0x75, u"F6キー"},
    {"VK_F7", 0x76, u"F7キー"},
    {"VK_F8", 0x77, u"F8キー"},
    {"VK_F9", 0x78, u"F9キー"},
    {"VK_F10", 0x79, u"F10キー"},
    {"VK_F11", 0x7A, u"F11キー"},
    {"VK_F12", 0x7B, u"F12キー"},
    {"VK_F13", 0x7C, u"F13キー"},
    {"VK_F14", 0x7D, u"F14キー"},
    {"VK_F15", 0x7E, u"F15キー"},
    {"VK_F16", 0x7F, u"F16キー"},
    {"VK_F17", 0x80, u"F17キー"},
    {"VK_F18", 0x81, u"F18キー"},
    {"VK_F19", 0x82, u"F19キー"},
    {"VK_F20", 0x83, u"F20キー"},
    {"VK_F21", 0x84, u"F21キー"},
    {"VK_F22", 0x85, u"F22キー"},
    {"VK_F23", 0x86, u"F23キー"},
    {"VK_F24", 0x87, u"F24キー"},
    {"VK_NUMLOCK", 0x90, u"NumLockキー"},
    {"VK_SCROLL", 0x91, u"ScrollLockキー"},
    {"VK_OEM_NEC_EQUAL", 0x92, u"OEM定義キー"},
    {"VK_OEM_FJ_JISHO", 0x92, u"OEM定義キー"},
    {"VK_OEM_FJ_MASSHOU", 0x93, u"OEM定義キー"},
    {"VK_OEM_FJ_TOUROKU", 0x94, u"OEM定義キー"},
    {"VK_OEM_FJ_LOYA", 0x95, u"OEM定義キー"},
    {"VK_OEM_FJ_ROYA", 0x96, u"OEM定義キー"},
    {"VK_LSHIFT", 0xA0, u"左シフトキー"},
    {"VK_RSHIFT", 0xA1, u"右シフトキー"},
    {"VK_LCONTROL", 0xA2, u"左Ctrlキー"},
    {"VK_RCONTROL", 0xA3, u"右Ctrlキー"},
    {"VK_LMENU", 0xA4, u"左Altキー"},
    {"VK_RMENU", 0xA5, u"右Altキー"},
    {"VK_BROWSER_BACK", 0xA6, u"ブラウザ戻るキー"},
    {"VK_BROWSER_FORWARD", 0xA7, u"ブラウザ進むキー"},
    {"VK_BROWSER_REFRESH", 0xA8, u"ブラウザ更新キー"},
    {"VK_BROWSER_STOP", 0xA9, u"ブラウザ停止キー"},
    {"VK_BROWSER_SEARCH", 0xAA, u"ブラウザサーチキー"},
    {"VK_BROWSER_FAVORITES", 0xAB, u"ブラウザお気に入りキー"},
    {"VK_BROWSER_HOME", 0xAC, u"ブラウザHomeキー"},
    {"VK_VOLUME_MUTE", 0xAD, u"ボリューム無音キー"},
    {"VK_VOLUME_DOWN", 0xAE, u"ボリューム低下キー"},
    {"VK_VOLUME_UP", 0xAF, u"ボリューム上昇キー"},
    {"VK_MEDIA_NEXT_TRACK", 0xB0, u"メディア次トラックキー"},
    {"VK_MEDIA_PREV_TRACK", 0xB1, u"メディア前トラックキー"},
    {"VK_MEDIA_STOP", 0xB2, u"メディア停止キー"},
    {"VK_MEDIA_PLAY_PAUSE", 0xB3, u"メディア再生/一時停止キー"},
    {"VK_LAUNCH_MAIL", 0xB4, u"メール起動キー"},
    {"VK_LAUNCH_MEDIA_SELECT", 0xB5, u"メディア選択キー"},
    {"VK_LAUNCH_APP1", 0xB6, u"起動キー1"},
    {"VK_LAUNCH_APP2", 0xB7, u"起動キー2"},
    {"VK_OEM_1", 0xBA, u"OEM定義(;:*等)キー"},
    {"VK_OEM_PLUS", 0xBB, u"OEM定義(;+等)キー"},
    {"VK_OEM_COMMA", 0xBC, u"OEM定義(,<等)キー"},
    {"VK_OEM_MINUS", 0xBD, u"OEM定義(-=等)キー"},
    {"VK_OEM_PERIOD", 0xBE, u"OEM定義(.>等)キー"},
    {"VK_OEM_2", 0xBF, u"OEM定義(/?等)キー"},
    {"VK_OEM_3", 0xC0, u"OEM定義(~@`等)キー"},
    {"VK_OEM_4", 0xDB, u"OEM定義([{)キー"},
    {"VK_OEM_5", 0xDC, u"OEM定義(\\|)キー"},
    {"VK_OEM_6", 0xDD, u"OEM定義(]})キー"},
    {"VK_OEM_7", 0xDE, u"OEM定義('\"^~)キー"},
    {"VK_OEM_8", 0xDF, u"OEM定義キー"},
    {"VK_OEM_AX", 0xE1, u"OEM定義キー"},
    {"VK_OEM_102", 0xE2, u"OEM定義(_等)キー"},
    {"VK_ICO_HELP", 0xE3, u"?"},
    {"VK_ICO_00", 0xE4, u"?"},
    {"VK_PROCESSKEY", 0xE5, u"IME PROCESS key"},
    {"VK_ICO_CLEAR", 0xE6, u"?"},
    {"VK_PACKET", 0xE7, u"詳細はMSDN参照"},
    {"VK_OEM_RESET", 0xE9, u"OEM定義キー"},
    {"VK_OEM_JUMP", 0xEA, u"OEM定義キー"},
    {"VK_OEM_PA1", 0xEB, u"OEM定義キー"},
    {"VK_OEM_PA2", 0xEC, u"OEM定義キー"},
    {"VK_OEM_PA3", 0xED, u"OEM定義キー"},
    {"VK_OEM_WSCTRL", 0xEE, u"OEM定義キー"},
    {"VK_OEM_CUSEL", 0xEF, u"OEM定義キー"},
    {"VK_OEM_ATTN", 0xF0, u"OEM定義キー"},
    {"VK_OEM_FINISH", 0xF1, u"OEM定義キー"},
    {"VK_OEM_COPY", 0xF2, u"OEM定義キー"},
    {"VK_OEM_AUTO", 0xF3, u"OEM定義キー"},
    {"VK_OEM_ENLW", 0xF4, u"OEM定義キー"},
    {"VK_OEM_BACKTAB", 0xF5, u"OEM定義キー"},
    {"VK_ATTN", 0xF6, u"Attn key"},
    {"VK_CRSEL", 0xF7, u"CrSel key"},
    {"VK_EXSEL", 0xF8, u"ExSel key"},
    {"VK_EREOF", 0xF9, u"Erase EOF key"},
    {"VK_PLAY", 0xFA, u"Play key"},
    {"VK_ZOOM", 0xFB, u"Zoom key"},
    {"VK_NONAME", 0xFC, u"Reserved "},
    {"VK_PA1", 0xFD, u"PA1 key"},
    {"VK_OEM_CLEAR", 0xFE, u"Clear key"},
    {"VK_LBUTTON", 0x01, u"マウスの左ボタン"},
    {"VK_RBUTTON", 0x02, u"マウスの右ボタン"},
    {"VK_MBUTTON", 0x04, u"3ボタンマウスの真ん中ボタン"},
    {"VK_XBUTTON1", 0x05, u"マウスのX1ボタン"},
    {"VK_XBUTTON2", 0x06, u"マウスのX2ボタン"},
    {nullptr, 0, nullptr},
};

const ScriptConstant ScriptConstantTable[kScriptConstantCount + 1] = {
    {"ISNT", 1},
    {"VK_0", 48},
    {"VK_1", 49},
    {"VK_2", 50},
    {"VK_3", 51},
    {"VK_4", 52},
    {"VK_5", 53},
    {"VK_6", 54},
    {"VK_7", 55},
    {"VK_8", 56},
    {"VK_9", 57},
    {"VK_A", 65},
    {"VK_ACCEPT", 30},
    {"VK_ADD", 107},
    {"VK_APPS", 93},
    {"VK_ATTN", 246},
    {"VK_B", 66},
    {"VK_BACK", 8},
    {"VK_BROWSER_BACK", 166},
    {"VK_BROWSER_FAVORITES", 171},
    {"VK_BROWSER_FORWARD", 167},
    {"VK_BROWSER_HOME", 172},
    {"VK_BROWSER_REFRESH", 168},
    {"VK_BROWSER_SEARCH", 170},
    {"VK_BROWSER_STOP", 169},
    {"VK_C", 67},
    {"VK_CANCEL", 3},
    {"VK_CAPITAL", 20},
    {"VK_CLEAR", 12},
    {"VK_CONTROL", 17},
    {"VK_CONVERT", 28},
    {"VK_CRSEL", 247},
    {"VK_D", 68},
    {"VK_DECIMAL", 110},
    {"VK_DELETE", 46},
    {"VK_DIVIDE", 111},
    {"VK_DOWN", 40},
    {"VK_E", 69},
    {"VK_END", 35},
    {"VK_EREOF", 249},
    {"VK_ESCAPE", 27},
    {"VK_EXECUTE", 43},
    {"VK_EXSEL", 248},
    {"VK_F", 70},
    {"VK_F1", 112},
    {"VK_F10", 121},
    {"VK_F11", 122},
    {"VK_F12", 123},
    {"VK_F13", 124},
    {"VK_F14", 125},
    {"VK_F15", 126},
    {"VK_F16", 127},
    {"VK_F17", 128},
    {"VK_F18", 129},
    {"VK_F19", 130},
    {"VK_F2", 113},
    {"VK_F20", 131},
    {"VK_F21", 132},
    {"VK_F22", 133},
    {"VK_F23", 134},
    {"VK_F24", 135},
    {"VK_F3", 114},
    {"VK_F4", 115},
    {"VK_F5", 116},
    {"VK_F6", 117},
    {"VK_F7", 118},
    {"VK_F8", 119},
    {"VK_F9", 120},
    {"VK_FINAL", 24},
    {"VK_G", 71},
    {"VK_H", 72},
    {"VK_HANGEUL", 21},
    {"VK_HANGUL", 21},
    {"VK_HANJA", 25},
    {"VK_HELP", 47},
    {"VK_HOME", 36},
    {"VK_I", 73},
    {"VK_ICO_00", 228},
    {"VK_ICO_CLEAR", 230},
    {"VK_ICO_HELP", 227},
    {"VK_INSERT", 45},
    {"VK_J", 74},
    {"VK_JUNJA", 23},
    {"VK_K", 75},
    {"VK_KANA", 21},
    {"VK_KANJI", 25},
    {"VK_L", 76},
    {"VK_LAUNCH_APP1", 182},
    {"VK_LAUNCH_APP2", 183},
    {"VK_LAUNCH_MAIL", 180},
    {"VK_LAUNCH_MEDIA_SELECT", 181},
    {"VK_LBUTTON", 1},
    {"VK_LCONTROL", 162},
    {"VK_LEFT", 37},
    {"VK_LMENU", 164},
    {"VK_LSHIFT", 160},
    {"VK_LWIN", 91},
    {"VK_M", 77},
    {"VK_MBUTTON", 4},
    {"VK_MEDIA_NEXT_TRACK", 176},
    {"VK_MEDIA_PLAY_PAUSE", 179},
    {"VK_MEDIA_PREV_TRACK", 177},
    {"VK_MEDIA_STOP", 178},
    {"VK_MENU", 18},
    {"VK_MODECHANGE", 31},
    {"VK_MULTIPLY", 106},
    {"VK_N", 78},
    {"VK_NEXT", 34},
    {"VK_NONAME", 252},
    {"VK_NONCONVERT", 29},
    {"VK_NUMLOCK", 144},
    {"VK_NUMPAD0", 96},
    {"VK_NUMPAD1", 97},
    {"VK_NUMPAD2", 98},
    {"VK_NUMPAD3", 99},
    {"VK_NUMPAD4", 100},
    {"VK_NUMPAD5", 101},
    {"VK_NUMPAD6", 102},
    {"VK_NUMPAD7", 103},
    {"VK_NUMPAD8", 104},
    {"VK_NUMPAD9", 105},
    {"VK_O", 79},
    {"VK_OEM_1", 186},
    {"VK_OEM_102", 226},
    {"VK_OEM_2", 191},
    {"VK_OEM_3", 192},
    {"VK_OEM_4", 219},
    {"VK_OEM_5", 220},
    {"VK_OEM_6", 221},
    {"VK_OEM_7", 222},
    {"VK_OEM_8", 223},
    {"VK_OEM_ATTN", 240},
    {"VK_OEM_AUTO", 243},
    {"VK_OEM_AX", 225},
    {"VK_OEM_BACKTAB", 245},
    {"VK_OEM_CLEAR", 254},
    {"VK_OEM_COMMA", 188},
    {"VK_OEM_COPY", 242},
    {"VK_OEM_CUSEL", 239},
    {"VK_OEM_ENLW", 244},
    {"VK_OEM_FINISH", 241},
    {"VK_OEM_FJ_JISHO", 146},
    {"VK_OEM_FJ_LOYA", 149},
    {"VK_OEM_FJ_MASSHOU", 147},
    {"VK_OEM_FJ_ROYA", 150},
    {"VK_OEM_FJ_TOUROKU", 148},
    {"VK_OEM_JUMP", 234},
    {"VK_OEM_MINUS", 189},
    {"VK_OEM_NEC_EQUAL", 146},
    {"VK_OEM_PA1", 235},
    {"VK_OEM_PA2", 236},
    {"VK_OEM_PA3", 237},
    {"VK_OEM_PERIOD", 190},
    {"VK_OEM_PLUS", 187},
    {"VK_OEM_RESET", 233},
    {"VK_OEM_WSCTRL", 238},
    {"VK_P", 80},
    {"VK_PA1", 253},
    {"VK_PACKET", 231},
    {"VK_PAUSE", 19},
    {"VK_PLAY", 250},
    {"VK_PRINT", 42},
    {"VK_PRIOR", 33},
    {"VK_PROCESSKEY", 229},
    {"VK_Q", 81},
    {"VK_R", 82},
    {"VK_RBUTTON", 2},
    {"VK_RCONTROL", 163},
    {"VK_RETURN", 13},
    {"VK_RIGHT", 39},
    {"VK_RMENU", 165},
    {"VK_RSHIFT", 161},
    {"VK_RWIN", 92},
    {"VK_S", 83},
    {"VK_SCROLL", 145},
    {"VK_SELECT", 41},
    {"VK_SEPARATOR", 108},
    {"VK_SHIFT", 16},
    {"VK_SLEEP", 95},
    {"VK_SNAPSHOT", 44},
    {"VK_SPACE", 32},
    {"VK_SUBTRACT", 109},
    {"VK_T", 84},
    {"VK_TAB", 9},
    {"VK_U", 85},
    {"VK_UP", 38},
    {"VK_V", 86},
    {"VK_VOLUME_DOWN", 174},
    {"VK_VOLUME_MUTE", 173},
    {"VK_VOLUME_UP", 175},
    {"VK_W", 87},
    {"VK_X", 88},
    {"VK_XBUTTON1", 5},
    {"VK_XBUTTON2", 6},
    {"VK_Y", 89},
    {"VK_Z", 90},
    {"VK_ZOOM", 251},
    {"YES", 1},
    {nullptr, 0},
};

std::span<const KeyNameEntry> keyNames() {
    return {KeyNameTable, kKeyNameCount};
}

std::span<const ScriptConstant> scriptConstants() {
    return {ScriptConstantTable, kScriptConstantCount};
}

std::uint8_t lookupKeyCode(std::u16string_view name) {
    // Names are converted to 8 bits with at most 1024 bytes kept.
    if (name.size() > 1024)
        name = name.substr(0, 1024);
    std::string narrow;
    narrow.reserve(name.size());
    for (char16_t u : name) {
        if (u >= 0x80)
            return 0;
        narrow.push_back(static_cast<char>(u));
    }
    for (const KeyNameEntry& e : keyNames()) {
        if (narrow == e.name)
            return e.code;
    }
    return 0;
}

int findKeyIndexByCode(std::uint8_t code) {
    for (std::size_t i = 0; i < kKeyNameCount; ++i) {
        if (KeyNameTable[i].code == code)
            return static_cast<int>(i);
    }
    return -1;
}

const char* keyNameForCode(std::uint8_t code) {
    int i = findKeyIndexByCode(code);
    return i < 0 ? nullptr : KeyNameTable[i].name;
}

namespace {

constexpr std::uint8_t kVkOem1 = 0xBA;
constexpr std::uint8_t kVkOemPlus = 0xBB;
constexpr std::uint8_t kVkOemComma = 0xBC;
constexpr std::uint8_t kVkOemMinus = 0xBD;
constexpr std::uint8_t kVkOemPeriod = 0xBE;
constexpr std::uint8_t kVkOem2 = 0xBF;
constexpr std::uint8_t kVkOem3 = 0xC0;
constexpr std::uint8_t kVkOem4 = 0xDB;
constexpr std::uint8_t kVkOem5 = 0xDC;
constexpr std::uint8_t kVkOem6 = 0xDD;
constexpr std::uint8_t kVkOem7 = 0xDE;
constexpr std::uint8_t kVkOem102 = 0xE2;

// Unshifted and shifted symbol of one keycap give the same key.
std::uint8_t symbolKey(char16_t c) {
    switch (c) {
    case u'-':
    case u'=':
        return kVkOemMinus;
    case u'^':
    case u'~':
        return kVkOem7;
    case u'\\':
    case u'|':
        return kVkOem5;
    case u'@':
    case u'`':
        return kVkOem3;
    case u';':
    case u'+':
        return kVkOemPlus;
    case u':':
    case u'*':
        return kVkOem1;
    case u']':
        return kVkOem6;
    case u',':
    case u'<':
        return kVkOemComma;
    case u'.':
    case u'>':
        return kVkOemPeriod;
    case u'/':
    case u'?':
        return kVkOem2;
    case u'_':
        return kVkOem102;
    default:
        return 0;
    }
}

} // namespace

std::uint8_t mapKeyboardChar(std::u16string_view text, std::size_t& position) {
    char16_t c = text[position];
    if ((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z'))
        return static_cast<std::uint8_t>(c);
    if (c == u'[') {
        // Otherwise the bracket opens a notation.
        if (position + 1 == text.size())
            return kVkOem4;
        if (text[position + 1] == u'[') {
            ++position;
            return kVkOem4;
        }
        return 0;
    }
    return symbolKey(c);
}

} // namespace tapwell
