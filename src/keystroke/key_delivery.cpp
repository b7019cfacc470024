#include "keystroke/key_delivery.h"

namespace tapwell {

namespace {
constexpr std::uint8_t kVkSpace = 0x20;
} // namespace

KeyPressSink::KeyPressSink(KeyEventSink& out, std::unique_ptr<const KeyboardLayout> layout)
    : out_(out), layout_(std::move(layout)) {}

void KeyPressSink::sendKey(std::uint8_t vk, bool up) {
    out_.sendPhysicalKey(layout_->keyForVirtualKey(vk), up);
}

void KeyPressSink::sendUnicodePair(char16_t unit) {
    std::optional<CharKey> ck = layout_->keyForChar(unit);
    if (!ck) {
        out_.sendUnicodePair(unit);
        return;
    }
    typeWithModifiers(*ck);
    if (ck->dead)
        press(layout_->keyForVirtualKey(kVkSpace));
}

unsigned KeyPressSink::sendUnicodeUnit(char16_t unit, bool up) {
    return out_.sendUnicodeUnit(unit, up);
}

void KeyPressSink::sendPhysicalKey(PhysicalKey key, bool up) {
    out_.sendPhysicalKey(key, up);
}

void KeyPressSink::settle(std::uint32_t ms) {
    out_.settle(ms);
}

void KeyPressSink::press(PhysicalKey key) {
    out_.sendPhysicalKey(key, false);
    out_.sendPhysicalKey(key, true);
}

void KeyPressSink::typeWithModifiers(const CharKey& ck) {
    if (ck.shift) {
        out_.sendPhysicalKey(kShiftKey, false);
        out_.settle(kModifierSettleMs);
    }
    if (ck.altGr) {
        out_.sendPhysicalKey(kAltGrKey, false);
        out_.settle(kModifierSettleMs);
    }
    press(ck.key);
    if (ck.altGr) {
        out_.settle(kModifierSettleMs);
        out_.sendPhysicalKey(kAltGrKey, true);
    }
    if (ck.shift) {
        out_.settle(kModifierSettleMs);
        out_.sendPhysicalKey(kShiftKey, true);
    }
}

KeyDeliveryStage::KeyDeliveryStage(KeyEventSink& base, Delivery delivery,
                                   std::uint32_t targetLayout, KeyboardLayoutResolver resolve)
    : base_(base) {
    if (delivery == Delivery::KeyPresses)
        keyPresses_.emplace(base, resolve(targetLayout));
}

} // namespace tapwell
