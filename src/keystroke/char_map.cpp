#include "keystroke/char_map.h"

namespace tapwell {

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
