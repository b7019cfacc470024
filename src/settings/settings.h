// The user settings, their defaults, their store names and the ranges that a
// loaded value is forced into.
#pragma once

#include "keystroke/run_host.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <type_traits>

namespace tapwell {

// The defaults that are not 0, and the ranges of the clock time's parts: a
// part is valid from 0 to one less than its range.
inline constexpr std::int32_t kDefaultWaitSec = 5;
inline constexpr std::int32_t kDefaultWaitMSec = 20;
inline constexpr std::int32_t kHoursPerDay = 24;
inline constexpr std::int32_t kMinutesPerHour = 60;
inline constexpr std::int32_t kSecondsPerMinute = 60;

struct Settings {
    std::uint8_t g_BigDialog = 0;
    InputMode iInputMode = InputMode::Keyboard;
    WaitMode iWaitMode = WaitMode::Seconds;
    std::uint8_t iErrorStop = 0;
    std::uint8_t iDisableEnter = 0;
    std::uint8_t iDisableSpace = 0;
    std::uint8_t iDisableTab = 0;
    std::uint8_t iTopMost = 0;
    std::int32_t iWaitSec = kDefaultWaitSec;
    std::int32_t iTimeHour = 0;
    std::int32_t iTimeMin = 0;
    std::int32_t iTimeSec = 0;
    std::int32_t iWaitMSec = kDefaultWaitMSec;
    std::int32_t iLoopNum = 1;
    Delivery iDelivery = Delivery::Written;
    // The layout key presses are meant for: 0 the local one, 1 and 2 the
    // built-in US and Japanese tables, anything else the low 32 bits of an
    // installed layout's handle (keystroke/keyboard_layout.h). An id that is
    // no longer installed is kept; a run uses the local layout for it.
    std::uint32_t iTargetLayout = 0;
    // 1: Esc in any window stops a run. Absent from a store means on.
    std::uint8_t iEscAbort = 1;
    // 1: sending pauses while the destination window is not in front.
    std::uint8_t iFocusGuard = 0;
    // The destination's IME before a run: 0 turned off for a run that sends
    // letters as keys, 1 left as it is, 2 turned off for every run.
    std::uint8_t iImeMode = 0;
    // 0: Caps Lock turned off for a run that sends letters as keys and back
    // on after it; 1: left as it is.
    std::uint8_t iCapsLockMode = 0;
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

// One field as the stores see it: a name and a 32-bit integer. Setting an
// 8-bit field (a flag or a mode) keeps the low 8 bits of the value; an
// unsigned field keeps its 32 bits, as the stores' signed integer.
struct SettingField {
    std::u16string_view name;
    std::int32_t (*get)(const Settings&);
    void (*set)(Settings&, std::int32_t);
};

// How a field's value is kept in the stores' integer: a mode as its number.
template <typename T> struct StoredNumber { using Type = T; };
template <typename T>
requires std::is_enum_v<T>
struct StoredNumber<T> {
    using Type = std::underlying_type_t<T>;
};

template <auto Member> constexpr SettingField settingField(std::u16string_view name) {
    using Value = std::remove_cvref_t<decltype(Settings{}.*Member)>;
    using Number = typename StoredNumber<Value>::Type;
    return {
        name,
        [](const Settings& s) { return static_cast<std::int32_t>(static_cast<Number>(s.*Member)); },
        [](Settings& s, std::int32_t v) {
            s.*Member = static_cast<Value>(static_cast<Number>(v));
        }};
}

// In load and save order.
extern const std::array<SettingField, 25> kSettingFields;

// Forces every field into its load range (out-of-range values fall back).
void applyLoadRanges(Settings& s);

// Where the two settings stores live. As literals too, so that the settings'
// messages can name the places in their text tables.

#define TPW_REGISTRY_KEY_PATH u"Software\\Brelvane\\TAPWELL\\CurrentVersion"
// The ini file where start-up has not named it by full path (tests): the
// current folder's.
#define TPW_INI_FILE_PATH u".\\tapwell.ini"
#define TPW_INI_SECTION u"TAPWELL"

inline constexpr std::u16string_view kRegistryKeyPath = TPW_REGISTRY_KEY_PATH;
inline constexpr std::u16string_view kIniFilePath = TPW_INI_FILE_PATH;
inline constexpr std::u16string_view kIniSection = TPW_INI_SECTION;

} // namespace tapwell
