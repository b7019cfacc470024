#include "win_driver.h"

#include <cwctype>
#include <fstream>
#include <iterator>
#include <sstream>

namespace tapwell::e2e {

Process::Process(Process&& o) noexcept : handle_(o.handle_), pid_(o.pid_) {
    o.handle_ = nullptr;
    o.pid_ = 0;
}

Process& Process::operator=(Process&& o) noexcept {
    if (this != &o) {
        kill();
        handle_ = o.handle_;
        pid_ = o.pid_;
        o.handle_ = nullptr;
        o.pid_ = 0;
    }
    return *this;
}

Process::~Process() { kill(); }

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
    if (!handle_)
        return std::nullopt;
    if (WaitForSingleObject(handle_, timeoutMs) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(handle_, &code);
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

std::wstring exeDir() {
    wchar_t buf[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, buf, MAX_PATH);
    std::wstring p(buf, n);
    return p.substr(0, p.find_last_of(L"\\/") + 1);
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

std::wstring quote(const std::wstring& arg) { return L"\"" + arg + L"\""; }

bool waitForFile(const std::wstring& path, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(50);
    }
    return true;
}

std::string readFileBytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> readLines(const std::wstring& path) {
    std::istringstream ss(readFileBytes(path));
    std::vector<std::string> lines;
    for (std::string l; std::getline(ss, l);) {
        if (!l.empty() && l.back() == '\r')
            l.pop_back();
        lines.push_back(l);
    }
    return lines;
}

std::wstring windowText(HWND hwnd) {
    int n = GetWindowTextLengthW(hwnd);
    std::wstring s(static_cast<size_t>(n) + 1, L'\0');
    GetWindowTextW(hwnd, s.data(), n + 1);
    s.resize(static_cast<size_t>(n));
    return s;
}

namespace {

std::wstring className(HWND hwnd) {
    wchar_t buf[256];
    int n = GetClassNameW(hwnd, buf, 256);
    return std::wstring(buf, static_cast<size_t>(n > 0 ? n : 0));
}

struct FindArgs {
    DWORD pid;
    const std::wstring* captionPart;
    const std::wstring* cls;
    HWND found = nullptr;
};

BOOL CALLBACK findTop(HWND hwnd, LPARAM lp) {
    auto* a = reinterpret_cast<FindArgs*>(lp);
    if (!IsWindowVisible(hwnd))
        return TRUE;
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (a->pid && pid != a->pid)
        return TRUE;
    if (!a->cls->empty() && className(hwnd) != *a->cls)
        return TRUE;
    if (!a->captionPart->empty() && windowText(hwnd).find(*a->captionPart) == std::wstring::npos)
        return TRUE;
    a->found = hwnd;
    return FALSE;
}

std::wstring stripAmpersands(const std::wstring& s) {
    std::wstring out;
    for (wchar_t c : s)
        if (c != L'&')
            out.push_back(c);
    return out;
}

bool sameLabel(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::towlower(a[i]) != std::towlower(b[i]))
            return false;
    return true;
}

BOOL CALLBACK collectChild(HWND child, LPARAM lp) {
    auto* info = reinterpret_cast<MessageBoxInfo*>(lp);
    std::wstring cls = className(child);
    if (_wcsicmp(cls.c_str(), L"Button") == 0) {
        info->buttons.push_back(stripAmpersands(windowText(child)));
        info->buttonIds.push_back(GetDlgCtrlID(child));
    } else if (_wcsicmp(cls.c_str(), L"Static") == 0) {
        LONG style = GetWindowLongW(child, GWL_STYLE);
        if ((style & SS_TYPEMASK) == SS_ICON)
            return TRUE;
        std::wstring t = windowText(child);
        if (!t.empty()) {
            if (!info->text.empty())
                info->text += L"\n";
            info->text += t;
        }
    }
    return TRUE;
}

} // namespace

HWND waitForWindow(DWORD pid, const std::wstring& captionPart, const std::wstring& cls,
                   DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        FindArgs a{pid, &captionPart, &cls};
        EnumWindows(findTop, reinterpret_cast<LPARAM>(&a));
        if (a.found)
            return a.found;
        if (GetTickCount() - start > timeoutMs)
            return nullptr;
        Sleep(50);
    }
}

std::optional<MessageBoxInfo> waitForMessageBox(DWORD pid, const std::wstring& captionPart,
                                                DWORD timeoutMs) {
    HWND box = waitForWindow(pid, captionPart, L"#32770", timeoutMs);
    if (!box)
        return std::nullopt;
    Sleep(100); // let the box finish creating its children
    MessageBoxInfo info;
    info.hwnd = box;
    info.caption = windowText(box);
    EnumChildWindows(box, collectChild, reinterpret_cast<LPARAM>(&info));
    return info;
}

bool pressButton(const MessageBoxInfo& box, const std::wstring& label) {
    for (size_t i = 0; i < box.buttons.size(); ++i) {
        if (sameLabel(box.buttons[i], label)) {
            HWND btn = GetDlgItem(box.hwnd, box.buttonIds[i]);
            PostMessageW(box.hwnd, WM_COMMAND, MAKEWPARAM(box.buttonIds[i], BN_CLICKED),
                         reinterpret_cast<LPARAM>(btn));
            return true;
        }
    }
    return false;
}

std::string toUtf8(const std::wstring& s) {
    int n = WideCharToMultiByte(CP_UTF8, 0, s.c_str(), static_cast<int>(s.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, s.c_str(), static_cast<int>(s.size()), out.data(), n, nullptr,
                        nullptr);
    return out;
}

} // namespace tapwell::e2e
