#include "keystroke/keystroke_win32.h"

#include <windows.h>

#include <memory>
#include <optional>

namespace tapwell {

namespace {

// The mandatory integrity level of a token: the last sub-authority of its
// label (0x2000 medium, 0x3000 high, ...).
std::optional<DWORD> integrityLevel(HANDLE token) {
    DWORD size = 0;
    GetTokenInformation(token, TokenIntegrityLevel, nullptr, 0, &size);
    if (size == 0)
        return std::nullopt;
    auto buffer = std::make_unique<BYTE[]>(size);
    if (!GetTokenInformation(token, TokenIntegrityLevel, buffer.get(), size, &size))
        return std::nullopt;
    const auto* label = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer.get());
    const UCHAR count = *GetSidSubAuthorityCount(label->Label.Sid);
    if (count == 0)
        return std::nullopt;
    return *GetSidSubAuthority(label->Label.Sid, count - 1u);
}

std::optional<DWORD> ownLevel() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return std::nullopt;
    std::optional<DWORD> level = integrityLevel(token);
    CloseHandle(token);
    return level;
}

// Whether the program with process id `pid` runs above `own`.
bool runsAbove(DWORD pid, DWORD own) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!process)
        return false;
    HANDLE token = nullptr;
    bool above = false;
    if (OpenProcessToken(process, TOKEN_QUERY, &token)) {
        std::optional<DWORD> level = integrityLevel(token);
        above = level && *level > own;
        CloseHandle(token);
    } else {
        // A program of the same user whose token this one may not even read
        // runs elevated: that is the case Windows shields from our input.
        above = GetLastError() == ERROR_ACCESS_DENIED;
    }
    CloseHandle(process);
    return above;
}

} // namespace

WindowId Win32InputDestination::foregroundWindow() {
    return reinterpret_cast<WindowId>(GetForegroundWindow());
}

bool Win32InputDestination::refusesInput(WindowId window) {
    DWORD pid = 0;
    if (!GetWindowThreadProcessId(reinterpret_cast<HWND>(window), &pid) || pid == 0 ||
        pid == GetCurrentProcessId())
        return false;
    static const std::optional<DWORD> own = ownLevel();
    return own && runsAbove(pid, *own);
}

InputDestination& systemInputDestination() {
    static Win32InputDestination destination;
    return destination;
}

} // namespace tapwell
