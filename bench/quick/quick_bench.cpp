// Benchmark, not a test: the time from the release of the last hotkey key to
// the first character at the receiver, for the Type-the-clipboard hotkey
// (goal: at most 200 ms, the 150 ms settle time included). Each round puts a
// short text on the clipboard, presses Ctrl+Alt+V in the receiver with
// xdotool (a real key press through X) and reads the receiver's times
// (--times: microseconds when handled, and the message's own time).
//   quick_bench.exe [--repeat N] [--screenshot FILE]
// --screenshot instead leaves a long quick run typing, opens the icon's menu
// through its callback message and captures the screen with ImageMagick's
// import into FILE (a path on the build machine).
#include "resource.h"
#include "support/win_driver.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <sstream>

using namespace tapwell::e2e;

namespace {

bool shell(const std::wstring& command) {
    const std::wstring mark = L"/tmp/tapwell-quick-bench-" + std::to_wstring(GetTickCount());
    auto p = Process::start(L"Z:\\bin\\sh -c \"" + command + L" && touch " + mark + L"\"");
    const std::wstring windowsMark = hostPath(toUtf8(mark).c_str());
    const bool done = p && waitUntil([&] { return exists(windowsMark); }, 15000);
    DeleteFileW(windowsMark.c_str());
    return done;
}

// Microseconds (handled) and milliseconds (queued) of a line "KIND CODE US MS".
struct Stamp {
    std::string kind;
    unsigned code = 0;
    long long us = 0, ms = 0;
};

std::vector<Stamp> stamps(const std::vector<std::string>& lines) {
    std::vector<Stamp> out;
    for (const std::string& line : lines) {
        std::istringstream in(line);
        Stamp s;
        if (in >> s.kind >> s.code >> s.us >> s.ms)
            out.push_back(s);
    }
    return out;
}

int screenshot(const std::wstring& file) {
    auto t =
        Tapwell::start({L"iWaitMSec=30", L"iQuickAsk=0", L"iTrayIcon=1", L"iHotkeyClipboard=1622"});
    if (!t || !putOnClipboard(std::wstring(2000, L'x')))
        return 1;
    HWND quick = FindWindowW(L"TapwellQuickType", nullptr);
    auto r = Receiver::start(L"--hold-focus 800 --title shot-receiver --seconds 30");
    if (!quick || !r)
        return 1;
    Sleep(1000);
    PostMessageW(quick, WM_COMMAND, IDM_QUICK_CLIPBOARD, 0);
    Sleep(2500);
    SetCursorPos(1150, 900);
    PostMessageW(quick, WM_APP + 40, 1, WM_RBUTTONUP);
    Sleep(800);
    return shell(L"import -window root " + file) ? 0 : 1;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    int repeat = 5;
    for (int i = 1; i < argc; ++i) {
        if (std::wcscmp(argv[i], L"--repeat") == 0 && i + 1 < argc)
            repeat = std::max(1, _wtoi(argv[++i]));
        else if (std::wcscmp(argv[i], L"--screenshot") == 0 && i + 1 < argc)
            return screenshot(argv[++i]);
    }
    auto t = Tapwell::start({L"iWaitMSec=5", L"iHotkeyClipboard=1622"});
    if (!t) {
        std::fprintf(stderr, "tapwell did not start\n");
        return 1;
    }
    std::printf("%-6s %14s %14s\n", "round", "handled ms", "queued ms");
    std::vector<double> handled;
    for (int round = 1; round <= repeat; ++round) {
        putOnClipboard(L"ab");
        auto r = Receiver::start(L"--hold-focus 800 --times --title bench-receiver");
        if (!r)
            return 1;
        Sleep(1000);
        if (!shell(L"xdotool search --name bench-receiver windowfocus key ctrl+alt+v"))
            return 1;
        waitUntil(
            [&] {
                return r->lines().size() > 0 && stamps(r->lines()).size() > 0 &&
                       std::any_of(r->lines().begin(), r->lines().end(),
                                   [](const std::string& l) { return l.starts_with("char 98"); });
            },
            5000);
        const std::vector<Stamp> s = stamps(r->stop());
        const auto first =
            std::find_if(s.begin(), s.end(), [](const Stamp& x) { return x.kind == "char"; });
        const Stamp* lastRelease = nullptr;
        for (auto it = s.begin(); it != first; ++it)
            if ((it->kind == "keyup" || it->kind == "syskeyup") &&
                (it->code == 17 || it->code == 18 || it->code == 86))
                lastRelease = &*it;
        if (first == s.end() || !lastRelease) {
            std::printf("%-6d %14s %14s\n", round, "-", "-");
            continue;
        }
        const double ms = static_cast<double>(first->us - lastRelease->us) / 1000.0;
        handled.push_back(ms);
        std::printf("%-6d %14.1f %14lld\n", round, ms, first->ms - lastRelease->ms);
    }
    if (!handled.empty()) {
        std::sort(handled.begin(), handled.end());
        std::printf("median %.1f ms (goal <= 200 ms)\n", handled[handled.size() / 2]);
    }
    return 0;
}
