// What the dialog's pieces share: language, file-command settings, menus.
#include "app/app_state.h"
#include "app/dialog_controls_win32.h"
#include "app/main_dialog_parts_win32.h"
#include "app/message_box_win32.h"

namespace tapwell {

namespace {

int messageBoxAdapter(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags) {
    return ShowAppMessage(owner, reinterpret_cast<const char16_t*>(text),
                          reinterpret_cast<const char16_t*>(caption), flags);
}

} // namespace

bool dialogIsJapanese() {
    return appState().language == UiLanguage::Japanese;
}

FileCommandUi fileCommandUi() {
    FileCommandUi ui;
    ui.japanese = dialogIsJapanese();
    ui.programTitle = reinterpret_cast<const wchar_t*>(appState().programTitle.c_str());
    ui.messageBox = messageBoxAdapter;
    return ui;
}

void checkMenu(HMENU menu, int id, bool on) {
    CheckMenuItem(menu, static_cast<UINT>(id), MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

void placeTopMost(HWND hwnd, bool on) {
    SetWindowPos(hwnd, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

} // namespace tapwell
