// The main dialog created inside a test process, over settings of its own in
// a scratch folder, so that its controls, menus and run can be driven and
// read directly.
#pragma once

#include "app/app_state.h"
#include "dialog/main_dialog.h"
#include "resource.h"
#include "support/win_driver.h"

#include <shlobj.h>
#include <windows.h>

#include <cstring>
#include <string>

namespace tapwell::e2e {

// The dialog over settings of its own in a scratch folder, by default in Unicode
// mode (keyboard mode folds texts to upper case); a run stays in its countdown.
struct InProcessDialog {
    HWND hwnd = nullptr;
    explicit InProcessDialog(bool japanese = false, InputMode inputMode = InputMode::Unicode) {
        SetCurrentDirectoryW(makeScratchDir(L"inproc").c_str());
        AppState& app = appState();
        setUiLanguage(app, japanese ? Language::Japanese : Language::English);
        app.UseIniFile = true;
        app.settings = Settings{};
        app.settings.iInputMode = inputMode;
        app.settings.iWaitSec = 30;
        hwnd = CreateDialogParamW(GetModuleHandleW(nullptr),
                                  MAKEINTRESOURCEW(japanese ? IDD_MAIN_JA : IDD_MAIN_EN), nullptr,
                                  mainDialogProc, 0);
    }
    ~InProcessDialog() { DestroyWindow(hwnd); }
    HWND item(int id) const { return GetDlgItem(hwnd, id); }
    // A message to the control `id`, or to the dialog itself for 0.
    LRESULT send(int id, UINT msg, WPARAM wp = 0, LPARAM lp = 0) const {
        return SendMessageW(id ? item(id) : hwnd, msg, wp, lp);
    }
    void command(int id) const { send(0, WM_COMMAND, id); }
    std::wstring text(int id) const { return textOf(item(id)); }
};

// A drop of `file` on the dialog as the shell hands it over: a list ending in
// two nulls.
inline void dropFile(HWND dialog, const std::wstring& file) {
    HGLOBAL drop = GlobalAlloc(GHND, sizeof(DROPFILES) + (file.size() + 2) * sizeof(wchar_t));
    auto* files = static_cast<DROPFILES*>(GlobalLock(drop));
    *files = DROPFILES{static_cast<DWORD>(sizeof(DROPFILES)), {}, FALSE, TRUE};
    std::memcpy(files + 1, file.c_str(), file.size() * sizeof(wchar_t));
    GlobalUnlock(drop);
    SendMessageW(dialog, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
}

} // namespace tapwell::e2e
