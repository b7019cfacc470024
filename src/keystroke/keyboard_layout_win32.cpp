#include "keystroke/keystroke_win32.h"

#include <windows.h>

namespace tapwell {

namespace {

constexpr UINT kVkToScan = 0;           // MAPVK_VK_TO_VSC
constexpr UINT kVkToScanEx = 4;         // MAPVK_VK_TO_VSC_EX: 0xE0xx for extended keys
constexpr UINT kToUnicodeKeepState = 4; // leave the dead-key state as it was

std::uint32_t layoutId(HKL hkl) {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(hkl));
}

// Asks an installed layout through its handle. VkKeyScanExW gives the key and
// modifiers of a character; whether that key is a dead key only ToUnicodeEx
// tells.
class InstalledKeyboardLayout final : public KeyboardLayout {
  public:
    explicit InstalledKeyboardLayout(HKL hkl) : hkl_(hkl) {}

    PhysicalKey keyForVirtualKey(std::uint8_t vk) const override {
        UINT scan = MapVirtualKeyExW(vk, kVkToScanEx, hkl_);
        // Only an E0 prefix can be sent (as the extended flag); Pause's E1
        // form, or a system without the _EX query, falls back to the plain
        // code and the standard keyboard's extended keys.
        if ((scan & 0xFF00) != 0xE000)
            scan = MapVirtualKeyExW(vk, kVkToScan, hkl_) & 0xFF;
        if (scan != 0 && scan <= 0xFF && isExtendedVirtualKey(vk))
            scan |= 0xE000;
        return {vk, static_cast<std::uint16_t>(scan)};
    }

    std::optional<CharKey> keyForChar(char16_t c) const override {
        const SHORT found = VkKeyScanExW(static_cast<WCHAR>(c), hkl_);
        if (found == -1)
            return std::nullopt;
        const std::uint8_t vk = static_cast<std::uint8_t>(found & 0xFF);
        const unsigned state = (static_cast<unsigned>(found) >> 8) & 0xFF;
        // Shift 1, Ctrl 2, Alt 4; Ctrl and Alt together are AltGr. Ctrl or
        // Alt alone, or the input-method bits, are no one-key character.
        const bool altGr = (state & 6) == 6;
        if ((state & ~7u) != 0 || ((state & 6) != 0 && !altGr))
            return std::nullopt;
        CharKey ck{keyForVirtualKey(vk), (state & 1) != 0, altGr, false};
        if (ck.key.scan == 0)
            return std::nullopt;
        ck.dead = isDeadKey(ck);
        return ck;
    }

  private:
    bool isDeadKey(const CharKey& ck) const {
        BYTE keys[256] = {};
        if (ck.shift)
            keys[VK_SHIFT] = 0x80;
        if (ck.altGr)
            keys[VK_CONTROL] = keys[VK_MENU] = 0x80;
        WCHAR out[8];
        const UINT scan = ck.key.scan & 0xFF;
        int n = ToUnicodeEx(ck.key.vk, scan, keys, out, 8, kToUnicodeKeepState, hkl_);
        if (n >= 0)
            return false;
        // Before Windows 10 1607 the flag is ignored and the dead key is now
        // pending: striking it again empties the state.
        ToUnicodeEx(ck.key.vk, scan, keys, out, 8, kToUnicodeKeepState, hkl_);
        return true;
    }

    HKL hkl_;
};

std::vector<HKL> installedHandles() {
    int n = GetKeyboardLayoutList(0, nullptr);
    std::vector<HKL> list(n > 0 ? static_cast<std::size_t>(n) : 0);
    if (n > 0)
        list.resize(static_cast<std::size_t>(GetKeyboardLayoutList(n, list.data())));
    return list;
}

} // namespace

std::unique_ptr<KeyboardLayout> systemKeyboardLayout(std::uint32_t id) {
    if (id == kLayoutUs101 || id == kLayoutJapanese)
        return portableKeyboardLayout(id);
    if (id != kLayoutLocal) {
        for (HKL hkl : installedHandles()) {
            if (layoutId(hkl) == id)
                return std::make_unique<InstalledKeyboardLayout>(hkl);
        }
    }
    return std::make_unique<InstalledKeyboardLayout>(GetKeyboardLayout(0));
}

std::vector<InstalledLayout> installedKeyboardLayouts() {
    std::vector<InstalledLayout> out;
    for (HKL hkl : installedHandles()) {
        const LCID lcid = MAKELCID(LOWORD(reinterpret_cast<std::uintptr_t>(hkl)), SORT_DEFAULT);
        WCHAR name[128] = {};
        if (GetLocaleInfoW(lcid, LOCALE_SLANGUAGE, name, 128) == 0)
            name[0] = 0;
        out.push_back({layoutId(hkl), std::u16string(reinterpret_cast<const char16_t*>(name))});
    }
    return out;
}

} // namespace tapwell
