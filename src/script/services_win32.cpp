#include "script/services_win32.h"

#include "common/clipboard_win32.h"
#include "common/windows_glue_win32.h"
#include "script/services.h"

#include <windows.h>

namespace tapwell {

namespace {

// The clipboard is opened and closed within one call.
class OpenClipboardScope {
  public:
    explicit OpenClipboardScope(HWND owner) : open_(OpenClipboard(owner) != 0) {}
    ~OpenClipboardScope() {
        if (open_)
            CloseClipboard();
    }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
    bool isOpen() const { return open_; }

  private:
    bool open_;
};

} // namespace

bool Win32ScriptServices::sleep(std::uint32_t ms, const StopQuery& stop) {
    return interruptibleSleep(ms, stop);
}

LocalTime Win32ScriptServices::localTime() {
    SYSTEMTIME st;
    GetLocalTime(&st);
    return {st.wYear, st.wMonth,  st.wDayOfWeek, st.wDay,
            st.wHour, st.wMinute, st.wSecond,    st.wMilliseconds};
}

std::uint32_t Win32ScriptServices::tickCount() {
    return GetTickCount();
}

std::int32_t Win32ScriptServices::systemMetrics(std::int32_t index) {
    return GetSystemMetrics(index);
}

std::int32_t Win32ScriptServices::messageBeep(std::uint32_t type) {
    return MessageBeep(type);
}

std::optional<CursorPosition> Win32ScriptServices::cursorPosition() {
    POINT p;
    if (!GetCursorPos(&p))
        return std::nullopt;
    return CursorPosition{p.x, p.y};
}

std::int32_t Win32ScriptServices::setCursorPosition(std::int32_t x, std::int32_t y) {
    return SetCursorPos(x, y);
}

void Win32ScriptServices::mouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy,
                                     std::int32_t data) {
    mouse_event(flags, static_cast<DWORD>(dx), static_cast<DWORD>(dy), static_cast<DWORD>(data), 0);
}

std::optional<std::u16string> Win32ScriptServices::clipboardText(OwnerWindow owner) {
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT))
        return std::nullopt;
    OpenClipboardScope clipboard(owner ? static_cast<HWND>(owner) : fallbackClipboardOwner_);
    if (!clipboard.isOpen())
        return std::nullopt;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (!data)
        return std::nullopt;
    const auto* units = static_cast<const char16_t*>(GlobalLock(data));
    if (!units)
        return std::nullopt;
    // Another program may have put a block without its terminating zero:
    // never read past the block.
    const std::size_t capacity = GlobalSize(data) / sizeof(char16_t);
    std::size_t length = 0;
    while (length < capacity && units[length] != 0)
        ++length;
    std::u16string text;
    try {
        text.assign(units, length);
    } catch (...) {
        // Out of memory ends the script; the block must not stay locked.
        GlobalUnlock(data);
        throw;
    }
    GlobalUnlock(data);
    return text;
}

bool Win32ScriptServices::setClipboardText(OwnerWindow owner, std::u16string_view text) {
    HWND window = owner ? static_cast<HWND>(owner) : fallbackClipboardOwner_;
    return writeClipboardText(window, text) == ClipboardResult::Done;
}

std::optional<std::u16string> Win32ScriptServices::environmentVariable(std::u16string_view name) {
    return tapwell::environmentVariable(name);
}

bool Win32ScriptServices::setEnvironmentVariable(std::u16string_view name,
                                                 std::u16string_view value) {
    const std::u16string n(name), v(value);
    return SetEnvironmentVariableW(wide(n), wide(v)) != 0;
}

ScriptServices& systemScriptServices() {
    static Win32ScriptServices services;
    return services;
}

} // namespace tapwell
