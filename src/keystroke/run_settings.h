// The part of the settings record that a run reads. The dialog fills it from
// the saved settings, so the engine does not depend on the settings store.
#pragma once

#include <cstdint>

namespace tapwell {

enum class InputMode : std::uint8_t { Keyboard = 0, Unicode = 1, Script = 2 };
enum class WaitMode : std::uint8_t { Seconds = 0, TimeOfDay = 1 };
// As written: keys and Unicode events as the text gives them. Key presses:
// physical keys of the target layout (remote desktops, virtual machines).
enum class Delivery : std::uint8_t { Written = 0, KeyPresses = 1 };

struct RunSettings {
    InputMode iInputMode = InputMode::Keyboard;
    WaitMode iWaitMode = WaitMode::Seconds;
    std::int32_t iWaitSec = 5;
    std::int32_t iTimeHour = 0;
    std::int32_t iTimeMin = 0;
    std::int32_t iTimeSec = 0;
    std::int32_t iWaitMSec = 20;
    // Compared as unsigned: the edit box shows it unsigned, so -1 reads as
    // 4294967295 passes. 0 means endless.
    std::int32_t iLoopNum = 1;
    bool iErrorStop = false;
    bool iDisableTab = false;
    bool iDisableSpace = false;
    bool iDisableEnter = false;
    Delivery iDelivery = Delivery::Written;
    // 0 the local layout, else a built-in table or an installed layout
    // (kLayoutLocal and its neighbours in keyboard_layout.h).
    std::uint32_t iTargetLayout = 0;
    // Sending waits while a window other than the destination (the one in
    // front at the first unit) is in the foreground.
    bool iFocusGuard = false;
};

} // namespace tapwell
