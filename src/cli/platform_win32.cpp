// tapwell-cli on Windows: a script run that is not a dry run reaches the
// desktop and stops as the dialog's runs do, and input files are decoded
// with MLang as the program does.
#include "cli/cli.h"
#include "files/text_file_win32.h"
#include "keystroke/keystroke_win32.h"
#include "keystroke/run_stop_win32.h"
#include "script/services_win32.h"

#include <fcntl.h>
#include <io.h>
#include <objbase.h>
#include <windows.h>

namespace tapwell::cli {

void prepareStandardStreams() {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stdin), _O_BINARY);
}

namespace {

std::int32_t platformMessageBox(void* owner, const char16_t* text, const char16_t* caption,
                                std::uint32_t flags) {
    return MessageBoxW(static_cast<HWND>(owner), reinterpret_cast<const wchar_t*>(text),
                       reinterpret_cast<const wchar_t*>(caption), flags);
}

// The tool has no window of its own, and the platform refuses clipboard data
// after an opening without an owner: a message-only window owns it. Made on
// the thread that runs the script, and kept until the process ends, so that
// the text stays on the clipboard.
HWND clipboardOwnerWindow() {
    static const HWND window =
        CreateWindowExW(0, L"STATIC", L"tapwell-cli clipboard", 0, 0, 0, 0, 0, HWND_MESSAGE,
                        nullptr, GetModuleHandleW(nullptr), nullptr);
    return window;
}

} // namespace

bool hasRealScriptDevices() {
    return true;
}

ScriptDevices realScriptDevices() {
    static Win32ScriptServices services(clipboardOwnerWindow());
    return {&services, &systemKeyEventSink(), &platformMessageBox};
}

bool waitBeforeRealRun(int seconds) {
    stopRunOnConsoleEvents();
    // The script's message boxes are shown on this thread; a stop closes
    // them, so that the script reaches its next statement and stops.
    beginRunStopWatch(nullptr, true, GetCurrentThreadId());
    waitUnlessStopped(static_cast<DWORD>(seconds) * 1000u);
    return !runStopRequested();
}

std::int32_t realRunCheckAbort(std::int32_t) {
    return runStopRequested() ? 1 : 0;
}

void endRealRun() {
    endRunStopWatch();
    awaitRunStopWatchEnd();
    markRunFinished();
}

CodePageServiceFactory inputCodePages() {
    return [] {
        // MLang is a COM object; the tool reads on its one thread and never
        // uninitialises before it exits.
        static const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        (void)com;
        return createMlangCodePageService();
    };
}

} // namespace tapwell::cli
