#include "script/script_run.h"

#include "common/utf.h"
#include "keystroke/recording_sink.h"
#include "script/services_fake.h"
#include "script/syntax_tree.h"

namespace tapwell {

ScriptRun::ScriptRun(const ScriptHost* host, const ScriptDevices& devices, StatementCap* cap)
    : services_(devices.services), keySink_(devices.keySink), cap_(cap) {
    if (host) {
        reportError_ = host->ReportError;
        checkAbort_ = host->CheckAbort;
        callBack_ = host->CallBack;
        messageBox_ = host->ShowMessageBox;
        owner_ = host->hWndOwner;
    }
    if (cap_)
        capLeft_ = cap_->boundaries;
    rearm();
    if (!messageBox_)
        messageBox_ = devices.platformMessageBox;
    if (!services_) {
        ownServices_ = std::make_unique<FakeScriptServices>();
        services_ = ownServices_.get();
    }
    if (!keySink_) {
        auto sink = std::make_unique<RecordingSink>();
        sink->keepEvents = false;
        keySink_ = sink.get();
        ownSink_ = std::move(sink);
    }
    guardedSink_ = std::make_unique<GuardedSink>(*keySink_);
}

ScriptRun::~ScriptRun() = default;

void ScriptRun::rearm() const {
    constexpr std::uint64_t kNever = UINT64_MAX;
    if (stopPending_ || checkAbort_) {
        untilAsk_ = 1;
    } else if (cap_) {
        // The countdown takes over the cap's counting until it runs out.
        untilAsk_ = capLeft_ == kNever ? kNever : capLeft_ + 1;
        capLeft_ -= untilAsk_ - 1;
    } else {
        untilAsk_ = kNever;
    }
}

bool ScriptRun::spendCap() const {
    if (!cap_)
        return false;
    if (capLeft_ == 0) {
        cap_->reached = true;
        return true;
    }
    --capLeft_;
    return false;
}

bool ScriptRun::askAbort(std::int32_t line) {
    const bool stop = stopPending_ || spendCap() || (checkAbort_ && checkAbort_(line) == 1);
    if (stop) {
        stopPending_ = false;
        stoppedByHost_ = true;
        FlowState = FLOW_STOP;
    }
    rearm();
    return stop;
}

bool ScriptRun::stopRequested() const {
    if (!stopPending_ && --untilAsk_ == 0) {
        stopPending_ = spendCap() || (checkAbort_ && checkAbort_(currentLine_) == 1);
        rearm();
    }
    return stopPending_;
}

void ScriptRun::releaseHeldInputs() {
    guardedSink_->releaseHeld([this](std::uint32_t upFlags, std::int32_t data) {
        services_->mouseEvent(upFlags, 0, 0, data);
    });
}

void ScriptRun::reportError(int code, std::int32_t line, std::string_view utf8Message) {
    if (!reportError_)
        return;
    const std::u16string text = utf8ToUtf16(utf8Message);
    reportError_(code, line, text.c_str());
}

void ScriptRun::reportRuntimeError(int code, int line, std::string_view message) {
    reportError(code, line, message);
    FlowState = FLOW_STOP;
}

int ScriptRun::showMessageBox(std::string_view text, std::string_view caption,
                              std::uint32_t flags) {
    if (!messageBox_)
        return 0;
    const std::u16string text16 = utf8ToUtf16(text);
    const std::u16string caption16 = utf8ToUtf16(caption);
    return messageBox_(owner_, text16.c_str(), caption16.c_str(), flags);
}

} // namespace tapwell
