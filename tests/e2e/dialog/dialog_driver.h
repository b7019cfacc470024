// Starting tapwell.exe in a scratch folder (ini file, never the registry) and
// reading and driving its main dialog from another process.
#pragma once

#include "support/win_driver.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace tapwell::e2e {

struct TapwellOptions {
    bool japanese = false;
    // Lines of the [TAPWELL] section, e.g. L"iWaitSec=2".
    std::vector<std::wstring> ini;
    std::wstring arguments; // after /O
};

inline TapwellOptions options(bool japanese, std::vector<std::wstring> ini = {},
                              std::wstring arguments = {}) {
    return {japanese, std::move(ini), std::move(arguments)};
}

class Tapwell {
  public:
    // Copies tapwell.exe into a new scratch folder with its ini file, starts
    // it with /O and waits for the main dialog. The light menu bar is forced
    // unless `dark` (the system setting is restored by the destructor).
    static std::optional<Tapwell> start(const std::wstring& tag, const TapwellOptions& options,
                                        bool dark = false);
    Tapwell(Tapwell&&) = default;
    Tapwell& operator=(Tapwell&&) = default;
    ~Tapwell();

    HWND dialog() const { return dialog_; }
    HWND control(int id) const { return GetDlgItem(dialog_, id); }
    Process& process() { return process_; }
    const Process& process() const { return process_; }
    const std::wstring& folder() const { return folder_; }

    std::wstring title() const;
    // WM_GETTEXT, which works for edits of another process too.
    std::wstring text(int id) const;
    void setText(int id, const std::wstring& text) const;
    bool enabled(int id) const;
    void click(int id) const;          // BM_CLICK, waits for it
    void command(int id) const;        // WM_COMMAND posted
    void commandAndWait(int id) const; // WM_COMMAND sent
    std::wstring iniText() const;

  private:
    Tapwell() = default;
    Process process_;
    HWND dialog_ = nullptr;
    std::wstring folder_;
    std::optional<DWORD> savedLightTheme_;
    bool restoreTheme_ = false;
};

std::wstring textOf(HWND window);
// Polls `predicate` every 50 ms up to `timeoutMs`.
template <class F> bool waitUntil(F predicate, DWORD timeoutMs) {
    const DWORD end = GetTickCount() + timeoutMs;
    do {
        if (predicate())
            return true;
        Sleep(50);
    } while (static_cast<int>(end - GetTickCount()) > 0);
    return predicate();
}

// A message box of the program's process other than its main dialog.
std::optional<MessageBoxInfo> waitForBox(const Tapwell& app, DWORD timeoutMs);

struct Receiver {
    std::wstring log;
    Process proc;
};
// The key-logging window, holding the focus for `holdMs`; `scanCodes` adds
// each key message's scan code to its line ("keydown 65 sc 1E"); `title` (no
// spaces, so that X tools can find it by name) or the receiver's own.
std::optional<Receiver> startReceiver(const std::wstring& tag, DWORD holdMs, bool scanCodes = false,
                                      const std::wstring& title = {});
std::vector<std::string> stopReceiver(Receiver& receiver);

} // namespace tapwell::e2e
