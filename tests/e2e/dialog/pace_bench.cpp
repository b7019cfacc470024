// Benchmark, not a test: how fast a Unicode run from the command line really
// types at a few intervals, measured where the characters arrive. For each
// interval it runs tapwell.exe with about four seconds of text into the
// receiver (with --times) and prints the requested and achieved time per unit,
// whether every unit arrived in order, and the most units that arrived within
// one interval (more than two would be a burst).
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

struct Measurement {
    bool ok = false;
    std::size_t expected = 0;
    std::size_t arrived = 0;
    bool inOrder = false;
    double msPerUnit = 0;
    std::size_t mostWithinInterval = 0;
};

std::vector<Arrival> charArrivals(const std::vector<std::string>& lines) {
    std::vector<Arrival> out;
    for (const std::string& line : lines) {
        std::istringstream in(line);
        std::string what;
        Arrival a;
        if (in >> what >> a.unit >> a.us && what == "char")
            out.push_back(a);
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
    const DWORD budget = static_cast<DWORD>(m.expected * intervalMs * 4 + 60000);
    if (!run->process().wait(budget))
        return m;
    Sleep(500);
    if (HWND w = waitForWindow(receiver->pid(), L"", L"", 2000))
        PostMessageW(w, WM_CLOSE, 0, 0);
    receiver->wait(5000);

    std::vector<Arrival> arrivals = charArrivals(readLines(log));
    m.arrived = arrivals.size();
    m.inOrder = m.arrived == m.expected;
    for (std::size_t i = 0; m.inOrder && i < arrivals.size(); ++i)
        m.inOrder = arrivals[i].unit == text[i];
    if (arrivals.size() >= 2)
        m.msPerUnit = static_cast<double>(arrivals.back().us - arrivals.front().us) / 1000.0 /
                      static_cast<double>(arrivals.size() - 1);
    m.mostWithinInterval = mostWithin(arrivals, static_cast<long long>(intervalMs) * 1000);
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

    std::printf("%-10s %-10s %-8s %-14s %-9s %s\n", "requested", "achieved", "ratio", "arrived",
                "in-order", "most-in-one-interval");
    bool allGood = true;
    for (unsigned interval : intervals) {
        for (int r = 0; r < repeat; ++r) {
            Measurement m = measure(interval, r);
            if (!m.ok) {
                std::printf("%-10u run failed\n", interval);
                allGood = false;
                continue;
            }
            const double ratio = m.msPerUnit / interval;
            std::printf("%-10u %-10.3f %-8.3f %6zu/%-7zu %-9s %zu\n", interval, m.msPerUnit, ratio,
                        m.arrived, m.expected, m.inOrder ? "yes" : "NO", m.mostWithinInterval);
            std::fflush(stdout);
            allGood =
                allGood && m.inOrder && ratio <= 1.1 && ratio >= 0.9 && m.mostWithinInterval <= 2;
        }
    }
    std::printf("%s\n", allGood ? "within 10% of the requested pace, no bursts, nothing lost"
                                : "NOT within the goals");
    return allGood ? 0 : 1;
}
