// The main dialog's insides, shared by its files: its state, the anchored
// layout, the control helpers, the running look, the menus and the accelerator.
#pragma once

#include "common/language.h"
#include "common/windows_glue_win32.h"
#include "dialog/delivery_menu.h"
#include "dialog/dialog_layout.h"
#include "dialog/file_commands_win32.h"
#include "resource.h"
#include "settings/process_state.h"

#include <memory>
#include <shellapi.h>
#include <span>
#include <string>
#include <string_view>
#include <vector>
#include <windows.h>

namespace tapwell {

// The resizable dialog: anchored controls, the minimum tracking size, and
// the enlargement that fills a monitor.
class DialogAnchorLayout {
  public:
    // Measures every control of `anchors` against the dialog's current client
    // area; the window's current size becomes the minimum size, with no maximum.
    DialogAnchorLayout(HWND dialog, std::span<const AnchorSpec> anchors);

    void relayout() const;
    // Writes the tracking limits into a min/max-info request.
    void applyTrackingSize(MINMAXINFO& info) const;

    void setTopOffset(int pixels) { topOffset_ = pixels; }
    int topOffset() const { return topOffset_; }
    void setMinimumTrackingSize(std::uint32_t width, std::uint32_t height);

  private:
    struct Entry {
        HWND control = nullptr;
        AnchorEntry anchor;
    };
    HWND dialog_;
    std::vector<Entry> entries_;
    std::uint32_t minWidth_ = 0, minHeight_ = 0;
    int topOffset_ = 0;
};

LayoutRect clientRectOf(HWND dialog);
// A child's rectangle in its parent's client coordinates.
LayoutRect childRect(HWND dialog, HWND child);

// Scales the dialog, its children and their font to fill the work area of the
// nearest monitor. False when the window does not exist.
bool enlargeDialog(HWND dialog);
// 0 while no enlargement is active.
double enlargementScale();
// Gives the children their earlier font back and frees the scaled one.
void undoEnlargement();

// What the main dialog keeps while it exists. One instance for the process:
// the run, the script host and the message boxes use its window as owner.
class DialogRunHost;
class SimulationRun;

struct MainDialogState {
    HWND hwnd = nullptr;
    HMENU menu = nullptr; // the loaded menu: checks, key items, pop-ups
    HFONT textFont = nullptr;
    HWND tooltip = nullptr;
    HHOOK acceleratorHook = nullptr;
    Language language = Language::Japanese;
    std::unique_ptr<DialogAnchorLayout> layout;
    // Tops of the mode prompt, the mode radios, the mode description and the text
    // box as laid out with a real menu bar.
    int rememberedTop[4] = {0, 0, 0, 0};
    bool menuButtonsShown = false;
    std::unique_ptr<DialogRunHost> runHost;
    std::unique_ptr<SimulationRun> run;
    // The installed layouts of the Target layout submenu, as it was filled.
    std::vector<LayoutMenuItem> installedLayouts;
};

MainDialogState& mainDialogState();

// The Settings menu's check items and the flags they switch.
struct MenuToggle {
    int commandId;
    std::uint8_t Settings::*flag;
};
inline constexpr MenuToggle kMenuToggles[] = {
    {IDM_ERROR_STOP, &Settings::iErrorStop},      {IDM_IGNORE_TAB, &Settings::iDisableTab},
    {IDM_IGNORE_SPACE, &Settings::iDisableSpace}, {IDM_IGNORE_RETURN, &Settings::iDisableEnter},
    {IDM_ALWAYS_TOP, &Settings::iTopMost},        {IDM_ESC_ABORT, &Settings::iEscAbort},
    {IDM_FOCUS_GUARD, &Settings::iFocusGuard},
};

// The pieces of the dialog procedure: initialisation, commands, dropped files.
bool dialogIsJapanese();
// The file commands' view of the program: language, title, message box.
FileCommandUi fileCommandUi();
void checkMenu(HMENU menu, int id, bool on);
// Above all windows (on) or back among the normal ones, without moving.
void placeTopMost(HWND hwnd, bool on);

// WM_INITDIALOG, in the order the dialog is built up.
BOOL initialiseMainDialog(HWND hwnd);
void onMainDialogCommand(HWND hwnd, int id, int notification);
// The user's stop (Abort, Esc in any window, a close request, the end of
// the session): the run is aborted, releasing what it
// holds, and the boxes it has open are answered. Nothing when idle.
void stopRunAsAbort();
// Loads the first of the dropped files into the text box.
void onMainDialogDropFiles(HWND hwnd, HDROP drop);

// Small helpers for reading and changing the main dialog's controls.

std::u16string controlText16(HWND dialog, int controlId);
void setControlText16(HWND dialog, int controlId, std::u16string_view text);
void enableControl(HWND dialog, int controlId, bool enabled);
// The program's message box with the program title as caption.
int showDialogMessage(HWND owner, std::u16string_view text, UINT flags);

// The input mode's effect on the main dialog's controls, and the running look.

// Upper-case style, mode description and the enabled state that the mode and
// wait radios call for.
void UpdateModeControls(HWND dialog);

// The text, prefix and suffix boxes give back what an undo restores in its
// own case, also while the upper-case style is on.
void keepCaseOnUndo(HWND dialog);

// Idle: Start reads "St&art", menus and controls usable, mode rules applied.
// Running: Start reads "Abort", the four menus greyed, the controls disabled.
// The Start button's tooltip follows its role.
void applyRunLook(HWND dialog, HMENU menu, bool running);
void updateStartTooltip(HWND dialog, HWND tooltip, bool running);

// The main dialog's tooltips: one window, shown even while the dialog is not
// active, one tool per control of the language's table.

// Returns the tooltip window (owned by the dialog, destroyed with it).
HWND createDialogTooltips(HWND dialog, Language language);

// The menu bar, or in dark mode the four flat buttons that stand in for it.

// Attaches the menu bar (light) or shows the flat buttons and moves the
// controls below them down by one menu line (dark); then re-lays out.
void applyMenuBarMode(MainDialogState& dialog, bool dark);

// Pops up the menu of flat button `buttonId` below the button.
void popUpMenuOfButton(MainDialogState& dialog, int buttonId);

// The Special Key Input menu on Windows: filling its three key submenus and
// inserting a command's notation into the text box.

// `menuBar` is the loaded menu; its third menu holds the submenus at
// positions 3, 4 and 5, each with one placeholder item that is removed.
void fillKeySubmenus(HMENU menuBar, Language language);

// The Settings menu's delivery radios and Target layout submenu.

// Appends the installed layouts to the submenu of the loaded menu `menuBar`
// and returns their items.
std::vector<LayoutMenuItem> fillLayoutSubmenu(HMENU menuBar);

// Radio check marks on the delivery item and the layout item of `settings`.
void checkDeliveryItems(HMENU menuBar, const Settings& settings,
                        std::span<const LayoutMenuItem> installedLayouts);
// Radio check marks on the IME and Caps Lock submenus (input_state_menu.h).
void checkInputStateItems(HMENU menuBar, const Settings& settings);

// Replaces the text box's selection with the command's notation as one
// undoable edit. False when `commandId` inserts nothing.
bool insertNotationForCommand(HWND textBox, int commandId);

// Ctrl+L, Ctrl+S and F10 for the main dialog: a keyboard hook on the GUI
// thread that acts only while the dialog is the active window.

// What a key press means to the dialog: a command id, or 0.
int acceleratorCommand(WPARAM virtualKey, bool controlHeld);

HHOOK installAcceleratorHook(HWND dialog);
void removeAcceleratorHook(HHOOK hook);

} // namespace tapwell
