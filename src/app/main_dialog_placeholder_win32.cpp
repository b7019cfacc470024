// Stand-in for the main dialog: a command-line text is typed as Unicode
// events after a short wait, so the program can already be driven end to end.
// Like the dialog, it saves the settings when it ends.
#include "app/app_state.h"
#include "app/app_texts.h"
#include "app/main_dialog.h"
#include "app/message_box_win32.h"
#include "app/settings_stores_win32.h"
#include "keystroke/key_event_sink_win32.h"

namespace tapwell {

namespace {
void typeInputText(const AppState& state) {
    constexpr DWORD kStartDelayMs = 1500;
    const DWORD interval = state.settings.iWaitMSec > 0 ? state.settings.iWaitMSec : 20;
    Sleep(kStartDelayMs);
    KeyEventSink& sink = systemKeyEventSink();
    for (char16_t unit : state.InputText) {
        if (unit == u'\r')
            continue;
        if (unit == u'\n')
            pressAndRelease(sink, VK_RETURN);
        else
            sink.sendUnicodePair(unit);
        Sleep(interval);
    }
}
} // namespace

void RunMainDialog(HINSTANCE) {
    AppState& state = appState();
    if (state.autoRun())
        typeInputText(state);
    else
        ShowAppMessage(nullptr, appText(AppText::MainDialogMissing, state.language),
                       state.programTitle, MB_OK | MB_ICONINFORMATION);
    SaveSettings(nullptr);
}

} // namespace tapwell
