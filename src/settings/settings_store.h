// Where the settings persist: one 32-bit integer per name. The registry and
// the ini file implement it on Windows; tests use an in-memory store.
#pragma once

#include "resource.h"

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace tapwell {

enum class StoreWriteResult {
    Ok,
    OpenFailed,  // the store itself could not be opened or created
    WriteFailed, // the store opened but refused the value
};

class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    // The stored value, or `fallback` when the store, key or value is missing
    // or unreadable. Never creates anything.
    virtual std::int32_t readInteger(std::u16string_view name, std::int32_t fallback) = 0;
    virtual StoreWriteResult writeInteger(std::u16string_view name, std::int32_t value) = 0;
};

// A settings store held in memory, with failures that can be switched on:
// the store behind tests and any build without a registry.

class MemorySettingsStore : public SettingsStore {
  public:
    std::int32_t readInteger(std::u16string_view name, std::int32_t fallback) override;
    StoreWriteResult writeInteger(std::u16string_view name, std::int32_t value) override;

    std::map<std::u16string, std::int32_t, std::less<>> values;
    // When set, every write fails this way; otherwise only the names listed.
    std::optional<StoreWriteResult> failAllWrites;
    std::set<std::u16string, std::less<>> failingNames;
    // Every write attempted, in order.
    std::vector<std::u16string> writeLog;
};

// The main dialog's controls that a save takes the settings from, seen
// through a narrow interface so the save rules run without a window.

namespace settings_control {
inline constexpr int kModeKeyboard = IDC_MODE_KEYBOARD;
inline constexpr int kModeUnicode = IDC_MODE_UNICODE;        // neither radio: script mode
inline constexpr int kBigDialog = IDC_BIG_DIALOG;            // Japanese template only
inline constexpr int kWaitAfterStart = IDC_WAIT_AFTER_START; // else a clock time
inline constexpr int kWaitSec = IDC_WAIT_SEC;
inline constexpr int kTimeHour = IDC_TIME_HOUR;
inline constexpr int kTimeMin = IDC_TIME_MIN;
inline constexpr int kTimeSec = IDC_TIME_SEC;
inline constexpr int kWaitMSec = IDC_INTERVAL;
inline constexpr int kLoopNum = IDC_LOOP;
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

// Turning a registry value's type and bytes into a setting's integer.

// The registry's value type codes.
enum class RegistryValueType : std::uint32_t {
    None = 0,
    String = 1,
    ExpandString = 2,
    Binary = 3,
    Dword = 4,
    DwordBigEndian = 5,
    Link = 6,
    MultiString = 7,
    Qword = 11,
};

// The most bytes a read accepts: a number needs a few dozen, and a larger
// value is as unreadable as any other bad one (but could exhaust memory).
inline constexpr std::uint32_t kLargestRegistryValue = 64;

// A text is a number when its first character is "+", "-" or a digit and
// every later one a digit; a lone sign is 0. Numbers that do not fit in 32
// signed bits are refused rather than wrapped.
std::optional<std::int32_t> parseRegistryIntegerText(std::u16string_view text);

// `data` is the value as stored (text types as UTF-16LE bytes, their
// terminating zero optional). Numeric types take their first four bytes,
// missing bytes as 0. Anything unreadable gives `fallback`.
std::int32_t decodeRegistryInteger(std::uint32_t type, std::string_view data,
                                   std::int32_t fallback);

} // namespace tapwell
