#include "win_driver.h"

#include <algorithm>
#include <cwctype>
#include <fstream>
#include <sstream>

namespace tapwell::e2e {

Process& Process::operator=(Process&& o) noexcept {
    if (this != &o) {
        kill();
        std::swap(handle_, o.handle_);
        std::swap(pid_, o.pid_);
    }
    return *this;
}

std::optional<Process> Process::start(const std::wstring& commandLine, const std::wstring& cwd) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring cmd = commandLine;
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        cwd.empty() ? nullptr : cwd.c_str(), &si, &pi))
        return std::nullopt;
    CloseHandle(pi.hThread);
    Process p;
    p.handle_ = pi.hProcess;
    p.pid_ = pi.dwProcessId;
    return p;
}

std::optional<DWORD> Process::wait(DWORD timeoutMs) {
    DWORD code = 0;
    if (!handle_ || WaitForSingleObject(handle_, timeoutMs) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(handle_, &code))
        return std::nullopt;
    return code;
}

void Process::kill() {
    if (!handle_)
        return;
    if (WaitForSingleObject(handle_, 0) != WAIT_OBJECT_0) {
        TerminateProcess(handle_, 99);
        WaitForSingleObject(handle_, 5000);
    }
    CloseHandle(handle_);
    handle_ = nullptr;
    pid_ = 0;
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
    std::wstring dir = std::wstring(tmp) + L"tapwell-" + tag + L"-" +
                       std::to_wstring(GetCurrentProcessId()) + L"-" +
                       std::to_wstring(GetTickCount());
    CreateDirectoryW(dir.c_str(), nullptr);
    return dir + L"\\";
}

std::wstring quote(const std::wstring& arg) {
    return L"\"" + arg + L"\"";
}

std::string toUtf8(const std::wstring& s) {
    const int size = static_cast<int>(s.size());
    std::string out(WideCharToMultiByte(CP_UTF8, 0, s.c_str(), size, nullptr, 0, nullptr, nullptr),
                    '\0');
    WideCharToMultiByte(CP_UTF8, 0, s.c_str(), size, out.data(), static_cast<int>(out.size()),
                        nullptr, nullptr);
    return out;
}

bool waitForFile(const std::wstring& path, DWORD timeoutMs) {
    for (DWORD start = GetTickCount(); GetTickCount() - start <= timeoutMs; Sleep(50))
        if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
            return true;
    return false;
}

std::string readFileBytes(const std::wstring& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path.c_str(), std::ios::binary).rdbuf();
    return bytes.str();
}

std::vector<std::string> readLines(const std::wstring& path) {
    std::istringstream in(readFileBytes(path));
    std::vector<std::string> lines;
    for (std::string l; std::getline(in, l);)
        lines.push_back(l.ends_with('\r') ? l.substr(0, l.size() - 1) : l);
    return lines;
}

std::wstring textOf(HWND window) {
    wchar_t buffer[4096] = {};
    DWORD_PTR got = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer), SMTO_BLOCK,
                        5000, &got);
    return buffer;
}

namespace {

// GetWindowText sends no message to another process's windows, which may be busy.
std::wstring windowText(HWND hwnd) {
    wchar_t buffer[1024] = {};
    GetWindowTextW(hwnd, buffer, 1024);
    return buffer;
}

std::wstring className(HWND hwnd) {
    wchar_t buf[256];
    return std::wstring(buf, static_cast<size_t>(std::max(0, GetClassNameW(hwnd, buf, 256))));
}

struct FindArgs {
    DWORD pid;
    const std::wstring& captionPart;
    const std::wstring& cls;
    HWND except;
    HWND found = nullptr;
};

BOOL CALLBACK findTop(HWND hwnd, LPARAM lp) {
    auto* a = reinterpret_cast<FindArgs*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (hwnd == a->except || !IsWindowVisible(hwnd) || (a->pid && pid != a->pid) ||
        (!a->cls.empty() && className(hwnd) != a->cls) ||
        windowText(hwnd).find(a->captionPart) == std::wstring::npos)
        return TRUE;
    a->found = hwnd;
    return FALSE;
}

HWND findWindow(DWORD pid, const std::wstring& caption, const std::wstring& cls, DWORD timeoutMs,
                HWND except) {
    for (DWORD start = GetTickCount();; Sleep(50)) {
        FindArgs a{pid, caption, cls, except};
        EnumWindows(findTop, reinterpret_cast<LPARAM>(&a));
        if (a.found || GetTickCount() - start > timeoutMs)
            return a.found;
    }
}

BOOL CALLBACK collectChild(HWND child, LPARAM lp) {
    auto* info = reinterpret_cast<MessageBoxInfo*>(lp);
    const std::wstring cls = className(child);
    std::wstring text = windowText(child);
    if (_wcsicmp(cls.c_str(), L"Button") == 0) {
        std::erase(text, L'&');
        info->buttons.push_back(text);
        info->buttonIds.push_back(GetDlgCtrlID(child));
    } else if (_wcsicmp(cls.c_str(), L"Static") == 0 && !text.empty() &&
               (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) {
        info->text += info->text.empty() ? text : L"\n" + text;
    }
    return TRUE;
}

} // namespace

HWND waitForWindow(DWORD pid, const std::wstring& captionPart, const std::wstring& cls,
                   DWORD timeoutMs) {
    return findWindow(pid, captionPart, cls, timeoutMs, nullptr);
}

std::optional<MessageBoxInfo> waitForMessageBox(DWORD pid, const std::wstring& captionPart,
                                                DWORD timeoutMs, HWND except) {
    HWND box = findWindow(pid, captionPart, L"#32770", timeoutMs, except);
    if (!box)
        return std::nullopt;
    Sleep(150); // let the box finish creating its children
    MessageBoxInfo info;
    info.hwnd = box;
    info.caption = windowText(box);
    EnumChildWindows(box, collectChild, reinterpret_cast<LPARAM>(&info));
    return info;
}

bool pressButton(const MessageBoxInfo& box, const std::wstring& label) {
    for (size_t i = 0; i < box.buttons.size(); ++i) {
        const std::wstring& b = box.buttons[i];
        if (b.size() == label.size() &&
            std::equal(b.begin(), b.end(), label.begin(),
                       [](wchar_t x, wchar_t y) { return std::towlower(x) == std::towlower(y); })) {
            const int id = box.buttonIds[i];
            PostMessageW(box.hwnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(box.hwnd, id)));
            return true;
        }
    }
    return false;
}

std::optional<Receiver> Receiver::start(const std::wstring& options) {
    Receiver r;
    r.log = makeScratchDir(L"receiver") + L"keys.log";
    auto p = Process::start(quote(hostPath(TAPWELL_RECEIVER_PATH)) + L" " + quote(r.log) +
                            L" --seconds 60 " + options);
    if (!p || !waitForFile(r.log + L".ready", 15000))
        return std::nullopt;
    r.proc = std::move(*p);
    return r;
}

std::vector<std::string> Receiver::stop() {
    Sleep(400);
    if (HWND w = waitForWindow(proc.pid(), L"", L"TapwellReceiver", 2000))
        PostMessageW(w, WM_CLOSE, 0, 0);
    proc.wait(5000);
    return lines();
}

std::optional<Tapwell> Tapwell::start(std::vector<std::wstring> ini,
                                      const std::wstring& arguments) {
    Tapwell t;
    const std::wstring folder = makeScratchDir(L"tapwell");
    const std::wstring exe = folder + L"tapwell.exe";
    std::ofstream file((folder + L"tapwell.ini").c_str(), std::ios::binary);
    file << "[TAPWELL]\r\n";
    for (const std::wstring& line : ini)
        file << toUtf8(line) << "\r\n";
    file.close();
    if (!file || !CopyFileW(hostPath(TAPWELL_EXE_PATH).c_str(), exe.c_str(), FALSE))
        return std::nullopt;
    SetEnvironmentVariableW(L"TPW_LANG", L"EN");
    auto p = Process::start(quote(exe) + L" /O " + arguments, folder);
    if (!p)
        return std::nullopt;
    t.process = std::move(*p);
    t.dialog = waitForWindow(t.process.pid(), L"", L"#32770", 20000);
    // The window shows half-way through its initialisation; a message that
    // has been answered means the initialisation is over.
    DWORD_PTR ignored = 0;
    if (!t.dialog || !SendMessageTimeoutW(t.dialog, WM_NULL, 0, 0, SMTO_BLOCK, 10000, &ignored))
        return std::nullopt;
    return t;
}

void Tapwell::setText(int id, const std::wstring& text) const {
    SendMessageW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Tapwell::command(int id) const {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

} // namespace tapwell::e2e
