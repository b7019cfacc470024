// The main dialog created inside the test process, where its menus, tooltips
// and edit controls can be read (Wine keeps menus private to their process).
#include "app/app_state.h"
#include "dialog/main_dialog.h"
#include "dialog/main_dialog_win32.h"
#include "resource.h"
#include "support/win_driver.h"
#include "theme/theme_win32.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstring>
#include <fstream>

using namespace tapwell;
using namespace tapwell::e2e;

namespace {

// A dialog over a settings record of its own, in a scratch folder.
class InProcessDialog {
  public:
    explicit InProcessDialog(bool japanese, const Settings& settings = {}) {
        SetCurrentDirectoryW(makeScratchDir(L"inproc").c_str());
        AppState& app = appState();
        setUiLanguage(app, japanese ? Language::Japanese : Language::English);
        app.UseIniFile = true;
        app.settings = settings;
        dialog_ = CreateDialogParamW(GetModuleHandleW(nullptr),
                                     MAKEINTRESOURCEW(japanese ? IDD_MAIN_JA : IDD_MAIN_EN),
                                     nullptr, mainDialogProc, 0);
    }
    ~InProcessDialog() { DestroyWindow(dialog_); }
    HWND hwnd() const { return dialog_; }
    HWND item(int id) const { return GetDlgItem(dialog_, id); }
    void command(int id) const { SendMessageW(dialog_, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    std::wstring text(int id) const { return textOf(item(id)); }

  private:
    HWND dialog_ = nullptr;
};

Settings unicodeMode() {
    Settings s;
    s.iInputMode = 1; // keyboard mode would fold texts to upper case
    s.iWaitSec = 30;  // a run stays in its countdown
    return s;
}

// Lines of 99 characters and a line break, `length` characters in all.
std::wstring longText(std::size_t length) {
    std::wstring text(length, L'b');
    for (std::size_t i = 99; i + 1 < length; i += 101)
        text.replace(i, 2, L"\r\n");
    return text;
}

// A drop of one file, as the shell hands it to the window.
WPARAM dropOf(const std::wstring& path) {
    const SIZE_T size = sizeof(DROPFILES) + (path.size() + 2) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GHND, size); // zeroed: the list ends in two nulls
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(drop + 1, path.c_str(), path.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    return reinterpret_cast<WPARAM>(memory);
}

} // namespace

// Clipped labels hide layout faults: the test prefix gives the dialogs' fonts
// proportional faces, as a real system does, and each visible label is
// measured in its control's own font, wrapped where the control wraps.
TEST(InProcessDialog, EveryLabelFitsItsControlInBothLanguages) {
    for (bool japanese : {false, true}) {
        InProcessDialog d(japanese);
        ASSERT_NE(d.hwnd(), nullptr);
        int measured = 0;
        for (HWND c = GetWindow(d.hwnd(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            wchar_t cls[32] = {};
            GetClassNameW(c, cls, 32);
            const LONG style = GetWindowLongW(c, GWL_STYLE);
            const bool isStatic = _wcsicmp(cls, L"Static") == 0;
            const std::wstring text = textOf(c);
            if (!(style & WS_VISIBLE) || text.empty() || (!isStatic && _wcsicmp(cls, L"Button")))
                continue;
            RECT room{};
            GetClientRect(c, &room);
            UINT format = DT_CALCRECT | DT_WORDBREAK;
            const LONG type = style & BS_TYPEMASK;
            if (isStatic && (style & SS_TYPEMASK) == SS_LEFTNOWORDWRAP)
                format = DT_CALCRECT | DT_SINGLELINE;
            if (!isStatic && !(style & BS_MULTILINE))
                format = DT_CALCRECT | DT_SINGLELINE;
            if (!isStatic && (type == BS_AUTORADIOBUTTON || type == BS_AUTOCHECKBOX))
                room.right -= GetSystemMetrics(SM_CXMENUCHECK) + 4; // the box and its gap
            else if (!isStatic && type != BS_GROUPBOX)
                room.right -= 2 * GetSystemMetrics(SM_CXEDGE); // the button's frame
            HDC dc = GetDC(c);
            HGDIOBJ old =
                SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(c, WM_GETFONT, 0, 0)));
            RECT needed{0, 0, room.right, 0};
            DrawTextW(dc, text.c_str(), -1, &needed, format);
            SelectObject(dc, old);
            ReleaseDC(c, dc);
            EXPECT_LE(needed.right, room.right) << japanese << " " << toUtf8(text);
            EXPECT_LE(needed.bottom, room.bottom) << japanese << " " << toUtf8(text);
            ++measured;
        }
        EXPECT_GE(measured, 20) << "radio buttons, labels and buttons are all measured";
    }
}

TEST(InProcessDialog, TheTextBoxKeepsLongTextsWhole) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    InProcessDialog d(false, unicodeMode());
    HWND box = d.item(IDC_TEXT);
    auto length = [&] { return static_cast<std::size_t>(GetWindowTextLengthW(box)); };
    auto typeAtEnd = [&](const wchar_t* text) {
        SendMessageW(box, EM_SETSEL, length(), length());
        SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
    };
    // A paste past the edit control's default limit of 30,000 characters.
    typeAtEnd(longText(49400).c_str());
    EXPECT_EQ(length(), 49400u);

    // A megabyte loaded by a drop, then a Special Key insertion and typing at its end.
    constexpr std::size_t kMega = std::size_t{1} << 20;
    const std::wstring file = makeScratchDir(L"long-text") + L"big.txt";
    const std::wstring big = longText(kMega);
    std::ofstream(file.c_str(), std::ios::binary) << std::string(big.begin(), big.end());
    SendMessageW(d.hwnd(), WM_DROPFILES, dropOf(file), 0);
    ASSERT_EQ(length(), kMega);
    SendMessageW(box, EM_SETSEL, kMega, kMega);
    d.command(IDM_INSERT_PAUSE);
    EXPECT_EQ(length(), kMega + 1) << "the insertion was refused";
    typeAtEnd(L"x");
    EXPECT_EQ(length(), kMega + 2) << "typing was refused";
    CoUninitialize();
}

TEST(InProcessDialog, InsertionsAndTheKeyboardRadiosClearingCanBeUndone) {
    InProcessDialog d(false, unicodeMode());
    // A key item replaces the selection, and undo takes it back.
    SetDlgItemTextW(d.hwnd(), IDC_TEXT, L"abcdef");
    SendMessageW(d.item(IDC_TEXT), EM_SETSEL, 2, 4);
    d.command(IDM_KEY_PUSH_BASE + VK_SHIFT);
    EXPECT_EQ(d.text(IDC_TEXT), L"ab[VK_SHIFT)ef");
    SendMessageW(d.item(IDC_TEXT), EM_UNDO, 0, 0);
    EXPECT_EQ(d.text(IDC_TEXT), L"abcdef");

    const int boxes[] = {IDC_TEXT, IDC_PREFIX, IDC_SUFFIX};
    const wchar_t* texts[] = {L"text of the box", L"pre", L"suf"};
    for (int i = 0; i < 3; ++i)
        SetDlgItemTextW(d.hwnd(), boxes[i], texts[i]);
    // A second click on the selected radio must not take the undo away.
    for (int click = 0; click < 2; ++click)
        SendMessageW(d.item(IDC_MODE_KEYBOARD), BM_CLICK, 0, 0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(d.text(boxes[i]), L"") << boxes[i];
        SendMessageW(d.item(boxes[i]), WM_UNDO, 0, 0);
        EXPECT_EQ(d.text(boxes[i]), texts[i]) << "the text comes back in its own case";
    }
    // Typing afterwards follows keyboard mode's upper case.
    SendMessageW(d.item(IDC_TEXT), EM_SETSEL, 0, 0);
    SendMessageW(d.item(IDC_TEXT), WM_CHAR, L'a', 0);
    EXPECT_EQ(d.text(IDC_TEXT), L"Atext of the box");
}

namespace {

constexpr const wchar_t* kPersonalize =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

void setLightTheme(DWORD value) {
    RegSetKeyValueW(HKEY_CURRENT_USER, kPersonalize, L"AppsUseLightTheme", REG_DWORD, &value,
                    sizeof value);
}

std::wstring startTooltip(HWND dialog) {
    struct Search {
        HWND owner, found = nullptr;
    } search{dialog};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            wchar_t cls[64] = {};
            GetClassNameW(w, cls, 64);
            if (GetWindow(w, GW_OWNER) == s->owner && _wcsicmp(cls, TOOLTIPS_CLASSW) == 0)
                s->found = w;
            return s->found == nullptr;
        },
        reinterpret_cast<LPARAM>(&search));
    wchar_t buffer[256] = {};
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.hwnd = dialog;
    info.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(dialog, IDC_START));
    info.lpszText = buffer;
    SendMessageW(search.found, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&info));
    return buffer;
}

} // namespace

// While a run counts down, the menus are locked and the Start button's
// tooltip says how to stop it; a switch to dark during the run puts flat menu
// buttons in place of the menu bar, and they must come up locked too.
TEST(InProcessDialog, ARunLocksTheMenusAndTheTooltipSaysHowToStop) {
    setLightTheme(1);
    ReadDarkModeSetting(GetModuleHandleW(nullptr));
    InProcessDialog d(false, unicodeMode());
    HMENU bar = GetMenu(d.hwnd());
    ASSERT_NE(bar, nullptr);
    auto greyed = [&](UINT pos) {
        return (GetMenuState(bar, pos, MF_BYPOSITION) & MF_GRAYED) != 0;
    };
    SetDlgItemTextW(d.hwnd(), IDC_TEXT, L"x");
    for (const bool escStops : {true, false}) {
        EXPECT_EQ(startTooltip(d.hwnd()), L"Start keyboard simulation");
        d.command(IDC_START);
        EXPECT_EQ(startTooltip(d.hwnd()),
                  escStops ? L"Stop the run (Esc in any window also stops it)" : L"Stop the run");
        for (UINT pos = 0; pos < 4; ++pos)
            EXPECT_TRUE(greyed(pos)) << pos;
        d.command(IDC_START); // Abort
        for (UINT pos = 0; pos < 4; ++pos)
            EXPECT_FALSE(greyed(pos)) << pos;
        d.command(IDM_ESC_ABORT);
    }
    d.command(IDC_START);
    setLightTheme(0);
    for (const wchar_t* area : {L"ImmersiveColorSet", L"Policy"}) {
        SendMessageW(d.hwnd(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(area));
        EXPECT_EQ(GetMenu(d.hwnd()), nullptr);
        for (int id = IDC_MENU_FILE; id <= IDC_MENU_HELP; ++id)
            EXPECT_TRUE(IsWindowVisible(d.item(id)) && !IsWindowEnabled(d.item(id))) << id;
    }
    d.command(IDC_START); // Abort
    for (int id = IDC_MENU_FILE; id <= IDC_MENU_HELP; ++id)
        EXPECT_TRUE(IsWindowEnabled(d.item(id))) << id;
    setLightTheme(1);
    ReadDarkModeSetting(GetModuleHandleW(nullptr));
}
