// The main dialog's commands: Start and Abort, exit, help, About, mode
// radios, menu buttons, setting toggles, character removal, file commands,
// notation insertion; and dropped files.
#include "dialog/dialog_rules.h"
#include "dialog/dialog_texts.h"
#include "dialog/help_topics.h"
#include "dialog/help_win32.h"
#include "dialog/input_state_menu.h"
#include "dialog/main_dialog_win32.h"
#include "files/text_file_win32.h"
#include "keystroke/simulation_run.h"
#include "quick/quick_type_win32.h"
#include "resource.h"
#include "settings/process_state.h"
#include "theme/theme_win32.h"

#include "about/about_box_win32.h"

namespace tapwell {

namespace {

constexpr int kFileDialogPath = 520;

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

// Commands that come as families (several ids, or ids computed from a key
// code): each answers whether `id` was one of its own and, if so, acts.

bool removeCharactersCommand(HWND hwnd, int id) {
    const auto removal = removalForCommand(id);
    if (!removal)
        return false;
    AppState& app = appState();
    app.InputText = controlText16(hwnd, IDC_TEXT);
    app.InputText = removeCharacters(app.InputText, *removal);
    SetDlgItemTextW(hwnd, IDC_TEXT, wide(app.InputText));
    return true;
}

bool insertNotationCommand(HWND hwnd, int id) {
    return insertNotationForCommand(GetDlgItem(hwnd, IDC_TEXT), id);
}

bool fileCommand(HWND hwnd, int id) {
    for (const FileCommand& command : kFileCommands) {
        if (command.commandId == id) {
            command.run(hwnd, GetDlgItem(hwnd, IDC_TEXT), fileCommandUi());
            return true;
        }
    }
    return false;
}

bool toggleCommand(HWND hwnd, int id) {
    Settings& s = appState().settings;
    for (const MenuToggle& toggle : kMenuToggles) {
        if (toggle.commandId == id) {
            std::uint8_t& flag = s.*toggle.flag;
            flag = flag ? 0 : 1;
            checkMenu(mainDialogState().menu, id, flag != 0);
            if (id == IDM_ALWAYS_TOP)
                placeTopMost(hwnd, s.iTopMost != 0);
            return true;
        }
    }
    return false;
}

bool helpCommand(HWND hwnd, int id) {
    const auto topic = helpTopicForCommand(id);
    if (!topic)
        return false;
    OpenHelpTopic(hwnd, wide(std::u16string(*topic)), appState().language);
    return true;
}

bool deliveryCommand(HWND, int id) {
    MainDialogState& d = mainDialogState();
    if (!applyDeliveryCommand(appState().settings, id, d.installedLayouts))
        return false;
    checkDeliveryItems(d.menu, appState().settings, d.installedLayouts);
    return true;
}

bool inputStateCommand(HWND, int id) {
    if (!applyInputStateCommand(appState().settings, id))
        return false;
    checkInputStateItems(mainDialogState().menu, appState().settings);
    return true;
}

using CommandFamily = bool (*)(HWND hwnd, int id);
constexpr CommandFamily kCommandFamilies[] = {
    removeCharactersCommand, insertNotationCommand, fileCommand,
    toggleCommand,           helpCommand,           deliveryCommand,
    inputStateCommand,
};

// Commands of one id each.

// Abort stops as Esc does, closing a pause box or a script's box it has open.
void startOrAbort(HWND, int) {
    MainDialogState& d = mainDialogState();
    if (d.run && d.run->running())
        stopRunAsAbort();
    else if (d.run)
        d.run->startOrAbort();
}

// The Exit button, Esc and, while no run goes on, the close box. Esc arrives
// here also during a run, with the Exit button disabled: it stops the run as
// Abort does, and the dialog stays; the next one asks.
void exitOrStop(HWND hwnd, int) {
    MainDialogState& d = mainDialogState();
    if (d.run && d.run->running()) {
        stopRunAsAbort();
        return;
    }
    const int answer =
        showDialogMessage(hwnd, dialogText(DialogText::ExitQuestion, appState().language),
                          MB_YESNO | MB_ICONQUESTION);
    if (answer == IDYES)
        EndDialog(hwnd, IDC_EXIT);
}

void exitAtOnce(HWND hwnd, int) {
    EndDialog(hwnd, IDM_EXIT);
}

void showAbout(HWND hwnd, int) {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd, GWLP_HINSTANCE));
    about::ShowAboutBox(hwnd, instance, appState().language, wide(appState().programTitle));
}

void keyboardModeClicked(HWND hwnd, int notification) {
    if (notification != BN_CLICKED)
        return;
    // Text written for another mode means something else here; a click by
    // mistake must not lose it, so each box can undo its clearing.
    for (int box : {IDC_TEXT, IDC_PREFIX, IDC_SUFFIX})
        clearUndoably(GetDlgItem(hwnd, box));
    UpdateModeControls(hwnd);
}

void modeOrWaitClicked(HWND hwnd, int notification) {
    if (notification == BN_CLICKED)
        UpdateModeControls(hwnd);
}

void bigDialogClicked(HWND hwnd, int notification) {
    if (notification == BN_CLICKED && IsDlgButtonChecked(hwnd, IDC_BIG_DIALOG) == BST_CHECKED)
        showAppMessage(hwnd, dialogText(DialogText::BigDialogNotice, appState().language),
                       dialogText(DialogText::BigDialogCaption, appState().language),
                       MB_OK | MB_ICONINFORMATION);
}

template <int kButton> void popUpMenuOf(HWND, int) {
    popUpMenuOfButton(mainDialogState(), kButton);
}

struct CommandRow {
    int id;
    void (*handle)(HWND hwnd, int notification);
};
constexpr CommandRow kCommands[] = {
    {IDC_START, startOrAbort},
    {IDC_EXIT, exitOrStop},
    {IDM_EXIT, exitAtOnce},
    {IDM_ABOUT, showAbout},
    {IDC_MODE_KEYBOARD, keyboardModeClicked},
    {IDC_MODE_UNICODE, modeOrWaitClicked},
    {IDC_MODE_SCRIPT, modeOrWaitClicked},
    {IDC_WAIT_AFTER_START, modeOrWaitClicked},
    {IDC_WAIT_UNTIL_TIME, modeOrWaitClicked},
    {IDC_BIG_DIALOG, bigDialogClicked},
    {IDC_MENU_FILE, popUpMenuOf<IDC_MENU_FILE>},
    {IDC_MENU_SETTINGS, popUpMenuOf<IDC_MENU_SETTINGS>},
    {IDC_MENU_KEYS, popUpMenuOf<IDC_MENU_KEYS>},
    {IDC_MENU_HELP, popUpMenuOf<IDC_MENU_HELP>},
};

} // namespace

void onMainDialogCommand(HWND hwnd, int id, int notification) {
    if (onQuickTypeCommand(id))
        return;
    for (const CommandRow& row : kCommands) {
        if (row.id == id) {
            row.handle(hwnd, notification);
            return;
        }
    }
    for (CommandFamily family : kCommandFamilies)
        if (family(hwnd, id))
            return;
}

void onMainDialogDropFiles(HWND hwnd, HDROP drop) {
    wchar_t path[kFileDialogPath + 1] = {};
    // The text box is locked while a run goes on: a file dropped during the
    // countdown would be what gets typed.
    const MainDialogState& d = mainDialogState();
    if (d.run && d.run->running()) {
        DragFinish(drop);
        return;
    }
    const UINT got = DragQueryFileW(drop, 0, path, kFileDialogPath);
    DragFinish(drop);
    if (got == 0)
        return;
    std::u16string text;
    const FileResult result = ReadTextFile(path, text);
    if (result != FileResult::Ok) {
        ReportReadError(hwnd, result, fileCommandUi());
        return;
    }
    SetDlgItemTextW(hwnd, IDC_TEXT, wide(text));
}

} // namespace tapwell
