// Helpers for end-to-end tests under Wine: start and stop programs, wait for
// files and windows, read and answer message boxes.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace tapwell::e2e {

class Process {
public:
    Process() = default;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    Process(Process&& o) noexcept;
    Process& operator=(Process&& o) noexcept;
    ~Process(); // kills a process that is still running

    // Starts `commandLine` (program path quoted as needed) in `cwd` (or ours).
    static std::optional<Process> start(const std::wstring& commandLine,
                                        const std::wstring& cwd = {});
    // Exit code, or nullopt when still running after `timeoutMs`.
    std::optional<DWORD> wait(DWORD timeoutMs);
    void kill();
    DWORD pid() const { return pid_; }
    HANDLE handle() const { return handle_; }

private:
    HANDLE handle_ = nullptr;
    DWORD pid_ = 0;
};

// Folder of the running test executable (with a trailing backslash).
std::wstring exeDir();
// A new empty folder under the temp directory.
std::wstring makeScratchDir(const std::wstring& tag);
std::wstring quote(const std::wstring& arg);

bool waitForFile(const std::wstring& path, DWORD timeoutMs);
std::string readFileBytes(const std::wstring& path);
std::vector<std::string> readLines(const std::wstring& path);

// First visible top-level window of `pid` (0: any process) whose caption
// contains `captionPart` (empty: any) and whose class is `className` (empty: any).
HWND waitForWindow(DWORD pid, const std::wstring& captionPart, const std::wstring& className,
                   DWORD timeoutMs);
std::wstring windowText(HWND hwnd);

struct MessageBoxInfo {
    HWND hwnd = nullptr;
    std::wstring caption;
    std::wstring text;
    std::vector<std::wstring> buttons; // labels without the & markers
    std::vector<int> buttonIds;
};

// A standard message box (dialog class #32770 with buttons) owned by `pid`
// (0: any) whose caption contains `captionPart` (empty: any).
std::optional<MessageBoxInfo> waitForMessageBox(DWORD pid, const std::wstring& captionPart,
                                                DWORD timeoutMs);
// Presses the button whose label equals `label` (case-insensitive, & ignored).
bool pressButton(const MessageBoxInfo& box, const std::wstring& label);

std::string toUtf8(const std::wstring& s);

} // namespace tapwell::e2e
