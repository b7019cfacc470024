// What the script's built-ins need from the operating system, behind one
// interface: the Win32 implementation sends for real, the fake keeps a virtual
// clock, cursor, clipboard and environment (tests and the tool's dry run).
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tapwell {

// Fields of the local time as the platform reports them.
struct LocalTime {
    int year = 0;
    int month = 0;     // 1..12
    int dayOfWeek = 0; // 0 = Sunday .. 6 = Saturday
    int day = 0;       // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int milliseconds = 0;

    bool operator==(const LocalTime&) const = default;
};

struct CursorPosition {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// Asked while a wait is in progress; answers without consuming the request,
// so the statement boundary still sees it afterwards.
class StopQuery {
  public:
    virtual ~StopQuery() = default;
    virtual bool stopRequested() const = 0;
};

// Flags of the platform's mouse_event.
namespace mouse_flags {
inline constexpr std::uint32_t Move = 0x0001;
inline constexpr std::uint32_t LeftDown = 0x0002;
inline constexpr std::uint32_t LeftUp = 0x0004;
inline constexpr std::uint32_t RightDown = 0x0008;
inline constexpr std::uint32_t RightUp = 0x0010;
inline constexpr std::uint32_t MiddleDown = 0x0020;
inline constexpr std::uint32_t MiddleUp = 0x0040;
inline constexpr std::uint32_t XDown = 0x0080;
inline constexpr std::uint32_t XUp = 0x0100;
inline constexpr std::uint32_t Wheel = 0x0800;
} // namespace mouse_flags

// Window handles cross this interface as opaque pointers (an HWND on Windows).
using OwnerWindow = void*;

class ScriptServices {
  public:
    virtual ~ScriptServices() = default;

    // Waits `ms` milliseconds or until `stop` reports a stop request,
    // whichever comes first. Returns true when the wait was cut short.
    virtual bool sleep(std::uint32_t ms, const StopQuery& stop) = 0;
    virtual LocalTime localTime() = 0;
    // Milliseconds since system start, wrapping at 2^32.
    virtual std::uint32_t tickCount() = 0;
    virtual std::int32_t systemMetrics(std::int32_t index) = 0;
    // Non-zero on success, as the platform answers.
    virtual std::int32_t messageBeep(std::uint32_t type) = 0;

    // nullopt when the platform cannot tell.
    virtual std::optional<CursorPosition> cursorPosition() = 0;
    // Non-zero on success.
    virtual std::int32_t setCursorPosition(std::int32_t x, std::int32_t y) = 0;
    // One mouse_event call; `data` is the wheel amount or the X button number.
    virtual void mouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy,
                            std::int32_t data) = 0;

    // The clipboard's Unicode text; nullopt when there is none or the
    // clipboard cannot be opened with `owner`.
    virtual std::optional<std::u16string> clipboardText(OwnerWindow owner) = 0;
    // True when the clipboard now holds `text`.
    virtual bool setClipboardText(OwnerWindow owner, std::u16string_view text) = 0;

    // The process environment; nullopt when the variable is not set.
    virtual std::optional<std::u16string> environmentVariable(std::u16string_view name) = 0;
    virtual bool setEnvironmentVariable(std::u16string_view name, std::u16string_view value) = 0;
};

// A wait that a stop request ends early, shared by the real services.

// Sleeps up to `ms` milliseconds in short slices, looking at `stop` between
// them. Returns true when the stop request cut the wait short.
bool interruptibleSleep(std::uint32_t ms, const StopQuery& stop,
                        std::chrono::milliseconds slice = std::chrono::milliseconds(10));

} // namespace tapwell
