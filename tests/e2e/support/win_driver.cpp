#include "win_driver.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace tapwell::e2e {

std::optional<Process> Process::start(std::wstring commandLine, const std::wstring& cwd) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        cwd.empty() ? nullptr : cwd.c_str(), &si, &pi))
        return std::nullopt;
    CloseHandle(pi.hThread);
    Process p;
    p.handle_.reset(pi.hProcess, [](HANDLE h) {
        if (WaitForSingleObject(h, 0) != WAIT_OBJECT_0 && TerminateProcess(h, 99))
            WaitForSingleObject(h, 5000);
        CloseHandle(h);
    });
    p.pid_ = pi.dwProcessId;
    return p;
}

std::optional<DWORD> Process::wait(DWORD timeoutMs) {
    DWORD code = 0;
    const bool ended = WaitForSingleObject(handle_.get(), timeoutMs) == WAIT_OBJECT_0;
    return ended && GetExitCodeProcess(handle_.get(), &code) ? std::optional(code) : std::nullopt;
}

std::wstring hostPath(const char* unixPath) {
    std::wstring path = L"Z:";
    for (const char* c = unixPath; *c; ++c)
        path.push_back(*c == '/' ? L'\\' : static_cast<wchar_t>(*c));
    return path;
}

std::wstring makeScratchDir(const std::wstring& tag) {
    wchar_t tmp[MAX_PATH];
    GetTempPathW(MAX_PATH, tmp);
    const std::wstring dir = std::wstring(tmp) + L"tapwell-" + tag + L"-" +
                             std::to_wstring(GetCurrentProcessId()) + L"-" +
                             std::to_wstring(GetTickCount()) + L"\\";
    CreateDirectoryW(dir.c_str(), nullptr);
    return dir;
}

std::string toUtf8(const std::wstring& s) {
    std::string out(s.size() * 3, '\0');
    out.resize(WideCharToMultiByte(CP_UTF8, 0, s.c_str(), static_cast<int>(s.size()), out.data(),
                                   static_cast<int>(out.size()), nullptr, nullptr));
    return out;
}

std::wstring quote(const std::wstring& arg) {
    return L"\"" + arg + L"\"";
}

bool exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring textOf(HWND window) {
    wchar_t buffer[4096] = {};
    DWORD_PTR got = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer), SMTO_BLOCK,
                        5000, &got);
    return buffer;
}

// GetWindowText sends no message to another process's windows, which may be busy.
static std::wstring windowText(HWND hwnd) {
    wchar_t buffer[1024] = {};
    GetWindowTextW(hwnd, buffer, 1024);
    return buffer;
}

HWND waitForWindow(DWORD pid, const std::wstring& captionPart, const std::wstring& cls,
                   DWORD timeoutMs, HWND except) {
    HWND found = nullptr;
    waitUntil(
        [&] {
            while ((found = FindWindowExW(nullptr, found, cls.empty() ? nullptr : cls.c_str(),
                                          nullptr))) {
                DWORD owner = 0;
                GetWindowThreadProcessId(found, &owner);
                if (found != except && IsWindowVisible(found) && (!pid || owner == pid) &&
                    windowText(found).find(captionPart) != std::wstring::npos)
                    return true;
            }
            return false;
        },
        timeoutMs);
    return found;
}

std::optional<MessageBoxInfo> waitForMessageBox(DWORD pid, const std::wstring& captionPart,
                                                DWORD timeoutMs, HWND except) {
    MessageBoxInfo info;
    info.hwnd = waitForWindow(pid, captionPart, L"#32770", timeoutMs, except);
    if (!info.hwnd)
        return std::nullopt;
    Sleep(150); // let the box finish creating its children
    info.caption = windowText(info.hwnd);
    for (HWND s = nullptr; (s = FindWindowExW(info.hwnd, s, L"Static", nullptr));) {
        const std::wstring text = windowText(s);
        if (!text.empty() && (GetWindowLongW(s, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
            info.text += info.text.empty() ? text : L"\n" + text;
    }
    return info;
}

bool pressButton(const MessageBoxInfo& box, const std::wstring& label) {
    for (HWND b = nullptr; (b = FindWindowExW(box.hwnd, b, L"Button", nullptr));) {
        std::wstring text = windowText(b);
        std::erase(text, L'&');
        if (_wcsicmp(text.c_str(), label.c_str()) == 0)
            return PostMessageW(box.hwnd, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(b), BN_CLICKED),
                                reinterpret_cast<LPARAM>(b));
    }
    return false;
}

std::optional<Receiver> Receiver::start(const std::wstring& options) {
    Receiver r;
    r.log = makeScratchDir(L"receiver") + L"keys.log";
    auto p = Process::start(quote(hostPath(TAPWELL_RECEIVER_PATH)) + L" " + quote(r.log) +
                            L" --seconds 60 " + options);
    if (!p || !waitUntil([&] { return exists(r.log + L".ready"); }, 15000))
        return std::nullopt;
    r.proc = std::move(*p);
    return r;
}

std::string readFileBytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> Receiver::lines() const {
    std::ifstream in(log.c_str(), std::ios::binary);
    std::vector<std::string> lines;
    for (std::string l; std::getline(in, l);) // the receiver writes text-mode CRLF lines
        lines.push_back(l.ends_with('\r') ? l.substr(0, l.size() - 1) : l);
    return lines;
}

std::optional<Tapwell> Tapwell::start(std::vector<std::wstring> ini,
                                      const std::wstring& arguments) {
    const std::wstring folder = makeScratchDir(L"tapwell"), exe = folder + L"tapwell.exe";
    std::string lines = "[TAPWELL]\r\n";
    for (const std::wstring& line : ini)
        lines += toUtf8(line) + "\r\n";
    std::ofstream((folder + L"tapwell.ini").c_str(), std::ios::binary) << lines;
    if (!CopyFileW(hostPath(TAPWELL_EXE_PATH).c_str(), exe.c_str(), FALSE))
        return std::nullopt;
    SetEnvironmentVariableW(L"TPW_LANG", L"EN");
    auto p = Process::start(quote(exe) + L" /O " + arguments, folder);
    HWND dialog = p ? waitForWindow(p->pid(), L"", L"#32770", 20000) : nullptr;
    // The window shows half-way through its initialisation; a message that
    // has been answered means the initialisation is over.
    DWORD_PTR ignored = 0;
    if (!dialog || !SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_BLOCK, 10000, &ignored))
        return std::nullopt;
    return Tapwell{std::move(*p), dialog};
}

bool putOnClipboard(const std::wstring& text) {
    if (!waitUntil([] { return OpenClipboard(nullptr) != FALSE; }, 2000))
        return false;
    EmptyClipboard();
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    auto* p = static_cast<wchar_t*>(GlobalLock(data));
    std::copy(text.c_str(), text.c_str() + text.size() + 1, p);
    GlobalUnlock(data);
    const bool ok = SetClipboardData(CF_UNICODETEXT, data) != nullptr;
    CloseClipboard();
    return ok;
}

std::wstring clipboardText() {
    waitUntil([] { return OpenClipboard(nullptr) != FALSE; }, 1000);
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const auto* p = static_cast<const wchar_t*>(data ? GlobalLock(data) : nullptr);
    const std::wstring text = p ? p : L"";
    if (p)
        GlobalUnlock(data);
    CloseClipboard();
    return text;
}

// Wine cannot wait for a Linux process: the shell leaves a file once the keys
// have gone out. A search meeting a window that closes fails and is retried.
bool pressKeysIn(const std::wstring& title, const std::wstring& keys, bool mouse) {
    const std::wstring mark = L"/tmp/tapwell-keys-" + std::to_wstring(GetTickCount());
    const std::wstring action = mouse ? L" mousemove --window %1 60 60 " : L" windowfocus key ";
    auto p =
        Process::start(L"Z:\\bin\\sh -c \"for i in 1 2 3 4 5; do xdotool search --name " + title +
                       action + keys + L" && touch " + mark + L" && break; sleep 0.1; done\"");
    const std::wstring windowsMark = hostPath(toUtf8(mark).c_str());
    const bool sent = p && waitUntil([&] { return exists(windowsMark); }, 10000);
    DeleteFileW(windowsMark.c_str());
    return sent;
}

} // namespace tapwell::e2e
