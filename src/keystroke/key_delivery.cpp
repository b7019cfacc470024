#include "keystroke/key_delivery.h"

#include <algorithm>

namespace tapwell {

namespace {

constexpr std::uint8_t kVkSpace = 0x20;

enum class Modifier : std::uint8_t { None, Shift, Ctrl, Alt, Win };

Modifier modifierOf(std::uint8_t vk) {
    switch (vk) {
    case 0x10: // VK_SHIFT, VK_LSHIFT, VK_RSHIFT
    case 0xA0:
    case 0xA1:
        return Modifier::Shift;
    case 0x11: // VK_CONTROL, VK_LCONTROL, VK_RCONTROL
    case 0xA2:
    case 0xA3:
        return Modifier::Ctrl;
    case 0x12: // VK_MENU, VK_LMENU, VK_RMENU (AltGr)
    case 0xA4:
    case 0xA5:
        return Modifier::Alt;
    case 0x5B: // VK_LWIN, VK_RWIN
    case 0x5C:
        return Modifier::Win;
    default:
        return Modifier::None;
    }
}

// VK_SHIFT and VK_LSHIFT name one key: Windows keeps its state by the key.
bool sameKey(PhysicalKey a, PhysicalKey b) {
    return a.scan != 0 && b.scan != 0 ? a.scan == b.scan : a.vk == b.vk;
}

bool isAltGr(PhysicalKey key) {
    return key.vk == kAltGrKey.vk || key.scan == kAltGrKey.scan;
}

bool isAsciiLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// A modifier change around a character's key.
struct ModifierChange {
    PhysicalKey key;
    bool up;
};

} // namespace

KeyPressSink::KeyPressSink(KeyEventSink& out, std::unique_ptr<const KeyboardLayout> layout)
    : out_(out), layout_(std::move(layout)) {}

unsigned KeyPressSink::sendKey(std::uint8_t vk, bool up) {
    const PhysicalKey key = layout_->keyForVirtualKey(vk);
    noteModifier(key, up);
    return out_.sendPhysicalKey(key, up);
}

unsigned KeyPressSink::sendUnicodePair(char16_t unit) {
    if (isAsciiLetter(unit) && holdsShortcutModifier())
        return press(layout_->keyForVirtualKey(static_cast<std::uint8_t>(unit & ~0x20)));
    std::optional<CharKey> ck = layout_->keyForChar(unit);
    if (!ck)
        return out_.sendUnicodePair(unit);
    unsigned inserted = typeWithModifiers(*ck);
    if (ck->dead)
        inserted += press(layout_->keyForVirtualKey(kVkSpace));
    return inserted;
}

unsigned KeyPressSink::sendUnicodeUnit(char16_t unit, bool up) {
    return out_.sendUnicodeUnit(unit, up);
}

unsigned KeyPressSink::sendPhysicalKey(PhysicalKey key, bool up) {
    noteModifier(key, up);
    return out_.sendPhysicalKey(key, up);
}

void KeyPressSink::noteModifier(PhysicalKey key, bool up) {
    if (modifierOf(key.vk) == Modifier::None)
        return;
    auto at = std::find_if(heldModifiers_.begin(), heldModifiers_.end(),
                           [&](PhysicalKey held) { return sameKey(held, key); });
    if (up) {
        if (at != heldModifiers_.end())
            heldModifiers_.erase(at);
    } else if (at == heldModifiers_.end()) {
        heldModifiers_.push_back(key);
    }
}

bool KeyPressSink::holdsShortcutModifier() const {
    return std::ranges::any_of(heldModifiers_, [](PhysicalKey key) {
        const Modifier m = modifierOf(key.vk);
        return m == Modifier::Ctrl || m == Modifier::Alt || m == Modifier::Win;
    });
}

void KeyPressSink::settle(std::uint32_t ms) {
    out_.settle(ms);
}

unsigned KeyPressSink::press(PhysicalKey key) {
    const unsigned down = out_.sendPhysicalKey(key, false);
    return down + out_.sendPhysicalKey(key, true);
}

unsigned KeyPressSink::typeWithModifiers(const CharKey& ck) {
    // Before the key: the text's Shift keys up when the character needs no
    // Shift (the last pressed first), then the modifiers it needs and the text
    // does not hold. After it, each change undone in reverse order, so the
    // text's keys go down again in the order it pressed them.
    std::vector<ModifierChange> before;
    bool textShift = false;
    bool textAltGr = false;
    for (auto it = heldModifiers_.rbegin(); it != heldModifiers_.rend(); ++it) {
        textAltGr = textAltGr || isAltGr(*it);
        if (modifierOf(it->vk) != Modifier::Shift)
            continue;
        textShift = true;
        if (!ck.shift)
            before.push_back({*it, true});
    }
    if (ck.shift && !textShift)
        before.push_back({kShiftKey, false});
    if (ck.altGr && !textAltGr)
        before.push_back({kAltGrKey, false});

    unsigned inserted = 0;
    for (const ModifierChange& change : before) {
        inserted += out_.sendPhysicalKey(change.key, change.up);
        out_.settle(kModifierSettleMs);
    }
    inserted += press(ck.key);
    for (auto it = before.rbegin(); it != before.rend(); ++it) {
        out_.settle(kModifierSettleMs);
        inserted += out_.sendPhysicalKey(it->key, !it->up);
    }
    return inserted;
}

KeyDeliveryStage::KeyDeliveryStage(KeyEventSink& base, Delivery delivery,
                                   std::uint32_t targetLayout, KeyboardLayoutResolver resolve)
    : base_(base) {
    if (delivery == Delivery::KeyPresses)
        keyPresses_.emplace(base, resolve(targetLayout));
}

} // namespace tapwell
