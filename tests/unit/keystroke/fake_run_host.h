// A run host whose clock and timers the test drives: it fires the run timer's
// ticks by hand and reads, in `log`, every save, look, title, timer, message,
// sleep and script start the run asked for, between the key events of a RunRig.
#pragma once

#include "common/language.h"
#include "common/utf.h"
#include "keystroke/recording_sink.h"
#include "keystroke/run_host.h"
#include "keystroke/simulation_run.h"

#include <atomic>
#include <functional>
#include <map>
#include <string>
#include <utility>
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
// The log of one unit's step, and of the end of every run.
inline std::string step(const std::string& percent, const std::string& sent) {
    return "kill\ntitle Keyboard Simulating(" + percent + "%)...\n" + sent;
}
const std::string kIdle = "kill\nidle\ntitle P\n";

class FakeRunHost : public RunHost {
  public:
    std::string log;
    RunTimeOfDay now{12, 0, 0};
    bool timerArmed = false;
    int closed = 0;
    std::u16string box, prefix, suffix;
    RunSettings settings;
    Language lang = Language::English;
    bool scriptStarts = true;
    // Called while a message box is "open"; a pause box runs a nested loop,
    // so a test can press Start/Abort or fire ticks from here.
    std::function<void(const RunMessage&)> duringMessage;

    void armRunTimer(std::uint32_t ms) override { arm("arm " + std::to_string(ms)); }
    void armSendTimer(std::uint32_t ms) override { arm("send " + std::to_string(ms)); }
    void killRunTimer() override {
        timerArmed = false;
        log += "kill\n";
    }
    void setTitle(std::u16string_view text) override { log += "title " + utf16ToUtf8(text) + "\n"; }
    void showMessage(const RunMessage& m) override {
        static const char* const icons[] = {"error", "exclamation", "information", "question"};
        log += std::string("message ") + icons[int(m.icon)] +
               (m.owner == RunMessageOwner::None ? " (free) " : " ") + utf16ToUtf8(m.text) + "\n";
        if (duringMessage)
            duringMessage(m);
    }
    void setRunUi(RunUi look) override { log += look == RunUi::Idle ? "idle\n" : "running\n"; }
    void closeDialog() override {
        ++closed;
        log += "close\n";
    }
    void sleep(std::uint32_t ms) override { log += "sleep " + std::to_string(ms) + "\n"; }
    RunTimeOfDay localTime() override { return now; }
    std::u16string readTextBox() override { return box; }
    std::u16string readPrefixBox() override { return prefix; }
    std::u16string readSuffixBox() override { return suffix; }
    bool textBoxEmpty() override { return box.empty(); }
    RunSettings saveSettings() override {
        log += "save\n";
        return settings;
    }
    bool startScript(std::u16string text) override {
        log += "script " + utf16ToUtf8(text) + "\n";
        return scriptStarts;
    }
    void pauseScript(bool paused) override {
        log += "script paused " + std::to_string(paused) + "\n";
    }
    std::u16string programTitle() override { return u"P"; }
    Language language() override { return lang; }

  private:
    void arm(const std::string& line) {
        timerArmed = true;
        log += line + "\n";
    }
};

// The foreground window (1 to begin with), and the windows that refuse input.
class FakeDestination : public InputDestination {
  public:
    WindowId front = 1;
    std::map<WindowId, bool> refusing;
    std::vector<WindowId> asked;
    WindowId foregroundWindow() override { return front; }
    bool refusesInput(WindowId window) override {
        asked.push_back(window);
        return refusing[window];
    }
};

// A run wired to a fake host, a destination and a recording sink, 10 ms a
// unit, no wait.
struct RunRig {
    FakeRunHost host;
    FakeDestination destination;
    RecordingSink sink;
    std::atomic<bool> scriptRunning{false};
    std::atomic<bool> scriptStopRequested{false};
    SimulationRun run{host, sink, scriptRunning, scriptStopRequested};

    RunRig() {
        host.settings.iWaitSec = 0;
        host.settings.iWaitMSec = 10;
        run.setInputDestination(&destination);
        sink.onEvent = [this](const KeyEvent& e) { host.log += describeKeyEvent(e) + "\n"; };
    }
    // Fires the run timer once, if it is armed.
    bool tick() {
        if (!host.timerArmed)
            return false;
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
    // The log since the last call.
    std::string take() { return std::exchange(host.log, {}); }
};

} // namespace tapwell::test
