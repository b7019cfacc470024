
#include "dialog/run_host_win32.h"

#include "app/app_state.h"
#include "dialog/main_dialog_win32.h"
#include "dialog/run_stop_win32.h"
#include "keystroke/key_delivery.h"
#include "keystroke/keystroke_win32.h"
#include "resource.h"
#include "script/script_runner.h"
#include "script/services_win32.h"
#include "settings/settings_stores_win32.h"
#include "theme/theme_win32.h"

#include <algorithm>
#include <atomic>
#include <cwchar>
#include <memory>
#include <process.h>

namespace tapwell {

RunSettings runSettingsFrom(const Settings& s) {
    RunSettings r;
    r.iInputMode = s.iInputMode == 0   ? InputMode::Keyboard
                   : s.iInputMode == 1 ? InputMode::Unicode
                                       : InputMode::Script;
    r.iWaitMode = s.iWaitMode == 0 ? WaitMode::Seconds : WaitMode::TimeOfDay;
    r.iWaitSec = s.iWaitSec;
    r.iTimeHour = s.iTimeHour;
    r.iTimeMin = s.iTimeMin;
    r.iTimeSec = s.iTimeSec;
    r.iWaitMSec = s.iWaitMSec;
    r.iLoopNum = s.iLoopNum;
    r.iErrorStop = s.iErrorStop != 0;
    r.iDisableTab = s.iDisableTab != 0;
    r.iDisableSpace = s.iDisableSpace != 0;
    r.iDisableEnter = s.iDisableEnter != 0;
    r.iDelivery = s.iDelivery == 1 ? Delivery::KeyPresses : Delivery::Written;
    r.iTargetLayout = s.iTargetLayout;
    r.iFocusGuard = s.iFocusGuard != 0;
    r.iImeMode = static_cast<ImeMode>(s.iImeMode < 3 ? s.iImeMode : 0);
    r.iCapsLockMode = s.iCapsLockMode == 1 ? CapsLockMode::Leave : CapsLockMode::TurnOffAndRestore;
    return r;
}

bool DialogRunHost::acceptPacingTick(WPARAM sequence) {
    return pacing_.accept(sequence);
}

void DialogRunHost::armRunTimer(std::uint32_t periodMs) {
    pacer_.reset();
    pacing_.cancel();
    SetTimer(dialog_, RUN_TIMER_ID, periodMs, nullptr);
    windowTimer_ = true;
}

void DialogRunHost::armSendTimer(std::uint32_t intervalMs) {
    // The countdown's timer is still set when the sending phase begins.
    if (windowTimer_)
        KillTimer(dialog_, RUN_TIMER_ID);
    windowTimer_ = false;
    const std::int64_t now = PacingTimer::nowUs();
    pacing_.schedule(pacer_.next(now, intervalMs));
}

void DialogRunHost::killRunTimer() {
    // Killed at every tick of the sending phase, where only pacing_ is set.
    if (windowTimer_)
        KillTimer(dialog_, RUN_TIMER_ID);
    windowTimer_ = false;
    pacing_.cancel();
}

void DialogRunHost::setTitle(std::u16string_view title) {
    std::u16string copy(title);
    // The run sets its title on every tick, a thousand times a second at the
    // finest interval; reading our own window's text is cheap, a new caption
    // is not (under Wine it goes to the X server).
    const int length = GetWindowTextLengthW(dialog_);
    if (length == static_cast<int>(copy.size())) {
        std::u16string current(copy.size() + 1, u'\0');
        GetWindowTextW(dialog_, reinterpret_cast<wchar_t*>(current.data()), length + 1);
        current.resize(copy.size());
        if (current == copy)
            return;
    }
    SetWindowTextW(dialog_, wide(copy));
}

void DialogRunHost::showMessage(const RunMessage& message) {
    pacer_.reset(); // the next unit is due one interval after the box has closed
    UINT flags = MB_OK;
    switch (message.icon) {
    case RunIcon::Error:
        flags |= MB_ICONERROR;
        break;
    case RunIcon::Exclamation:
        flags |= MB_ICONEXCLAMATION;
        break;
    case RunIcon::Information:
        flags |= MB_ICONINFORMATION;
        break;
    case RunIcon::Question:
        flags |= MB_ICONQUESTION;
        break;
    }
    if (message.owner == RunMessageOwner::None)
        showDialogMessage(nullptr, message.text, flags | MB_SYSTEMMODAL);
    else
        showDialogMessage(dialog_, message.text, flags);
}

void DialogRunHost::setRunUi(RunUi look) {
    const bool running = look == RunUi::Running;
    if (running)
        beginRunStopWatch(dialog_, appState().settings.iEscAbort != 0);
    else
        endRunStopWatch();
    applyRunLook(dialog_, menu_, running);
}

void DialogRunHost::closeDialog() {
    EndDialog(dialog_, 0);
}

// The dialog stays blocked for the wait, but the user's Esc ends it at once.
void DialogRunHost::sleep(std::uint32_t ms) {
    waitUnlessStopped(ms);
    pacer_.reset(); // the next unit is due one interval after the wait
}

RunTimeOfDay DialogRunHost::localTime() {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    return {t.wHour, t.wMinute, t.wSecond};
}

std::u16string DialogRunHost::readTextBox() {
    std::u16string text = controlText16(dialog_, IDC_TEXT);
    appState().InputText = text;
    return text;
}

std::u16string DialogRunHost::readPrefixBox() {
    return controlText16(dialog_, IDC_PREFIX);
}

std::u16string DialogRunHost::readSuffixBox() {
    return controlText16(dialog_, IDC_SUFFIX);
}

bool DialogRunHost::textBoxEmpty() {
    return GetWindowTextLengthW(GetDlgItem(dialog_, IDC_TEXT)) == 0;
}

RunSettings DialogRunHost::saveSettings() {
    SaveSettings(dialog_);
    started_ = runSettingsFrom(appState().settings);
    return started_;
}

bool DialogRunHost::startScript(std::u16string text) {
    return startScriptThread(dialog_, std::move(text), started_.iDelivery, started_.iTargetLayout);
}

std::u16string DialogRunHost::programTitle() {
    return appState().programTitle;
}

Language DialogRunHost::language() {
    return appState().language == Language::English ? Language::English : Language::Japanese;
}

namespace {

constexpr const wchar_t* kScriptCaption = L"QZ-Script";
// Evaluation recurses per nesting level; a deep script must not overflow.
constexpr std::size_t kMinimumStack = 64u * 1024u * 1024u;

HWND g_owner = nullptr; // written before each thread starts, read by it
std::atomic<DWORD> g_scriptThreadId{0};

std::int32_t hostCallBack(CallBackCall* call) {
    wchar_t text[600];
    const wchar_t* name = call && call->name ? reinterpret_cast<const wchar_t*>(call->name) : L"";
    std::swprintf(text, sizeof text / sizeof text[0],
                  L"Unknown CallBack Function: %.500ls(args:%d)", name,
                  call ? static_cast<int>(call->count) : 0);
    ThemedMessageBox(g_owner, text, kScriptCaption, MB_OK | MB_ICONERROR);
    return 0;
}

void hostReportError(std::int32_t, std::int32_t, const char16_t* text) {
    ThemedMessageBox(g_owner, text ? reinterpret_cast<const wchar_t*>(text) : L"", kScriptCaption,
                     MB_OK | MB_ICONERROR);
}

std::int32_t hostMessageBox(void* owner, const char16_t* text, const char16_t* caption,
                            std::uint32_t flags) {
    return showAppMessage(static_cast<HWND>(owner), text ? text : u"", caption ? caption : u"",
                          flags);
}

std::int32_t platformMessageBox(void* owner, const char16_t* text, const char16_t* caption,
                                std::uint32_t flags) {
    return MessageBoxW(static_cast<HWND>(owner), reinterpret_cast<const wchar_t*>(text),
                       reinterpret_cast<const wchar_t*>(caption), flags);
}

struct ScriptJob {
    ScriptHost host;
    std::u16string text;
    Delivery delivery = Delivery::Written;
    std::uint32_t targetLayout = 0;
};

unsigned __stdcall scriptThreadEntry(void* argument) {
    std::unique_ptr<ScriptJob> job(static_cast<ScriptJob*>(argument));
    g_scriptThreadId = GetCurrentThreadId();
    ScriptText = job->text.c_str();
    // Built on this thread: the local layout is the one of the thread that
    // sends.
    KeyDeliveryStage stage(systemKeyEventSink(), job->delivery, job->targetLayout,
                           systemKeyboardLayout);
    ScriptDevices devices = defaultScriptDevices();
    devices.keySink = &stage.sink();
    ScriptThreadProc(job->host, devices);
    g_scriptThreadId = 0;
    return 0;
}

} // namespace

DWORD scriptThreadId() {
    return g_scriptThreadId.load();
}

bool startScriptThread(HWND owner, std::u16string text, Delivery delivery,
                       std::uint32_t targetLayout) {
    static const bool devicesInstalled = [] {
        setDefaultScriptDevices(
            {&systemScriptServices(), &systemKeyEventSink(), platformMessageBox});
        return true;
    }();
    (void)devicesInstalled;
    g_owner = owner;
    auto job = std::make_unique<ScriptJob>();
    job->host.hWndOwner = owner;
    job->host.CallBack = hostCallBack;
    job->host.ReportError = hostReportError;
    job->host.CheckAbort = consumeStopRequest;
    job->host.ShowMessageBox = hostMessageBox;
    job->text = std::move(text);
    job->delivery = delivery;
    job->targetLayout = targetLayout;
    const std::size_t stack = std::max<std::size_t>(kMinimumStack, kScriptThreadStackSize);
    uintptr_t handle = _beginthreadex(nullptr, static_cast<unsigned>(stack), scriptThreadEntry,
                                      job.get(), STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    if (handle == 0)
        return false;
    job.release(); // the thread owns it now
    CloseHandle(reinterpret_cast<HANDLE>(handle));
    return true;
}

} // namespace tapwell
