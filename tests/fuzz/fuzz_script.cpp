// Whole scripts run with fake devices: sleeps take no time, message boxes are
// answered at once, and the host stops the script after a step budget or once
// the heap passes a cap. A script may legitimately grow a text without bound,
// even inside one statement, so while it runs any single allocation over a
// megabyte fails as on a machine that has run out of memory: the script must
// then end with its out-of-memory error (a sanitizer build would otherwise
// stop at its own memory limit first).
#include "allocation_limit.h"
#include "keystroke/recording_sink.h"
#include "script/script_runner.h"
#include "script/services_fake.h"

#include <sanitizer/allocator_interface.h>

#include <string>

namespace {

constexpr std::size_t kHeapCap = 4u << 20;
constexpr std::size_t kLargestAllocation = 1u << 20;
int g_steps = 0;

std::int32_t stopAfterBudget(std::int32_t) {
    return ++g_steps > 2000 || __sanitizer_get_current_allocated_bytes() > kHeapCap ? 1 : 0;
}
std::int32_t answerOk(void*, const char16_t*, const char16_t*, std::uint32_t) {
    return 1;
}
void ignoreError(std::int32_t, std::int32_t, const char16_t*) {}
std::int32_t callBack(tapwell::CallBackCall* call) {
    call->result->integer = call->count;
    return 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 512)
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
    tapwell::test::AllocationLimit limit(kLargestAllocation);
    (void)tapwell::runScriptText(text.c_str(), &host, devices);
    return 0;
}
