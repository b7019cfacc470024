// Whole scripts run with fake devices: sleeps take no time, message boxes are
// answered at once, and the host stops the script after a step budget or once
// the heap passes a cap, since a script may legitimately grow a string without
// bound (a sanitizer build cannot turn that into the out-of-memory report a
// real machine would give). The padding built-ins, which allocate whatever
// width they are given in one piece, are left to the unit tests for the same
// reason.
#include "keystroke/recording_sink.h"
#include "script/script_runner.h"
#include "script/services_fake.h"

#include <sanitizer/allocator_interface.h>

#include <algorithm>
#include <cctype>
#include <string>

namespace {

constexpr std::size_t kHeapCap = 4u << 20;
int g_steps = 0;

std::int32_t stopAfterBudget(std::int32_t) {
    return ++g_steps > 2000 || __sanitizer_get_current_allocated_bytes() > kHeapCap ? 1 : 0;
}
std::int32_t answerOk(void*, const char16_t*, const char16_t*, std::uint32_t) { return 1; }
void ignoreError(std::int32_t, std::int32_t, const char16_t*) {}
std::int32_t callBack(tapwell::CallBackCall* call) {
    call->result->integer = call->count;
    return 0;
}

bool mentionsPadding(const std::uint8_t* data, std::size_t size) {
    std::string upper(reinterpret_cast<const char*>(data), size);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return upper.find("PAD") != std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 512 || mentionsPadding(data, size))
        return -1; // not added to the corpus
    std::u16string text;
    text.reserve(size);
    for (std::size_t i = 0; i < size; ++i)
        text.push_back(data[i]); // bytes as units: the runner converts to UTF-8
    tapwell::FakeScriptServices services;
    tapwell::RecordingSink sink;
    sink.keepEvents = false;
    tapwell::ScriptDevices devices{&services, &sink, answerOk};
    tapwell::ScriptHost host;
    host.CheckAbort = stopAfterBudget;
    host.ShowMessageBox = answerOk;
    host.ReportError = ignoreError;
    host.CallBack = callBack;
    g_steps = 0;
    (void)tapwell::RunScriptText(text.c_str(), &host, devices);
    return 0;
}
