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
#include "support/win_driver.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <sstream>

using namespace tapwell::e2e;

namespace {

struct Timing {
    double msPerUnit = 0;
    std::size_t mostWithinInterval = 0;
};

// The units and times of the lines "WHAT VALUE MICROSECONDS MESSAGE_TIME" of
// kind `what`; the time is the handling time or, with `queueTime`, the
// message time; then the time per unit and the most arrivals whose times all
// lie within less than one interval of the first of them.
Timing timing(const std::vector<std::string>& lines, const std::string& what, bool queueTime,
              unsigned intervalMs, std::wstring* units = nullptr) {
    std::vector<long long> us;
    for (const std::string& line : lines) {
        std::istringstream in(line);
        std::string kind;
        unsigned unit = 0;
        long long handled = 0, messageMs = 0;
        if (in >> kind >> unit >> handled >> messageMs && kind == what) {
            us.push_back(queueTime ? messageMs * 1000 : handled);
            if (units)
                units->push_back(static_cast<wchar_t>(unit));
        }
    }
    Timing t;
    if (us.size() >= 2)
        t.msPerUnit = static_cast<double>(us.back() - us.front()) / 1000.0 / (us.size() - 1.0);
    for (std::size_t first = 0, last = 0; last < us.size(); ++last) {
        while (us[last] - us[first] >= intervalMs * 1000LL)
            ++first;
        t.mostWithinInterval = std::max(t.mostWithinInterval, last - first + 1);
    }
    return t;
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
        for (int round = 0; round < repeat; ++round) {
            std::wstring text;
            const std::size_t expected = std::max<std::size_t>(100, 4000 / interval);
            for (std::size_t i = 0; i < expected; ++i)
                text.push_back(L"abcdefghijklmnopqrstuvwxyz0123456789"[i % 36]);
            auto run = Tapwell::start({L"iInputMode=1", L"iWaitSec=3", L"iLoopNum=1",
                                       L"iWaitMSec=" + std::to_wstring(interval)},
                                      quote(L"/T:" + text));
            auto receiver = Receiver::start(L"--seconds 600 --hold-focus 2500 --times");
            // Generous: a window timer never ticks faster than every 10 to 16 ms.
            const auto budget = static_cast<DWORD>(expected * std::max(interval, 16u) * 3 + 60000);
            if (!run || !receiver || !run->process.wait(budget)) {
                std::printf("%-10u run failed\n", interval);
                allGood = false;
                continue;
            }
            const std::vector<std::string> lines = receiver->stop();
            std::wstring arrived;
            const Timing handled = timing(lines, "char", false, interval, &arrived);
            const Timing queued = timing(lines, "keydown", true, interval);
            const double queuedRatio = queued.msPerUnit / interval;
            std::printf("%-9u | %-8.3f %-6.3f %-4zu | %-8.3f %-6.3f %-4zu | %5zu/%-5zu %s\n",
                        interval, queued.msPerUnit, queuedRatio, queued.mostWithinInterval,
                        handled.msPerUnit, handled.msPerUnit / interval, handled.mostWithinInterval,
                        arrived.size(), expected, arrived == text ? "yes" : "NO");
            std::fflush(stdout);
            allGood = allGood && arrived == text && queuedRatio <= 1.1 && queuedRatio >= 0.9 &&
                      queued.mostWithinInterval <= 2;
        }
    }
    std::printf("%s\n", allGood ? "within 10% of the requested pace, no bursts, nothing lost"
                                : "NOT within the goals");
    return allGood ? 0 : 1;
}
