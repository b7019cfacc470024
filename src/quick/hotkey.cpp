#include "quick/hotkey.h"

#include "quick/quick_texts.h"

#include <array>
#include <string_view>

namespace tapwell {

namespace {

struct KeyName {
    std::uint8_t vk;
    std::u16string_view name;
};

constexpr KeyName kKeyNames[] = {
    {0x08, u"Backspace"}, {0x09, u"Tab"},         {0x0D, u"Enter"}, {0x13, u"Pause"},
    {0x14, u"Caps Lock"}, {0x1B, u"Esc"},         {0x20, u"Space"}, {0x21, u"Page Up"},
    {0x22, u"Page Down"}, {0x23, u"End"},         {0x24, u"Home"},  {0x25, u"Left"},
    {0x26, u"Up"},        {0x27, u"Right"},       {0x28, u"Down"},  {0x2C, u"Print Screen"},
    {0x2D, u"Insert"},    {0x2E, u"Delete"},      {0x5D, u"Menu"},  {0x6A, u"Num *"},
    {0x6B, u"Num +"},     {0x6D, u"Num -"},       {0x6E, u"Num ."}, {0x6F, u"Num /"},
    {0x90, u"Num Lock"},  {0x91, u"Scroll Lock"}, {0xBA, u"OEM 1"}, {0xBB, u"="},
    {0xBC, u","},         {0xBD, u"-"},           {0xBE, u"."},     {0xBF, u"OEM 2"},
    {0xC0, u"OEM 3"},     {0xDB, u"OEM 4"},       {0xDC, u"OEM 5"}, {0xDD, u"OEM 6"},
    {0xDE, u"OEM 7"},     {0xE2, u"OEM 102"},
};

// Combinations that type no character on any layout and that programs
// seldom take; tried in this order after the preferred one.
constexpr std::array<std::uint32_t, 6> kFallbackHotkeys = {
    0x7A | Hotkey::kCtrl | Hotkey::kShift, // Ctrl+Shift+F11
    0x7B | Hotkey::kCtrl | Hotkey::kShift, // Ctrl+Shift+F12
    0x7A | Hotkey::kCtrl | Hotkey::kAlt,   // Ctrl+Alt+F11
    0x7B | Hotkey::kCtrl | Hotkey::kAlt,   // Ctrl+Alt+F12
    0x79 | Hotkey::kCtrl | Hotkey::kShift, // Ctrl+Shift+F10
    0x7A | Hotkey::kAlt | Hotkey::kShift,  // Alt+Shift+F11
};

} // namespace

Hotkey Hotkey::fromSetting(std::int32_t stored) {
    const auto v = static_cast<std::uint32_t>(stored);
    if ((v & ~(0xFFu | kModifiers)) != 0 || (v & 0xFF) == 0)
        return {};
    return {v};
}

std::u16string virtualKeyName(std::uint8_t vk) {
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z'))
        return std::u16string(1, static_cast<char16_t>(vk));
    if (vk >= 0x70 && vk <= 0x87) // F1 to F24
        return u"F" + groupedNumber(vk - 0x6Fu);
    if (vk >= 0x60 && vk <= 0x69)
        return u"Num " + std::u16string(1, static_cast<char16_t>(u'0' + vk - 0x60));
    for (const KeyName& k : kKeyNames)
        if (k.vk == vk)
            return std::u16string(k.name);
    static constexpr char16_t kHex[] = u"0123456789ABCDEF";
    return std::u16string(u"Key 0x") + kHex[vk >> 4] + kHex[vk & 15];
}

std::u16string hotkeyName(Hotkey hotkey) {
    if (hotkey.none())
        return {};
    std::u16string out;
    if (hotkey.ctrl())
        out += u"Ctrl+";
    if (hotkey.alt())
        out += u"Alt+";
    if (hotkey.shift())
        out += u"Shift+";
    if (hotkey.win())
        out += u"Win+";
    return out + virtualKeyName(hotkey.key());
}

std::optional<HotkeyConflict> altGrConflict(Hotkey hotkey,
                                            std::span<const AltGrLayout* const> layouts) {
    if (hotkey.none() || !hotkey.ctrl() || !hotkey.alt() || hotkey.win())
        return std::nullopt;
    for (const AltGrLayout* layout : layouts) {
        if (char16_t c = layout->altGrCharacter(hotkey.key(), hotkey.shift()))
            return HotkeyConflict{layout->name(), c};
    }
    return std::nullopt;
}

std::optional<Hotkey> suggestHotkey(Hotkey preferred, std::span<const AltGrLayout* const> layouts,
                                    const std::function<bool(Hotkey)>& available) {
    auto fits = [&](Hotkey h) { return !altGrConflict(h, layouts) && available(h); };
    if (!preferred.none() && fits(preferred))
        return preferred;
    for (std::uint32_t v : kFallbackHotkeys)
        if (Hotkey h{v}; h != preferred && fits(h))
            return h;
    return std::nullopt;
}

std::u16string hotkeyRefusal(Hotkey hotkey, const std::optional<HotkeyConflict>& conflict,
                             const std::optional<Hotkey>& suggestion, Language language) {
    std::u16string text;
    if (conflict) {
        const Hotkey altGrKey = Hotkey::of(hotkey.key(), hotkey.shift() ? Hotkey::kShift : 0);
        text = formatQuickText(QuickText::HotkeyAltGr, language,
                               {hotkeyName(hotkey), u"AltGr+" + hotkeyName(altGrKey),
                                std::u16string(1, conflict->character), conflict->layout});
    } else {
        text = formatQuickText(QuickText::HotkeyTaken, language, {hotkeyName(hotkey)});
    }
    if (suggestion) {
        text += u"\n";
        text += formatQuickText(QuickText::HotkeySuggestion, language, {hotkeyName(*suggestion)});
    }
    return text;
}

} // namespace tapwell
