// The user settings, their defaults, their store names and the ranges that a
// loaded value is forced into.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace tapwell {

struct Settings {
    std::uint8_t g_BigDialog = 0;
    std::uint8_t iInputMode = 0; // 0 keyboard-simulate, 1 Unicode, 2 script
    std::uint8_t iWaitMode = 0;  // 0 seconds after Start, 1 clock time
    std::uint8_t iErrorStop = 0;
    std::uint8_t iDisableEnter = 0;
    std::uint8_t iDisableSpace = 0;
    std::uint8_t iDisableTab = 0;
    std::uint8_t iTopMost = 0;
    std::int32_t iWaitSec = 5;
    std::int32_t iTimeHour = 0;
    std::int32_t iTimeMin = 0;
    std::int32_t iTimeSec = 0;
    std::int32_t iWaitMSec = 20;
    std::int32_t iLoopNum = 1;
    // 0 as written, 1 as key presses (keystroke/run_host.h: Delivery).
    std::uint8_t iDelivery = 0;
    // The layout key presses are meant for: 0 the local one, 1 and 2 the
    // built-in US and Japanese tables, anything else the low 32 bits of an
    // installed layout's handle (keystroke/keyboard_layout.h). An id that is
    // no longer installed is kept; a run uses the local layout for it.
    std::uint32_t iTargetLayout = 0;
    // 1: Esc in any window stops a run. Absent from a store means on.
    std::uint8_t iEscAbort = 1;
    // 1: sending pauses while the destination window is not in front.
    std::uint8_t iFocusGuard = 0;
    // Quick type. 1: the icon in the notification area (minimising hides the
    // dialog to it).
    std::uint8_t iTrayIcon = 0;
    // The two global hotkeys: the virtual key in the low byte, the modifiers
    // above it (quick/hotkey.h: Hotkey), 0 none.
    std::uint32_t iHotkeyClipboard = 0;
    std::uint32_t iHotkeyText = 0;
    // 1: a long clipboard text or one of several lines is asked about.
    std::uint8_t iQuickAsk = 1;
    // 1: the small progress window while a quick run types.
    std::uint8_t iQuickProgress = 1;

    bool operator==(const Settings&) const = default;
};

inline constexpr std::uint8_t kInputModeKeyboard = 0;
inline constexpr std::uint8_t kInputModeUnicode = 1;
inline constexpr std::uint8_t kInputModeScript = 2;

// One field as the stores see it: a name and a 32-bit integer. Setting an
// 8-bit field keeps the low 8 bits of the value; an unsigned field keeps its
// 32 bits, as the stores' signed integer.
struct SettingField {
    std::u16string_view name;
    std::uint8_t Settings::*flag;
    std::int32_t Settings::*number;
    std::uint32_t Settings::*bits = nullptr;

    std::int32_t get(const Settings& s) const {
        if (flag)
            return s.*flag;
        if (bits)
            return static_cast<std::int32_t>(s.*bits);
        return s.*number;
    }
    void set(Settings& s, std::int32_t v) const {
        if (flag)
            s.*flag = static_cast<std::uint8_t>(v & 0xFF);
        else if (bits)
            s.*bits = static_cast<std::uint32_t>(v);
        else
            s.*number = v;
    }
};

// In load and save order.
extern const std::array<SettingField, 23> kSettingFields;

// Forces every field into its load range (out-of-range values fall back).
void applyLoadRanges(Settings& s);

// Where the two settings stores live.

inline constexpr std::u16string_view kRegistryKeyPath =
    u"Software\\Brelvane\\TAPWELL\\CurrentVersion";
// Relative to the current directory, which start-up makes the executable's folder.
inline constexpr std::u16string_view kIniFilePath = u".\\tapwell.ini";
inline constexpr std::u16string_view kIniSection = u"TAPWELL";

} // namespace tapwell
