#include "cli/script_devices.h"

#include "keystroke/key_event_sink_win32.h"
#include "script/services_win32.h"

#include <windows.h>

namespace tapwell::cli {

namespace {

std::int32_t platformMessageBox(void* owner, const char16_t* text, const char16_t* caption,
                                std::uint32_t flags) {
    return MessageBoxW(static_cast<HWND>(owner), reinterpret_cast<const wchar_t*>(text),
                       reinterpret_cast<const wchar_t*>(caption), flags);
}

} // namespace

bool hasRealScriptDevices() {
    return true;
}

ScriptDevices realScriptDevices() {
    return {&systemScriptServices(), &systemKeyEventSink(), &platformMessageBox};
}

} // namespace tapwell::cli
