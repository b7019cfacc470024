#include "keystroke/char_map.h"

namespace tapwell {

namespace {

constexpr std::uint8_t VK_OEM_1 = 0xBA;
constexpr std::uint8_t VK_OEM_PLUS = 0xBB;
constexpr std::uint8_t VK_OEM_COMMA = 0xBC;
constexpr std::uint8_t VK_OEM_MINUS = 0xBD;
constexpr std::uint8_t VK_OEM_PERIOD = 0xBE;
constexpr std::uint8_t VK_OEM_2 = 0xBF;
constexpr std::uint8_t VK_OEM_3 = 0xC0;
constexpr std::uint8_t VK_OEM_4 = 0xDB;
constexpr std::uint8_t VK_OEM_5 = 0xDC;
constexpr std::uint8_t VK_OEM_6 = 0xDD;
constexpr std::uint8_t VK_OEM_7 = 0xDE;
constexpr std::uint8_t VK_OEM_102 = 0xE2;

// Unshifted and shifted symbol of one keycap give the same key.
std::uint8_t symbolKey(char16_t c) {
    switch (c) {
    case u'-':
    case u'=':
        return VK_OEM_MINUS;
    case u'^':
    case u'~':
        return VK_OEM_7;
    case u'\\':
    case u'|':
        return VK_OEM_5;
    case u'@':
    case u'`':
        return VK_OEM_3;
    case u';':
    case u'+':
        return VK_OEM_PLUS;
    case u':':
    case u'*':
        return VK_OEM_1;
    case u']':
        return VK_OEM_6;
    case u',':
    case u'<':
        return VK_OEM_COMMA;
    case u'.':
    case u'>':
        return VK_OEM_PERIOD;
    case u'/':
    case u'?':
        return VK_OEM_2;
    case u'_':
        return VK_OEM_102;
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
            return VK_OEM_4;
        if (text[position + 1] == u'[') {
            ++position;
            return VK_OEM_4;
        }
        return 0;
    }
    return symbolKey(c);
}

} // namespace tapwell
