// The main dialog's commands: Start and Abort, exit, help, About, mode
// radios, menu buttons, setting toggles, character removal, file commands,
// notation insertion; and dropped files.
#include "app/app_state.h"
#include "dialog/dialog_rules.h"
#include "dialog/dialog_texts.h"
#include "dialog/help_topics.h"
#include "dialog/help_win32.h"
#include "dialog/main_dialog_win32.h"
#include "files/text_file_win32.h"
#include "keystroke/simulation_run.h"
#include "quick/quick_type_win32.h"
#include "resource.h"
#include "theme/theme_win32.h"

#include "about/about_box_win32.h"

namespace tapwell {

namespace {

constexpr int kFileDialogPath = 520;

void removeCharactersFromTextBox(HWND hwnd, RemovedCharacters which) {
    AppState& app = appState();
    app.InputText = controlText16(hwnd, IDC_TEXT);
    app.InputText = removeCharacters(app.InputText, which);
    SetDlgItemTextW(hwnd, IDC_TEXT, wide(app.InputText));
}

// Empties an edit box as one edit that Ctrl+Z takes back. An empty box is
// left alone: a second click must not replace the undo of the first.
void clearUndoably(HWND edit) {
    if (!edit || GetWindowTextLengthW(edit) == 0)
        return;
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L""));
}

// The File menu's commands.
struct FileCommand {
    int commandId;
    bool (*run)(HWND dialog, HWND textBox, const FileCommandUi& ui);
};
constexpr FileCommand kFileCommands[] = {
    {IDM_LOAD_TEXT, loadTextFromFile},
    {IDM_SAVE_TEXT, saveTextToFile},
    {IDM_READ_HEX, readHexDumpFromFile},
    {IDM_WRITE_HEX, writeHexDumpToFile},
};

void toggleSetting(HMENU menu, int id, std::uint8_t& flag) {
    flag = flag ? 0 : 1;
    checkMenu(menu, id, flag != 0);
}

void askToExit(HWND hwnd) {
    const int answer =
        showDialogMessage(hwnd, dialogText(DialogText::ExitQuestion, appState().language),
                          MB_YESNO | MB_ICONQUESTION);
    if (answer == IDYES)
        EndDialog(hwnd, IDC_EXIT);
}

void showAbout(HWND hwnd) {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd, GWLP_HINSTANCE));
    about::ShowAboutBox(hwnd, instance, dialogIsJapanese(), wide(appState().programTitle));
}

} // namespace

void onMainDialogCommand(HWND hwnd, int id, int notification) {
    MainDialogState& d = mainDialogState();
    Settings& s = appState().settings;
    HWND textBox = GetDlgItem(hwnd, IDC_TEXT);
    if (onQuickTypeCommand(id))
        return;
    if (auto removal = removalForCommand(id)) {
        removeCharactersFromTextBox(hwnd, *removal);
        return;
    }
    if (insertNotationForCommand(textBox, id))
        return;
    for (const FileCommand& command : kFileCommands) {
        if (command.commandId == id) {
            command.run(hwnd, textBox, fileCommandUi());
            return;
        }
    }
    for (const MenuToggle& toggle : kMenuToggles) {
        if (toggle.commandId == id) {
            toggleSetting(d.menu, id, s.*toggle.flag);
            if (id == IDM_ALWAYS_TOP)
                placeTopMost(hwnd, s.iTopMost != 0);
            return;
        }
    }
    if (auto topic = helpTopicForCommand(id)) {
        OpenHelpTopic(hwnd, wide(std::u16string(*topic)), appState().language);
        return;
    }
    if (applyDeliveryCommand(s, id, d.installedLayouts)) {
        checkDeliveryItems(d.menu, s, d.installedLayouts);
        return;
    }
    switch (id) {
    case IDC_START:
        if (d.run)
            d.run->startOrAbort();
        return;
    case IDC_EXIT:
        // Esc and the close box arrive here even while the Exit button is
        // disabled; a run is ended with Abort, not by closing under it.
        if (d.run && d.run->running())
            return;
        askToExit(hwnd);
        return;
    case IDM_EXIT:
        EndDialog(hwnd, IDM_EXIT);
        return;
    case IDM_ABOUT:
        showAbout(hwnd);
        return;
    case IDC_MODE_KEYBOARD:
        if (notification != BN_CLICKED)
            return;
        // Text written for another mode means something else here; a click
        // by mistake must not lose it, so each box can undo its clearing.
        for (int box : {IDC_TEXT, IDC_PREFIX, IDC_SUFFIX})
            clearUndoably(GetDlgItem(hwnd, box));
        UpdateModeControls(hwnd);
        return;
    case IDC_MODE_UNICODE:
    case IDC_MODE_SCRIPT:
    case IDC_WAIT_AFTER_START:
    case IDC_WAIT_UNTIL_TIME:
        if (notification == BN_CLICKED)
            UpdateModeControls(hwnd);
        return;
    case IDC_BIG_DIALOG:
        if (notification == BN_CLICKED && IsDlgButtonChecked(hwnd, IDC_BIG_DIALOG) == BST_CHECKED)
            showAppMessage(hwnd, dialogText(DialogText::BigDialogNotice, appState().language),
                           dialogText(DialogText::BigDialogCaption, appState().language),
                           MB_OK | MB_ICONINFORMATION);
        return;
    case IDC_MENU_FILE:
    case IDC_MENU_SETTINGS:
    case IDC_MENU_KEYS:
    case IDC_MENU_HELP:
        popUpMenuOfButton(d, id);
        return;
    default:
        return;
    }
}

void onMainDialogDropFiles(HWND hwnd, HDROP drop) {
    wchar_t path[kFileDialogPath + 1] = {};
    const UINT got = DragQueryFileW(drop, 0, path, kFileDialogPath);
    DragFinish(drop);
    if (got == 0)
        return;
    std::u16string text;
    const unsigned code = ReadTextFile(path, text);
    if (code != 0) {
        ReportReadError(hwnd, code, fileCommandUi());
        return;
    }
    SetDlgItemTextW(hwnd, IDC_TEXT, wide(text));
}

} // namespace tapwell
