// Helpers for end-to-end tests under Wine: programs, files, windows, message
// boxes, the key-logging receiver window and tapwell.exe's main dialog.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace tapwell::e2e {

class Process {
  public:
    Process() = default;
    Process(Process&& o) noexcept { *this = std::move(o); }
    Process& operator=(Process&& o) noexcept;
    ~Process() { kill(); } // a process still running is killed
    // Starts `commandLine` (program path quoted as needed) in `cwd` (or ours).
    static std::optional<Process> start(const std::wstring& commandLine,
                                        const std::wstring& cwd = {});
    // Exit code, or nullopt when still running after `timeoutMs`.
    std::optional<DWORD> wait(DWORD timeoutMs);
    void kill();
    DWORD pid() const { return pid_; }

  private:
    HANDLE handle_ = nullptr;
    DWORD pid_ = 0;
};

// A build machine's path as Wine sees it: Z: and backslashes.
std::wstring hostPath(const char* unixPath);
// A new empty folder under the temp directory (with a trailing backslash).
std::wstring makeScratchDir(const std::wstring& tag);
std::wstring quote(const std::wstring& arg);
std::string toUtf8(const std::wstring& s);
bool waitForFile(const std::wstring& path, DWORD timeoutMs);
std::string readFileBytes(const std::wstring& path);
std::vector<std::string> readLines(const std::wstring& path);
// WM_GETTEXT, which works for edits of another process too.
std::wstring textOf(HWND window);

// Polls `predicate` every 20 ms up to `timeoutMs`.
template <class F> bool waitUntil(F predicate, DWORD timeoutMs) {
    for (DWORD start = GetTickCount(); GetTickCount() - start <= timeoutMs; Sleep(20))
        if (predicate())
            return true;
    return predicate();
}

// First visible top-level window of `pid` (0: any process) whose caption
// contains `captionPart` and whose class is `className` (empty: any).
HWND waitForWindow(DWORD pid, const std::wstring& captionPart, const std::wstring& className,
                   DWORD timeoutMs);

struct MessageBoxInfo {
    HWND hwnd = nullptr;
    std::wstring caption;
    std::wstring text;
    std::vector<std::wstring> buttons; // labels without the & markers
    std::vector<int> buttonIds;
};

// A dialog-class window (a message box) of `pid` (0: any) whose caption
// contains `captionPart`, other than `except`.
std::optional<MessageBoxInfo> waitForMessageBox(DWORD pid, const std::wstring& captionPart,
                                                DWORD timeoutMs, HWND except = nullptr);
// Presses the button whose label equals `label` (case-insensitive, & ignored).
bool pressButton(const MessageBoxInfo& box, const std::wstring& label);

// receiver.exe logging the key and character messages it gets to a file,
// one line each ("keydown 65", "char 97").
struct Receiver {
    std::wstring log;
    Process proc;
    // Starts it with `options` (e.g. L"--scan") and waits until it holds the focus.
    static std::optional<Receiver> start(const std::wstring& options = {});
    std::vector<std::string> lines() const { return readLines(log); }
    // Closes the window once the last events have arrived; the whole log.
    std::vector<std::string> stop();
};

inline constexpr const wchar_t* kIdleTitle = L"Davudiru Dodovizar";

// tapwell.exe copied into a scratch folder beside an ini file of `ini` lines
// (e.g. L"iWaitSec=2"), started with /O and `arguments`, in English.
struct Tapwell {
    Process process;
    HWND dialog = nullptr; // the main dialog, once initialised
    static std::optional<Tapwell> start(std::vector<std::wstring> ini,
                                        const std::wstring& arguments = {});
    std::wstring text(int id) const { return textOf(GetDlgItem(dialog, id)); }
    void setText(int id, const std::wstring& text) const;
    void command(int id) const; // WM_COMMAND posted
    // A message box of the program other than its main dialog.
    std::optional<MessageBoxInfo> waitForBox(DWORD timeoutMs) {
        return waitForMessageBox(process.pid(), L"", timeoutMs, dialog);
    }
};

} // namespace tapwell::e2e
