#include "dialog_driver.h"

#include <cstdio>
#include <cwchar>

namespace tapwell::e2e {

namespace {

constexpr const wchar_t* kPersonalize =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

std::optional<DWORD> readLightTheme() {
    DWORD value = 0, size = sizeof(value);
    if (RegGetValueW(HKEY_CURRENT_USER, kPersonalize, L"AppsUseLightTheme", RRF_RT_REG_DWORD,
                     nullptr, &value, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

void writeLightTheme(std::optional<DWORD> value) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kPersonalize, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return;
    if (value)
        RegSetValueExW(key, L"AppsUseLightTheme", 0, REG_DWORD,
                       reinterpret_cast<const BYTE*>(&*value), sizeof(DWORD));
    else
        RegDeleteValueW(key, L"AppsUseLightTheme");
    RegCloseKey(key);
}

std::wstring tapwellExe() {
    std::string unix = TAPWELL_EXE_PATH;
    std::wstring path = L"Z:";
    for (char c : unix)
        path.push_back(c == '/' ? L'\\' : static_cast<wchar_t>(c));
    return path;
}

} // namespace

std::wstring textOf(HWND window) {
    wchar_t buffer[4096] = {};
    DWORD_PTR got = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer), SMTO_BLOCK,
                        5000, &got);
    return buffer;
}

std::optional<Tapwell> Tapwell::start(const std::wstring& tag, const TapwellOptions& options,
                                      bool dark) {
    Tapwell t;
    t.folder_ = makeScratchDir(tag);
    const std::wstring exe = t.folder_ + L"tapwell.exe";
    if (!CopyFileW(tapwellExe().c_str(), exe.c_str(), FALSE))
        return std::nullopt;
    FILE* ini = _wfopen((t.folder_ + L"tapwell.ini").c_str(), L"wb");
    if (!ini)
        return std::nullopt;
    std::fputs("[TAPWELL]\r\n", ini);
    for (const std::wstring& line : options.ini)
        std::fprintf(ini, "%ls\r\n", line.c_str());
    std::fclose(ini);

    t.savedLightTheme_ = readLightTheme();
    t.restoreTheme_ = true;
    writeLightTheme(dark ? 0u : 1u);

    SetEnvironmentVariableW(L"TPW_LANG", options.japanese ? L"JA" : L"EN");
    auto p = Process::start(quote(exe) + L" /O " + options.arguments, t.folder_);
    if (!p)
        return std::nullopt;
    t.process_ = std::move(*p);
    t.dialog_ = waitForWindow(t.process_.pid(), L"", L"#32770", 20000);
    if (!t.dialog_)
        return std::nullopt;
    // The window shows half-way through its initialisation; a message that
    // has been answered means the initialisation is over.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(t.dialog_, WM_NULL, 0, 0, SMTO_BLOCK, 10000, &ignored);
    return t;
}

Tapwell::~Tapwell() {
    if (restoreTheme_)
        writeLightTheme(savedLightTheme_);
}

std::wstring Tapwell::title() const {
    return textOf(dialog_);
}
std::wstring Tapwell::text(int id) const {
    return textOf(control(id));
}

void Tapwell::setText(int id, const std::wstring& text) const {
    SendMessageW(control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool Tapwell::enabled(int id) const {
    return IsWindowEnabled(control(id)) != FALSE;
}

void Tapwell::click(int id) const {
    SendMessageW(control(id), BM_CLICK, 0, 0);
}

void Tapwell::command(int id) const {
    PostMessageW(dialog_, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void Tapwell::commandAndWait(int id) const {
    SendMessageW(dialog_, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

std::wstring Tapwell::iniText() const {
    std::string bytes = readFileBytes(folder_ + L"tapwell.ini");
    return std::wstring(bytes.begin(), bytes.end());
}

namespace {

struct BoxSearch {
    DWORD pid;
    HWND exclude;
    HWND found = nullptr;
};

BOOL CALLBACK findBox(HWND hwnd, LPARAM lp) {
    auto* a = reinterpret_cast<BoxSearch*>(lp);
    wchar_t cls[64] = {};
    GetClassNameW(hwnd, cls, 64);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (hwnd == a->exclude || pid != a->pid || !IsWindowVisible(hwnd) ||
        std::wcscmp(cls, L"#32770") != 0)
        return TRUE;
    a->found = hwnd;
    return FALSE;
}

BOOL CALLBACK collectBoxChild(HWND child, LPARAM lp) {
    auto* info = reinterpret_cast<MessageBoxInfo*>(lp);
    wchar_t cls[64] = {};
    GetClassNameW(child, cls, 64);
    std::wstring text = windowText(child);
    if (_wcsicmp(cls, L"Button") == 0) {
        std::wstring label;
        for (wchar_t c : text)
            if (c != L'&')
                label.push_back(c);
        info->buttons.push_back(label);
        info->buttonIds.push_back(GetDlgCtrlID(child));
    } else if (_wcsicmp(cls, L"Static") == 0 &&
               (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON && !text.empty()) {
        info->text += info->text.empty() ? text : L"\n" + text;
    }
    return TRUE;
}

} // namespace

std::optional<MessageBoxInfo> waitForBox(const Tapwell& app, DWORD timeoutMs) {
    BoxSearch search{app.process().pid(), app.dialog()};
    waitUntil(
        [&] {
            search.found = nullptr;
            EnumWindows(findBox, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        timeoutMs);
    if (!search.found)
        return std::nullopt;
    Sleep(200); // let the box finish building its buttons
    MessageBoxInfo info;
    info.hwnd = search.found;
    info.caption = windowText(search.found);
    EnumChildWindows(search.found, collectBoxChild, reinterpret_cast<LPARAM>(&info));
    return info;
}

std::optional<Receiver> startReceiver(const std::wstring& tag, DWORD holdMs, bool scanCodes,
                                      const std::wstring& title) {
    Receiver r;
    r.log = makeScratchDir(tag) + L"keys.log";
    auto p = Process::start(quote(exeDir() + L"..\\receiver.exe") + L" " + quote(r.log) +
                            L" --seconds 60 --hold-focus " + std::to_wstring(holdMs) +
                            (scanCodes ? L" --scan" : L"") +
                            (title.empty() ? L"" : L" --title " + title));
    if (!p)
        return std::nullopt;
    r.proc = std::move(*p);
    if (!waitForFile(r.log + L".ready", 15000))
        return std::nullopt;
    return r;
}

std::vector<std::string> stopReceiver(Receiver& r) {
    Sleep(300);
    if (HWND w = waitForWindow(r.proc.pid(), L"", L"", 2000))
        PostMessageW(w, WM_CLOSE, 0, 0);
    r.proc.wait(5000);
    return readLines(r.log);
}

} // namespace tapwell::e2e
