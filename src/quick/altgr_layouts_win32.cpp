#include "keystroke/keystroke_win32.h"
#include "quick/quick_parts_win32.h"

namespace tapwell {

namespace {

// ToUnicodeEx's flag that leaves the keyboard state (a pending dead key)
// alone.
constexpr UINT kKeepKeyboardState = 4;

class Win32AltGrLayout final : public AltGrLayout {
  public:
    Win32AltGrLayout(HKL layout, std::u16string name) : layout_(layout), name_(std::move(name)) {}

    std::u16string name() const override { return name_; }

    char16_t altGrCharacter(std::uint8_t vk, bool shift) const override {
        BYTE keys[256] = {};
        // AltGr is left Ctrl with right Alt.
        keys[VK_CONTROL] = keys[VK_LCONTROL] = keys[VK_MENU] = keys[VK_RMENU] = 0x80;
        if (shift)
            keys[VK_SHIFT] = keys[VK_LSHIFT] = 0x80;
        const UINT scan = MapVirtualKeyExW(vk, MAPVK_VK_TO_VSC, layout_);
        wchar_t out[8] = {};
        const int n = ToUnicodeEx(vk, scan, keys, out, 8, kKeepKeyboardState, layout_);
        // Ctrl alone makes control characters of letters: no AltGr level.
        if (n == 0 || out[0] < 0x20 || out[0] == 0x7F)
            return 0;
        return static_cast<char16_t>(out[0]);
    }

  private:
    HKL layout_;
    std::u16string name_;
};

} // namespace

std::vector<std::unique_ptr<AltGrLayout>> installedAltGrLayouts() {
    std::vector<std::unique_ptr<AltGrLayout>> out;
    const int count = GetKeyboardLayoutList(0, nullptr);
    if (count <= 0)
        return out;
    std::vector<HKL> handles(static_cast<std::size_t>(count));
    const int got = GetKeyboardLayoutList(count, handles.data());
    const std::vector<InstalledLayout> named = installedKeyboardLayouts();
    for (int i = 0; i < got; ++i) {
        const auto id = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(handles[i]));
        std::u16string name;
        for (const InstalledLayout& l : named)
            if (l.id == id)
                name = l.name;
        out.push_back(std::make_unique<Win32AltGrLayout>(handles[i], std::move(name)));
    }
    return out;
}

} // namespace tapwell
