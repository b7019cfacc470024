#include "dialog/menu_key_items.h"

#include "keystroke/key_tables.h"
#include "resource.h"

namespace tapwell {

namespace {

std::u16string asciiToUtf16(const char* s) {
    std::u16string out;
    for (; *s; ++s)
        out.push_back(static_cast<unsigned char>(*s));
    return out;
}

} // namespace

int keySubmenuBase(KeySubmenu submenu) {
    switch (submenu) {
    case KeySubmenu::Push:
        return IDM_KEY_PUSH_BASE;
    case KeySubmenu::Pull:
        return IDM_KEY_PULL_BASE;
    case KeySubmenu::PushAndPull:
        break;
    }
    return IDM_KEY_PUSH_PULL_BASE;
}

std::vector<KeyMenuItem> keyMenuItems(KeySubmenu submenu, Language language) {
    std::vector<KeyMenuItem> items;
    const int base = keySubmenuBase(submenu);
    bool first = true;
    std::uint8_t previous = 0;
    for (const KeyNameEntry& e : keyNames()) {
        if (!first && e.code == previous)
            continue;
        first = false;
        previous = e.code;
        std::u16string text = asciiToUtf16(e.name);
        if (language == Language::Japanese) {
            text += u" \u2026 ";
            text += e.description;
        }
        items.push_back({base + e.code, std::move(text)});
    }
    return items;
}

std::optional<std::u16string> insertionTextForCommand(int commandId) {
    if (commandId == IDM_INSERT_PAUSE)
        return u"!";
    if (commandId == IDM_INSERT_WAIT)
        return u"[WAIT:1000]";
    if (commandId < IDM_KEY_PUSH_BASE || commandId > IDM_KEY_LAST)
        return std::nullopt;
    // The three bases are 41 above multiples of 256, so the low byte of
    // (id - 41) is the key code in every range.
    const auto code = static_cast<std::uint8_t>((commandId - 41) & 0xFF);
    const char* name = keyNameForCode(code);
    if (!name)
        return std::nullopt;
    const char16_t* open = u"[";
    const char16_t* close = u"]";
    if (commandId < IDM_KEY_PULL_BASE)
        close = u")"; // press and hold
    else if (commandId < IDM_KEY_PUSH_PULL_BASE)
        open = u"("; // release
    return open + asciiToUtf16(name) + close;
}

} // namespace tapwell
