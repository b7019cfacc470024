// A run host with a virtual clock: the test fires the run timer's ticks by
// hand and sees every title, message, look and sleep the run asked for.
#pragma once

#include "common/language.h"
#include "keystroke/recording_sink.h"
#include "keystroke/run_host.h"
#include "keystroke/simulation_run.h"

#include <atomic>
#include <functional>
#include <string>
#include <vector>

namespace tapwell::test {

// The events as lines, as a trace writes them.
inline std::string describe(const RecordingSink& sink) {
    std::string out;
    for (const KeyEvent& e : sink.events())
        out += describeKeyEvent(e) + "\n";
    return out;
}
inline std::string press(const std::string& key) {
    return "down " + key + "\nup " + key + "\n";
}

class FakeRunHost : public RunHost {
  public:
    std::uint64_t nowMs = 0;
    RunTimeOfDay clockStart{12, 0, 0};
    bool timerArmed = false, sendTimer = false; // the last arm was for a unit's step
    std::uint32_t timerPeriod = 0;
    std::vector<std::u16string> titles, scriptsStarted;
    std::vector<RunMessage> messages;
    std::vector<RunUi> looks;
    std::vector<std::uint32_t> sleeps;
    int closed = 0, saves = 0;
    std::u16string box, prefix, suffix;
    RunSettings settings;
    std::u16string program = u"Davudiru Dodovizar";
    Language lang = Language::English;
    bool scriptStarts = true;
    // Called while a message box is "open"; a pause box runs a nested loop,
    // so a test can press Start/Abort or fire ticks from here.
    std::function<void(const RunMessage&)> duringMessage;

    void armRunTimer(std::uint32_t periodMs) override {
        timerArmed = true;
        timerPeriod = periodMs;
        sendTimer = false;
    }
    void armSendTimer(std::uint32_t intervalMs) override {
        armRunTimer(intervalMs);
        sendTimer = true;
    }
    void killRunTimer() override { timerArmed = false; }
    void setTitle(std::u16string_view title) override { titles.emplace_back(title); }
    void showMessage(const RunMessage& message) override {
        messages.push_back(message);
        if (duringMessage)
            duringMessage(message);
    }
    void setRunUi(RunUi look) override { looks.push_back(look); }
    void closeDialog() override { ++closed; }
    void sleep(std::uint32_t ms) override {
        sleeps.push_back(ms);
        nowMs += ms;
    }
    RunTimeOfDay localTime() override {
        auto s =
            (clockStart.hour * 3600u + clockStart.minute * 60u + clockStart.second + nowMs / 1000) %
            86400;
        return {int(s / 3600), int(s / 60 % 60), int(s % 60)};
    }
    std::u16string readTextBox() override { return box; }
    std::u16string readPrefixBox() override { return prefix; }
    std::u16string readSuffixBox() override { return suffix; }
    bool textBoxEmpty() override { return box.empty(); }
    RunSettings saveSettings() override {
        ++saves;
        return settings;
    }
    bool startScript(std::u16string text) override {
        scriptsStarted.push_back(std::move(text));
        return scriptStarts;
    }
    std::u16string programTitle() override { return program; }
    Language language() override { return lang; }

    std::u16string title() const { return titles.empty() ? u"" : titles.back(); }
};

// A run wired to a fake host and a recording sink, 10 ms a unit, no wait.
struct RunRig {
    FakeRunHost host;
    RecordingSink sink;
    std::atomic<bool> scriptRunning{false};
    std::atomic<bool> scriptStopRequested{false};
    SimulationRun run{host, sink, scriptRunning, scriptStopRequested};

    RunRig() {
        host.settings.iWaitSec = 0;
        host.settings.iWaitMSec = 10;
    }
    // Fires the run timer once, if it is armed.
    bool tick() {
        if (!host.timerArmed)
            return false;
        host.nowMs += host.timerPeriod;
        run.onRunTimer(RUN_TIMER_ID);
        return true;
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i)
            tick();
    }
    // Start, then ticks until the run has ended (or the tick budget is spent).
    void runText(std::u16string text, int maxTicks = 100000) {
        host.box = std::move(text);
        run.startRun();
        for (int i = 0; i < maxTicks && run.running(); ++i)
            tick();
    }
    std::string events() const { return describe(sink); }
};

} // namespace tapwell::test
