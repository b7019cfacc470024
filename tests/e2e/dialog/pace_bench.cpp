// Benchmark, not a test: how fast a Unicode run from the command line really
// types at a few intervals, measured where the characters arrive. For each
// interval it runs tapwell.exe with about four seconds of text into the
// receiver (with --times) and prints the requested and achieved time per unit,
// whether every unit arrived in order, and the most units that arrived within
// one interval (more than two would be a burst). Times are taken twice: when
// the receiver handled each character ("handled"), and the time of each
// VK_PACKET key-down message, when the input entered the receiver's queue
// ("queued", whole milliseconds). On a loaded machine the receiver itself is
// descheduled and handles queued characters in bunches, which the queue times
// do not show.
//   pace_bench.exe [--window-timer] [--repeat N] [INTERVAL_MS...]
// --window-timer sets TPW_PACING=window for tapwell.exe: its fallback timer.
#include "dialog_driver.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <sstream>
#include <vector>

using namespace tapwell::e2e;

namespace {

struct Arrival {
    unsigned unit = 0;
    long long us = 0;
};

struct Timing {
    double msPerUnit = 0;
    std::size_t mostWithinInterval = 0;
};

struct Measurement {
    bool ok = false;
    std::size_t expected = 0;
    std::size_t arrived = 0;
    bool inOrder = false;
    Timing handled;
    Timing queued;
};

// Lines "WHAT VALUE MICROSECONDS MESSAGE_TIME" of kind `what`; the time taken
// is the handling time or, with `queueTime`, the message time.
std::vector<Arrival> arrivals(const std::vector<std::string>& lines, const std::string& what,
                              bool queueTime) {
    std::vector<Arrival> out;
    for (const std::string& line : lines) {
        std::istringstream in(line);
        std::string kind;
        Arrival a;
        long long messageMs = 0;
        if (in >> kind >> a.unit >> a.us >> messageMs && kind == what) {
            if (queueTime)
                a.us = messageMs * 1000;
            out.push_back(a);
        }
    }
    return out;
}

// The largest number of arrivals whose times all lie within less than one
// interval of the first of them.
std::size_t mostWithin(const std::vector<Arrival>& arrivals, long long intervalUs) {
    std::size_t best = 0;
    std::size_t first = 0;
    for (std::size_t last = 0; last < arrivals.size(); ++last) {
        while (arrivals[last].us - arrivals[first].us >= intervalUs)
            ++first;
        best = std::max(best, last - first + 1);
    }
    return best;
}

Timing timing(const std::vector<Arrival>& arrivals, unsigned intervalMs) {
    Timing t;
    if (arrivals.size() >= 2)
        t.msPerUnit = static_cast<double>(arrivals.back().us - arrivals.front().us) / 1000.0 /
                      static_cast<double>(arrivals.size() - 1);
    t.mostWithinInterval = mostWithin(arrivals, static_cast<long long>(intervalMs) * 1000);
    return t;
}

Measurement measure(unsigned intervalMs, int round) {
    Measurement m;
    m.expected = std::max<std::size_t>(100, 4000 / intervalMs);
    std::wstring text;
    const std::wstring pattern = L"abcdefghijklmnopqrstuvwxyz0123456789";
    for (std::size_t i = 0; i < m.expected; ++i)
        text.push_back(pattern[i % pattern.size()]);

    const std::wstring tag = L"pace-" + std::to_wstring(intervalMs) + L"-" + std::to_wstring(round);
    TapwellOptions o{false,
                     {L"iInputMode=1", L"iWaitSec=3", L"iLoopNum=1",
                      L"iWaitMSec=" + std::to_wstring(intervalMs)},
                     L"\"/T:" + text + L"\""};
    auto run = Tapwell::start(tag, o);
    if (!run)
        return m;
    const std::wstring log = makeScratchDir(tag + L"-recv") + L"keys.log";
    auto receiver = Process::start(quote(exeDir() + L"..\\receiver.exe") + L" " + quote(log) +
                                   L" --seconds 600 --hold-focus 2500 --times");
    if (!receiver || !waitForFile(log + L".ready", 15000))
        return m;
    // Generous: a window timer never ticks faster than every 10 to 16 ms.
    const DWORD budget = static_cast<DWORD>(m.expected * std::max(intervalMs, 16u) * 3 + 60000);
    if (!run->process().wait(budget))
        return m;
    Sleep(500);
    if (HWND w = waitForWindow(receiver->pid(), L"", L"", 2000))
        PostMessageW(w, WM_CLOSE, 0, 0);
    receiver->wait(5000);

    const std::vector<std::string> lines = readLines(log);
    const std::vector<Arrival> chars = arrivals(lines, "char", false);
    m.arrived = chars.size();
    m.inOrder = m.arrived == m.expected;
    for (std::size_t i = 0; m.inOrder && i < chars.size(); ++i)
        m.inOrder = chars[i].unit == text[i];
    m.handled = timing(chars, intervalMs);
    m.queued = timing(arrivals(lines, "keydown", true), intervalMs);
    m.ok = true;
    return m;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<unsigned> intervals;
    int repeat = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::wcscmp(argv[i], L"--window-timer") == 0)
            SetEnvironmentVariableW(L"TPW_PACING", L"window");
        else if (std::wcscmp(argv[i], L"--repeat") == 0 && i + 1 < argc)
            repeat = std::max(1, _wtoi(argv[++i]));
        else if (int v = _wtoi(argv[i]); v > 0)
            intervals.push_back(static_cast<unsigned>(v));
    }
    if (intervals.empty())
        intervals = {1, 5, 20};

    std::printf("%-9s | %-8s %-6s %-4s | %-8s %-6s %-4s | %-11s %s\n", "requested", "queued",
                "ratio", "most", "handled", "ratio", "most", "arrived", "in order");
    bool allGood = true;
    for (unsigned interval : intervals) {
        for (int r = 0; r < repeat; ++r) {
            Measurement m = measure(interval, r);
            if (!m.ok) {
                std::printf("%-10u run failed\n", interval);
                allGood = false;
                continue;
            }
            const double queuedRatio = m.queued.msPerUnit / interval;
            const double handledRatio = m.handled.msPerUnit / interval;
            std::printf("%-9u | %-8.3f %-6.3f %-4zu | %-8.3f %-6.3f %-4zu | %5zu/%-5zu %s\n",
                        interval, m.queued.msPerUnit, queuedRatio, m.queued.mostWithinInterval,
                        m.handled.msPerUnit, handledRatio, m.handled.mostWithinInterval, m.arrived,
                        m.expected, m.inOrder ? "yes" : "NO");
            std::fflush(stdout);
            allGood = allGood && m.inOrder && queuedRatio <= 1.1 && queuedRatio >= 0.9 &&
                      m.queued.mostWithinInterval <= 2;
        }
    }
    std::printf("%s\n", allGood ? "within 10% of the requested pace, no bursts, nothing lost"
                                : "NOT within the goals");
    return allGood ? 0 : 1;
}
