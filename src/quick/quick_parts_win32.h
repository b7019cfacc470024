// The pieces of quick type's Windows side that quick_type_win32.cpp puts
// together: the progress window, the target click, the installed layouts as
// the AltGr check sees them, and the Hotkeys dialog.
#pragma once

#include "common/language.h"
#include "quick/hotkey.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>
#include <windows.h>

namespace tapwell {

// A small topmost window at the bottom right of the destination's monitor:
// never activated, never focused, and clicks go through it.
class ProgressWindow {
  public:
    ProgressWindow() = default;
    ~ProgressWindow();
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

    void show(HWND destination, std::u16string_view text);
    void setText(std::u16string_view text);
    void hide();
    HWND window() const { return hwnd_; }

  private:
    static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void place(HWND destination);

    HWND hwnd_ = nullptr;
    HFONT font_ = nullptr;
    std::wstring text_;
};

// "Click where to type…": the cursor becomes a cross until the next left
// click, which passes on to its window (so that it can place the caret) and
// names the destination; Esc or a right click cancels. On the GUI thread.
class ClickTarget {
  public:
    // `done` gets the top-level window under the click, or nullptr when
    // cancelled.
    static bool begin(std::function<void(HWND)> done);
    static void cancel();
    static bool active();
};

// The installed layouts, each asked through its handle.
std::vector<std::unique_ptr<AltGrLayout>> installedAltGrLayouts();

// The Hotkeys dialog's view of quick type.
struct HotkeysDialogContext {
    Language language = Language::English;
    std::u16string programTitle;
    Hotkey clipboard;
    Hotkey text;
    // Registers `hotkey` for `id` in place of the current one; false when
    // another program holds it (the current one is kept then).
    std::function<bool(int id, Hotkey hotkey)> registerHotkey;
    // Whether `hotkey` could be registered now (for a suggestion).
    std::function<bool(Hotkey hotkey)> available;
};

// Modal to `owner`. True when OK was pressed; the context then holds the
// hotkeys, already registered.
bool runHotkeysDialog(HWND owner, HotkeysDialogContext& context);

} // namespace tapwell
