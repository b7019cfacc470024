// Helpers for end-to-end and Windows-side tests under Wine: programs, files,
// windows, message boxes, real key presses, the clipboard, the key-logging
// receiver window and tapwell.exe's main dialog.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tapwell::e2e {

// A started program, killed if still running when the last copy goes.
class Process {
  public:
    static std::optional<Process> start(std::wstring commandLine, const std::wstring& cwd = {});
    // Exit code, or nullopt when still running after `timeoutMs`.
    std::optional<DWORD> wait(DWORD timeoutMs);
    DWORD pid() const { return pid_; }

  private:
    std::shared_ptr<void> handle_;
    DWORD pid_ = 0;
};

// A build machine's path as Wine sees it: Z: and backslashes.
std::wstring hostPath(const char* unixPath);
// A new empty folder under the temp directory, with a trailing backslash.
std::wstring makeScratchDir(const std::wstring& tag);
std::wstring quote(const std::wstring& arg);
std::string toUtf8(const std::wstring& s);
bool exists(const std::wstring& path);
std::string readFileBytes(const std::wstring& path);
// WM_GETTEXT, which works for edits of another process too.
std::wstring textOf(HWND window);

template <class F> bool waitUntil(F predicate, DWORD timeoutMs) {
    for (DWORD start = GetTickCount(); GetTickCount() - start <= timeoutMs; Sleep(20))
        if (predicate())
            return true;
    return predicate();
}

// The first visible top-level window of `pid` (0: any) but `except` with
// `captionPart` in its caption and of class `className` (empty: any).
HWND waitForWindow(DWORD pid, const std::wstring& captionPart, const std::wstring& className,
                   DWORD timeoutMs, HWND except = nullptr);

// A message box (dialog class) as waitForWindow finds it; its texts one a line.
struct MessageBoxInfo {
    HWND hwnd = nullptr;
    std::wstring caption, text;
};
std::optional<MessageBoxInfo> waitForMessageBox(DWORD pid, const std::wstring& captionPart,
                                                DWORD timeoutMs, HWND except = nullptr);
// Presses the button whose label equals `label` (case-insensitive, & ignored).
bool pressButton(const MessageBoxInfo& box, const std::wstring& label);

// receiver.exe with `options` (e.g. L"--scan"), holding the focus, logging
// the key and character messages it gets ("keydown 65", "char 97").
struct Receiver {
    std::wstring log;
    Process proc;
    static std::optional<Receiver> start(const std::wstring& options = {});
    std::vector<std::string> lines() const;
    // The whole log once the last events are in; the receiver ends.
    std::vector<std::string> stop() {
        Sleep(400);
        proc = {};
        return lines();
    }
};

// tapwell.exe copied into a scratch folder beside an ini file of `ini` lines
// (e.g. L"iWaitSec=2"), started with /O and `arguments`, in English.
struct Tapwell {
    Process process;
    HWND dialog = nullptr; // the main dialog, once initialised
    static std::optional<Tapwell> start(std::vector<std::wstring> ini,
                                        const std::wstring& arguments = {});
    void setText(int id, const std::wstring& s) const { SetDlgItemTextW(dialog, id, s.c_str()); }
    void command(int id) const { PostMessageW(dialog, WM_COMMAND, id, 0); }
};

// Puts `text` on the clipboard as the user's copy would; false when the
// clipboard could not be had.
bool putOnClipboard(const std::wstring& text);
// The clipboard's text, empty when it holds none.
std::wstring clipboardText();

// `keys` (xdotool's names, e.g. L"Escape") pressed and released in the window
// titled `title` as the user would, through X: Wine's hooks see them as real.
// With `mouse`, `keys` are xdotool's mouse actions (e.g. L"click 1"), done
// with the pointer moved into that window.
bool pressKeysIn(const std::wstring& title, const std::wstring& keys, bool mouse = false);

// Dispatches this thread's messages until `done` holds or `timeoutMs` has
// passed; returns `done()`.
template <class F> bool pumpUntil(F done, DWORD timeoutMs) {
    for (const DWORD start = GetTickCount(); GetTickCount() - start <= timeoutMs;) {
        if (done())
            return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        for (MSG m; PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE);) {
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
    }
    return done();
}

} // namespace tapwell::e2e
