#include "keystroke/key_delivery.h"

namespace tapwell {

namespace {
constexpr std::uint8_t kVkSpace = 0x20;
} // namespace

KeyPressSink::KeyPressSink(KeyEventSink& out, std::unique_ptr<const KeyboardLayout> layout)
    : out_(out), layout_(std::move(layout)) {}

unsigned KeyPressSink::sendKey(std::uint8_t vk, bool up) {
    return out_.sendPhysicalKey(layout_->keyForVirtualKey(vk), up);
}

unsigned KeyPressSink::sendUnicodePair(char16_t unit) {
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
    return out_.sendPhysicalKey(key, up);
}

void KeyPressSink::settle(std::uint32_t ms) {
    out_.settle(ms);
}

unsigned KeyPressSink::press(PhysicalKey key) {
    const unsigned down = out_.sendPhysicalKey(key, false);
    return down + out_.sendPhysicalKey(key, true);
}

unsigned KeyPressSink::typeWithModifiers(const CharKey& ck) {
    unsigned inserted = 0;
    if (ck.shift) {
        inserted += out_.sendPhysicalKey(kShiftKey, false);
        out_.settle(kModifierSettleMs);
    }
    if (ck.altGr) {
        inserted += out_.sendPhysicalKey(kAltGrKey, false);
        out_.settle(kModifierSettleMs);
    }
    inserted += press(ck.key);
    if (ck.altGr) {
        out_.settle(kModifierSettleMs);
        inserted += out_.sendPhysicalKey(kAltGrKey, true);
    }
    if (ck.shift) {
        out_.settle(kModifierSettleMs);
        inserted += out_.sendPhysicalKey(kShiftKey, true);
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
