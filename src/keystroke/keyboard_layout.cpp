#include "keystroke/keyboard_layout.h"

namespace tapwell {

TableKeyboardLayout::TableKeyboardLayout(const std::vector<LayoutKey>& rows) {
    for (const LayoutKey& row : rows) {
        PhysicalKey key{row.vk, row.scan};
        if (byVk_[row.vk].scan == 0)
            byVk_[row.vk] = key;
        const struct {
            char16_t c;
            bool shift;
            bool altGr;
            std::uint8_t deadBit;
        } levels[] = {{row.plain, false, false, kDeadPlain},
                      {row.shift, true, false, kDeadShift},
                      {row.altGr, false, true, kDeadAltGr},
                      {row.shiftAltGr, true, true, kDeadShiftAltGr}};
        for (const auto& level : levels) {
            if (level.c != 0)
                byChar_.try_emplace(level.c, CharKey{key, level.shift, level.altGr,
                                                     (row.deadLevels & level.deadBit) != 0});
        }
    }
}

PhysicalKey TableKeyboardLayout::keyForVirtualKey(std::uint8_t vk) const {
    PhysicalKey key = byVk_[vk];
    key.vk = vk;
    return key;
}

std::optional<CharKey> TableKeyboardLayout::keyForChar(char16_t c) const {
    auto it = byChar_.find(c);
    if (it == byChar_.end())
        return std::nullopt;
    return it->second;
}

std::unique_ptr<KeyboardLayout> portableKeyboardLayout(std::uint32_t layoutId) {
    return std::make_unique<TableKeyboardLayout>(layoutId == kLayoutUs101 ? usLayoutTable()
                                                                          : japaneseLayoutTable());
}

bool isExtendedVirtualKey(std::uint8_t vk) {
    static const TableKeyboardLayout us(usLayoutTable());
    return us.keyForVirtualKey(vk).extended();
}

} // namespace tapwell
