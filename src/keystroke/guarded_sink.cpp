#include "keystroke/guarded_sink.h"

#include <algorithm>
#include <utility>

namespace tapwell {

void HeldInputs::note(Held item, bool up) {
    auto at = std::find(held_.begin(), held_.end(), item);
    if (up) {
        if (at != held_.end())
            held_.erase(at);
        return;
    }
    // A key pressed again while held went down when it was first pressed;
    // the repeat does not change its place.
    if (at == held_.end())
        held_.push_back(item);
}

void HeldInputs::noteKey(std::uint8_t vk, bool up) {
    note({Kind::Key, vk, 0}, up);
}

void HeldInputs::notePhysicalKey(PhysicalKey key, bool up) {
    note({Kind::PhysicalKey, key.vk, key.scan}, up);
}

void HeldInputs::noteUnicodeUnit(char16_t unit, bool up) {
    note({Kind::UnicodeUnit, unit, 0}, up);
}

void HeldInputs::noteMouseButton(std::uint32_t upFlags, std::int32_t data, bool up) {
    note({Kind::MouseButton, upFlags, data}, up);
}

void HeldInputs::releaseAll(KeyEventSink& keys, const MouseRelease& mouse) {
    std::vector<Held> held;
    held.swap(held_);
    for (auto it = held.rbegin(); it != held.rend(); ++it) {
        switch (it->kind) {
        case Kind::Key:
            keys.sendKey(static_cast<std::uint8_t>(it->code), true);
            break;
        case Kind::PhysicalKey:
            keys.sendPhysicalKey(
                {static_cast<std::uint8_t>(it->code), static_cast<std::uint16_t>(it->data)}, true);
            break;
        case Kind::UnicodeUnit:
            keys.sendUnicodeUnit(static_cast<char16_t>(it->code), true);
            break;
        case Kind::MouseButton:
            if (mouse)
                mouse(it->code, it->data);
            break;
        }
    }
}

void HeldInputs::releaseKeys(KeyEventSink& keys) const {
    for (auto it = held_.rbegin(); it != held_.rend(); ++it) {
        if (it->kind == Kind::Key)
            keys.sendKey(static_cast<std::uint8_t>(it->code), true);
        else if (it->kind == Kind::PhysicalKey)
            keys.sendPhysicalKey(
                {static_cast<std::uint8_t>(it->code), static_cast<std::uint16_t>(it->data)}, true);
    }
}

unsigned HeldInputs::pressKeysAgain(KeyEventSink& keys) const {
    unsigned refused = 0;
    for (const Held& item : held_) {
        unsigned inserted = 1;
        if (item.kind == Kind::Key)
            inserted = keys.sendKey(static_cast<std::uint8_t>(item.code), false);
        else if (item.kind == Kind::PhysicalKey)
            inserted = keys.sendPhysicalKey(
                {static_cast<std::uint8_t>(item.code), static_cast<std::uint16_t>(item.data)},
                false);
        refused += inserted == 0 ? 1 : 0;
    }
    return refused;
}

void HeldInputs::forgetKeys() {
    std::erase_if(held_, [](const Held& item) {
        return item.kind == Kind::Key || item.kind == Kind::PhysicalKey;
    });
}

unsigned GuardedSink::count(unsigned inserted) {
    if (inserted == 0)
        ++refusals_;
    return inserted;
}

unsigned GuardedSink::sendKey(std::uint8_t vk, bool up) {
    held_.noteKey(vk, up);
    return count(out_.sendKey(vk, up));
}

unsigned GuardedSink::sendUnicodePair(char16_t unit) {
    return count(out_.sendUnicodePair(unit));
}

unsigned GuardedSink::sendUnicodeUnit(char16_t unit, bool up) {
    held_.noteUnicodeUnit(unit, up);
    return count(out_.sendUnicodeUnit(unit, up));
}

unsigned GuardedSink::sendPhysicalKey(PhysicalKey key, bool up) {
    held_.notePhysicalKey(key, up);
    return count(out_.sendPhysicalKey(key, up));
}

unsigned GuardedSink::takeRefusals() {
    return std::exchange(refusals_, 0u);
}

void GuardedSink::releaseHeld(const HeldInputs::MouseRelease& mouse) {
    // Lifted keys are up already; a second release would reach whatever
    // window is in front now.
    if (keysLifted_)
        held_.forgetKeys();
    keysLifted_ = false;
    held_.releaseAll(out_, mouse);
}

void GuardedSink::liftHeldKeys() {
    if (keysLifted_)
        return;
    keysLifted_ = true;
    held_.releaseKeys(out_);
}

void GuardedSink::pressLiftedKeysAgain() {
    if (!keysLifted_)
        return;
    keysLifted_ = false;
    refusals_ += held_.pressKeysAgain(out_);
}

} // namespace tapwell
