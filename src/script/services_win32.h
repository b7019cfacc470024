// The script's system services on Windows: real waits, time, cursor, mouse
// events, clipboard and environment.
#pragma once

#include "script/services.h"

#include <windows.h>

namespace tapwell {

class Win32ScriptServices : public ScriptServices {
  public:
    // The clipboard is opened with the run's owner window; a run without one
    // (the command-line tool) uses `fallbackClipboardOwner`, a window of the
    // thread that runs the script.
    explicit Win32ScriptServices(HWND fallbackClipboardOwner = nullptr)
        : fallbackClipboardOwner_(fallbackClipboardOwner) {}

    bool sleep(std::uint32_t ms, const StopQuery& stop) override;
    LocalTime localTime() override;
    std::uint32_t tickCount() override;
    std::int32_t systemMetrics(std::int32_t index) override;
    std::int32_t messageBeep(std::uint32_t type) override;
    std::optional<CursorPosition> cursorPosition() override;
    std::int32_t setCursorPosition(std::int32_t x, std::int32_t y) override;
    void mouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy,
                    std::int32_t data) override;
    std::optional<std::u16string> clipboardText(OwnerWindow owner) override;
    bool setClipboardText(OwnerWindow owner, std::u16string_view text) override;
    std::optional<std::u16string> environmentVariable(std::u16string_view name) override;
    bool setEnvironmentVariable(std::u16string_view name, std::u16string_view value) override;

  private:
    HWND fallbackClipboardOwner_;
};

// The process's services with no fallback owner; they keep no other state,
// so one instance serves every run that has an owner window.
ScriptServices& systemScriptServices();

} // namespace tapwell
