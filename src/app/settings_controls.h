// The main dialog's controls that a save takes the settings from, seen
// through a narrow interface so the save rules run without a window.
#pragma once

#include <cstdint>

namespace tapwell {

namespace settings_control {
inline constexpr int kModeKeyboard = 1001;   // radio, mode 0
inline constexpr int kModeUnicode = 1002;    // radio, mode 1 (1020 is mode 2)
inline constexpr int kBigDialog = 1005;      // check box, Japanese template only
inline constexpr int kWaitAfterStart = 1006; // radio, wait mode 0 (1007 is mode 1)
inline constexpr int kWaitSec = 1008;
inline constexpr int kTimeHour = 1010;
inline constexpr int kTimeMin = 1014;
inline constexpr int kTimeSec = 1017;
inline constexpr int kWaitMSec = 1021;
inline constexpr int kLoopNum = 1024;
} // namespace settings_control

class SettingsControls {
  public:
    virtual ~SettingsControls() = default;
    // A check box or radio button; a control the dialog lacks is unchecked.
    virtual bool isChecked(int controlId) const = 0;
    // An edit box read as an unsigned number (0 when it holds none).
    virtual std::uint32_t readNumber(int controlId) const = 0;
    virtual void writeNumber(int controlId, std::uint32_t value) = 0;
};

} // namespace tapwell
