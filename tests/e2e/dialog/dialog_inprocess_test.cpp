// The main dialog created inside the test process, where its menus can be
// read (Wine keeps menus private to their process).
#include "app/app_state.h"
#include "dialog/help_win32.h"
#include "dialog/main_dialog.h"
#include "dialog/main_dialog_win32.h"
#include "keystroke/keyboard_layout.h"
#include "resource.h"
#include "support/win_driver.h"
#include "theme/theme_win32.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <map>
#include <string>
#include <vector>

using namespace tapwell;
using namespace tapwell::e2e;

namespace {

std::wstring menuText(HMENU menu, UINT position) {
    wchar_t buffer[512] = {};
    GetMenuStringW(menu, position, buffer, 512, MF_BYPOSITION);
    return buffer;
}

bool checked(HMENU menu, UINT id) {
    return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

bool grayed(HMENU menu, UINT position) {
    return (GetMenuState(menu, position, MF_BYPOSITION) & MF_GRAYED) != 0;
}

// A dialog over a settings record of its own, saved to an ini file in a
// scratch folder when it is destroyed.
class InProcessDialog {
  public:
    explicit InProcessDialog(bool japanese, const Settings& settings = {}) {
        SetCurrentDirectoryW(makeScratchDir(japanese ? L"inproc-ja" : L"inproc-en").c_str());
        AppState& app = appState();
        setUiLanguage(app, japanese ? Language::Japanese : Language::English);
        app.UseIniFile = true;
        app.settings = settings;
        app.InputText.clear();
        app.textFromT = app.textFromF = false;
        dialog_ = CreateDialogParamW(GetModuleHandleW(nullptr),
                                     MAKEINTRESOURCEW(japanese ? IDD_MAIN_JA : IDD_MAIN_EN),
                                     nullptr, mainDialogProc, 0);
    }
    ~InProcessDialog() {
        if (IsWindow(dialog_))
            DestroyWindow(dialog_);
    }
    HWND hwnd() const { return dialog_; }
    HMENU menu() const { return GetMenu(dialog_); }
    void command(int id) const { SendMessageW(dialog_, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

  private:
    HWND dialog_ = nullptr;
};

RECT rectIn(HWND dialog, HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void writeFile(const std::wstring& path, const std::string& bytes) {
    FILE* f = _wfopen(path.c_str(), L"wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

// A drop of `paths`, as the shell hands it to the window.
HDROP makeDrop(const std::vector<std::wstring>& paths) {
    std::wstring list;
    for (const std::wstring& p : paths) {
        list += p;
        list.push_back(L'\0');
    }
    list.push_back(L'\0');
    const SIZE_T size = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GHND, size);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(),
                list.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

struct RecordedBox {
    std::wstring text;
    std::wstring caption;
    UINT flags = 0;
};

// Message boxes answered by the test instead of a person.
class BoxRecorder {
  public:
    explicit BoxRecorder(int answer) {
        previous_ = setAppMessagePresenter(
            [this, answer](HWND, const wchar_t* text, const wchar_t* caption, UINT flags) {
                boxes.push_back({text, caption, flags});
                return answer;
            });
    }
    ~BoxRecorder() { setAppMessagePresenter(previous_); }
    std::vector<RecordedBox> boxes;

  private:
    AppMessagePresenter previous_;
};

HWND ownedTooltip(HWND dialog) {
    struct Search {
        HWND owner;
        HWND found = nullptr;
    } search{dialog};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            wchar_t cls[64] = {};
            GetClassNameW(w, cls, 64);
            if (GetWindow(w, GW_OWNER) == s->owner && _wcsicmp(cls, TOOLTIPS_CLASSW) == 0 &&
                SendMessageW(w, TTM_GETTOOLCOUNT, 0, 0) > 0) {
                s->found = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

constexpr const wchar_t* kPersonalize =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

void setAppsUseLightTheme(DWORD value) {
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, kPersonalize, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                    nullptr);
    RegSetValueExW(key, L"AppsUseLightTheme", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                   sizeof(value));
    RegCloseKey(key);
}

} // namespace

// What a label needs of its control in the control's own font: its text
// with the mnemonic marks taken out, wrapped where the control wraps.
struct LabelFit {
    std::wstring text;
    SIZE needed{};
    SIZE room{};
};

std::vector<LabelFit> labelsOf(HWND dialog) {
    std::vector<LabelFit> labels;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t cls[32] = {};
        GetClassNameW(child, cls, 32);
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        const bool isStatic = _wcsicmp(cls, L"Static") == 0;
        if (!(style & WS_VISIBLE) || (!isStatic && _wcsicmp(cls, L"Button") != 0))
            continue;
        LabelFit label;
        label.text.resize(static_cast<std::size_t>(GetWindowTextLengthW(child)) + 1);
        label.text.resize(static_cast<std::size_t>(
            GetWindowTextW(child, label.text.data(), static_cast<int>(label.text.size()))));
        if (label.text.empty())
            continue;
        RECT client{};
        GetClientRect(child, &client);
        label.room = {client.right, client.bottom};
        UINT format = DT_CALCRECT;
        const LONG type = style & BS_TYPEMASK;
        if (isStatic) {
            format |= (style & SS_TYPEMASK) == SS_LEFTNOWORDWRAP ? DT_SINGLELINE : DT_WORDBREAK;
        } else {
            format |= (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
            if (type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON || type == BS_CHECKBOX ||
                type == BS_AUTOCHECKBOX)
                label.room.cx -= GetSystemMetrics(SM_CXMENUCHECK) + 4; // the box and its gap
            else if (type != BS_GROUPBOX)
                label.room.cx -= 2 * GetSystemMetrics(SM_CXEDGE); // the button's frame
        }
        HDC dc = GetDC(child);
        auto font = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
        HGDIOBJ old = SelectObject(dc, font);
        RECT needed{0, 0, label.room.cx, 0};
        DrawTextW(dc, label.text.c_str(), -1, &needed, format);
        SelectObject(dc, old);
        ReleaseDC(child, dc);
        label.needed = {needed.right, needed.bottom};
        labels.push_back(std::move(label));
    }
    return labels;
}

TEST(InProcessDialog, KeySubmenusHold192KeysInBothLanguages) {
    for (bool japanese : {false, true}) {
        InProcessDialog d(japanese);
        ASSERT_NE(d.hwnd(), nullptr);
        HMENU bar = d.menu();
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(GetMenuItemCount(bar), 4);
        HMENU keys = GetSubMenu(bar, 2);
        ASSERT_NE(keys, nullptr);
        EXPECT_EQ(GetMenuItemCount(keys), 6);
        const UINT bases[3] = {IDM_KEY_PUSH_BASE, IDM_KEY_PULL_BASE, IDM_KEY_PUSH_PULL_BASE};
        for (int i = 0; i < 3; ++i) {
            HMENU sub = GetSubMenu(keys, 3 + i);
            ASSERT_NE(sub, nullptr);
            EXPECT_EQ(GetMenuItemCount(sub), 192) << "placeholder left or keys missing";
            EXPECT_EQ(GetMenuItemID(sub, 0), bases[i] + 3);
            EXPECT_EQ(GetMenuItemID(sub, 191), bases[i] + 6);
            if (japanese) {
                EXPECT_EQ(menuText(sub, 0), L"VK_CANCEL … Ctrl+Break処理");
                EXPECT_EQ(menuText(sub, 191), L"VK_XBUTTON2 … マウスのX2ボタン");
            } else {
                EXPECT_EQ(menuText(sub, 0), L"VK_CANCEL");
                EXPECT_EQ(menuText(sub, 191), L"VK_XBUTTON2");
            }
        }
        EXPECT_EQ(menuText(bar, 0), japanese ? L"ファイル(&F)" : L"&File");
    }
}

// Clipped labels in a test prefix hide layout faults and spoil screenshots:
// the prefix gives the dialogs' fonts proportional faces, as a real system does.
TEST(InProcessDialog, EveryLabelFitsItsControlInBothLanguages) {
    for (bool japanese : {false, true}) {
        InProcessDialog d(japanese);
        ASSERT_NE(d.hwnd(), nullptr);
        const auto labels = labelsOf(d.hwnd());
        EXPECT_GE(labels.size(), 20u) << "radio buttons, labels and buttons are all measured";
        for (const LabelFit& label : labels) {
            EXPECT_LE(label.needed.cx, label.room.cx) << (japanese ? "ja " : "en ") << label.text;
            EXPECT_LE(label.needed.cy, label.room.cy) << (japanese ? "ja " : "en ") << label.text;
        }
    }
}

TEST(InProcessDialog, CheckMarksFollowTheSettingsAndTheirToggles) {
    Settings s;
    s.iDisableTab = 1;
    s.iErrorStop = 1;
    InProcessDialog d(false, s);
    HMENU bar = d.menu();
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(checked(bar, IDM_IGNORE_TAB));
    EXPECT_TRUE(checked(bar, IDM_ERROR_STOP));
    EXPECT_FALSE(checked(bar, IDM_IGNORE_SPACE));
    EXPECT_FALSE(checked(bar, IDM_ALWAYS_TOP));
    d.command(IDM_IGNORE_TAB);
    d.command(IDM_IGNORE_SPACE);
    d.command(IDM_IGNORE_RETURN);
    EXPECT_FALSE(checked(bar, IDM_IGNORE_TAB));
    EXPECT_TRUE(checked(bar, IDM_IGNORE_SPACE));
    EXPECT_TRUE(checked(bar, IDM_IGNORE_RETURN));
    EXPECT_EQ(appState().settings.iDisableTab, 0);
    EXPECT_EQ(appState().settings.iDisableSpace, 1);
    EXPECT_EQ(appState().settings.iDisableEnter, 1);

    d.command(IDM_ALWAYS_TOP);
    EXPECT_TRUE(checked(bar, IDM_ALWAYS_TOP));
    EXPECT_EQ(appState().settings.iTopMost, 1);
    d.command(IDM_ALWAYS_TOP);
    EXPECT_FALSE(checked(bar, IDM_ALWAYS_TOP));
    EXPECT_EQ(appState().settings.iTopMost, 0);
}

// Every command id of the menu tree with how often it occurs.
void countMenuIds(HMENU menu, std::map<UINT, int>& ids) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (HMENU sub = GetSubMenu(menu, i))
            countMenuIds(sub, ids);
        else if (!(GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR))
            ++ids[GetMenuItemID(menu, i)];
    }
}

std::wstring startTooltip(HWND dialog) {
    wchar_t buffer[256] = {};
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.hwnd = dialog;
    info.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(dialog, IDC_START));
    info.lpszText = buffer;
    SendMessageW(ownedTooltip(dialog), TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&info));
    return buffer;
}

TEST(InProcessDialog, EscAndFocusGuardSwitchesEndTheSettingsMenu) {
    for (bool japanese : {false, true}) {
        Settings s;
        s.iEscAbort = 1;
        InProcessDialog d(japanese, s);
        HMENU settings = GetSubMenu(d.menu(), 1);
        const int n = GetMenuItemCount(settings);
        ASSERT_GT(n, 4);
        EXPECT_EQ(GetMenuItemID(settings, n - 4), static_cast<UINT>(IDM_ALWAYS_TOP));
        EXPECT_NE(GetMenuState(settings, static_cast<UINT>(n - 3), MF_BYPOSITION) & MF_SEPARATOR,
                  0u);
        EXPECT_EQ(GetMenuItemID(settings, n - 2), static_cast<UINT>(IDM_ESC_ABORT));
        EXPECT_EQ(GetMenuItemID(settings, n - 1), static_cast<UINT>(IDM_FOCUS_GUARD));
        EXPECT_EQ(menuText(settings, static_cast<UINT>(n - 2)),
                  japanese ? L"Escキーで中止(&Q)" : L"Stop with the &Esc key");
        EXPECT_EQ(menuText(settings, static_cast<UINT>(n - 1)),
                  japanese ? L"入力先が非アクティブになったら一時停止(&G)"
                           : L"&Pause when the destination loses focus");
        EXPECT_TRUE(checked(d.menu(), IDM_ESC_ABORT));
        EXPECT_FALSE(checked(d.menu(), IDM_FOCUS_GUARD));
        d.command(IDM_ESC_ABORT);
        d.command(IDM_FOCUS_GUARD);
        EXPECT_FALSE(checked(d.menu(), IDM_ESC_ABORT));
        EXPECT_TRUE(checked(d.menu(), IDM_FOCUS_GUARD));
        EXPECT_EQ(appState().settings.iEscAbort, 0);
        EXPECT_EQ(appState().settings.iFocusGuard, 1);
        // A key item sharing a switch's id would toggle it instead.
        std::map<UINT, int> ids;
        countMenuIds(d.menu(), ids);
        for (const auto& [id, count] : ids)
            EXPECT_EQ(count, 1) << "menu id " << id;
        EXPECT_EQ(GetWindowTextLengthW(GetDlgItem(d.hwnd(), IDC_TEXT)), 0)
            << "a switch inserted text";
    }
}

TEST(InProcessDialog, StartTooltipSaysWhatTheButtonDoesNow) {
    Settings s;
    s.iInputMode = 1;
    s.iWaitSec = 30;
    InProcessDialog d(false, s);
    SetDlgItemTextW(d.hwnd(), IDC_TEXT, L"x");
    EXPECT_EQ(startTooltip(d.hwnd()), L"Start keyboard simulation");
    d.command(IDC_START);
    EXPECT_EQ(startTooltip(d.hwnd()), L"Stop the run (Esc in any window also stops it)");
    d.command(IDC_START);
    EXPECT_EQ(startTooltip(d.hwnd()), L"Start keyboard simulation");
    d.command(IDM_ESC_ABORT);
    d.command(IDC_START);
    EXPECT_EQ(startTooltip(d.hwnd()), L"Stop the run");
    d.command(IDC_START);
}

TEST(InProcessDialog, RunningGreysTheFourMenusAndAbortRestoresThem) {
    Settings s;
    s.iInputMode = 1;
    s.iWaitSec = 30;
    InProcessDialog d(false, s);
    HMENU bar = d.menu();
    ASSERT_NE(bar, nullptr);
    SetDlgItemTextW(d.hwnd(), IDC_TEXT, L"x");
    d.command(IDC_START);
    for (UINT pos = 0; pos < 4; ++pos)
        EXPECT_TRUE(grayed(bar, pos)) << pos;
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d.hwnd(), IDC_LOOP)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d.hwnd(), IDC_START)));
    d.command(IDC_START);
    for (UINT pos = 0; pos < 4; ++pos)
        EXPECT_FALSE(grayed(bar, pos)) << pos;
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d.hwnd(), IDC_LOOP)));
    // The hidden menu buttons stay disabled after a run in light mode.
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d.hwnd(), IDC_MENU_FILE)));
}

TEST(InProcessDialog, AcceleratorKeysAndTheirCommands) {
    EXPECT_EQ(acceleratorCommand('L', true), IDM_LOAD_TEXT);
    EXPECT_EQ(acceleratorCommand('S', true), IDM_SAVE_TEXT);
    EXPECT_EQ(acceleratorCommand(VK_F10, false), IDM_ABOUT);
    EXPECT_EQ(acceleratorCommand('L', false), 0) << "L alone is typing";
    EXPECT_EQ(acceleratorCommand('S', false), 0);
    EXPECT_EQ(acceleratorCommand('A', true), 0);
    EXPECT_EQ(acceleratorCommand(VK_F1, false), 0) << "F1 arrives as the help message";
}

TEST(InProcessDialog, DroppingFilesLoadsTheFirstOnly) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    Settings unicode; // keyboard mode would fold the loaded text to upper case
    unicode.iInputMode = 1;
    InProcessDialog d(false, unicode);
    const std::wstring dir = makeScratchDir(L"drop");
    writeFile(dir + L"first.txt", "\xEF\xBB\xBF"
                                  "first \xE3\x81\x82");
    writeFile(dir + L"second.txt", "second");
    SendMessageW(d.hwnd(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(
                     makeDrop({dir + L"first.txt", dir + L"second.txt", dir + L"third.txt"})),
                 0);
    wchar_t text[64] = {};
    GetDlgItemTextW(d.hwnd(), IDC_TEXT, text, 64);
    EXPECT_STREQ(text, L"first \u3042");

    // A file that cannot be read leaves the box as it was, with a message.
    BoxRecorder boxes(IDOK);
    SendMessageW(d.hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(makeDrop({dir + L"missing.txt"})),
                 0);
    GetDlgItemTextW(d.hwnd(), IDC_TEXT, text, 64);
    EXPECT_STREQ(text, L"first \u3042");
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, L"Cannot open the file.");
    EXPECT_EQ(boxes.boxes[0].flags & MB_ICONMASK, UINT(MB_ICONERROR));
    CoUninitialize();
}

TEST(InProcessDialog, TooltipsCoverTheLanguagesTable) {
    for (bool japanese : {false, true}) {
        InProcessDialog d(japanese);
        HWND tip = ownedTooltip(d.hwnd());
        ASSERT_NE(tip, nullptr);
        EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), japanese ? 8 : 5);
        EXPECT_NE(GetWindowLongW(tip, GWL_STYLE) & TTS_ALWAYSTIP, 0);
    }
}

TEST(InProcessDialog, BigDialogFillsTheWorkAreaFromTheTopLeftCorner) {
    RECT normal{};
    {
        InProcessDialog d(true);
        GetWindowRect(d.hwnd(), &normal);
    }
    Settings s;
    s.g_BigDialog = 1;
    InProcessDialog d(true, s);
    RECT big{};
    GetWindowRect(d.hwnd(), &big);
    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    GetMonitorInfoW(MonitorFromWindow(d.hwnd(), MONITOR_DEFAULTTONEAREST), &mi);
    const int w0 = normal.right - normal.left, h0 = normal.bottom - normal.top;
    const double factor = std::min(double(mi.rcWork.right - mi.rcWork.left) / w0,
                                   double(mi.rcWork.bottom - mi.rcWork.top) / h0);
    EXPECT_EQ(big.left, 0);
    EXPECT_EQ(big.top, 0);
    EXPECT_EQ(big.right - big.left, int(w0 * factor));
    EXPECT_EQ(big.bottom - big.top, int(h0 * factor));
    EXPECT_EQ(IsDlgButtonChecked(d.hwnd(), IDC_BIG_DIALOG), UINT(BST_CHECKED));
    LOGFONTW text{}, child{};
    GetObjectW(reinterpret_cast<HFONT>(SendDlgItemMessageW(d.hwnd(), IDC_TEXT, WM_GETFONT, 0, 0)),
               sizeof(text), &text);
    EXPECT_EQ(text.lfHeight, int(factor * 12));
    GetObjectW(reinterpret_cast<HFONT>(SendDlgItemMessageW(d.hwnd(), IDC_START, WM_GETFONT, 0, 0)),
               sizeof(child), &child);
    EXPECT_EQ(child.lfWeight, factor > 1.0 ? 600 : 400);
}

TEST(InProcessDialog, DarkSettingChangeSwapsMenuBarAndButtonsAtRunTime) {
    DWORD saved = 1, size = sizeof(saved);
    const bool hadValue = RegGetValueW(HKEY_CURRENT_USER, kPersonalize, L"AppsUseLightTheme",
                                       RRF_RT_REG_DWORD, nullptr, &saved, &size) == ERROR_SUCCESS;
    setAppsUseLightTheme(1);
    InProcessDialog d(false);
    HWND text = GetDlgItem(d.hwnd(), IDC_TEXT);
    const RECT light = rectIn(d.hwnd(), text);
    ASSERT_NE(d.menu(), nullptr);

    setAppsUseLightTheme(0);
    SendMessageW(d.hwnd(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"));
    EXPECT_EQ(d.menu(), nullptr);
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(d.hwnd(), IDC_MENU_HELP)));
    EXPECT_EQ(rectIn(d.hwnd(), text).top - light.top, GetSystemMetrics(SM_CYMENU));

    setAppsUseLightTheme(1);
    SendMessageW(d.hwnd(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"));
    EXPECT_NE(d.menu(), nullptr);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(d.hwnd(), IDC_MENU_HELP)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d.hwnd(), IDC_MENU_HELP)));
    EXPECT_EQ(rectIn(d.hwnd(), text).top, light.top);
    EXPECT_EQ(rectIn(d.hwnd(), text).bottom, light.bottom);

    if (hadValue)
        setAppsUseLightTheme(saved);
}

TEST(InProcessDialog, TickingTheEnlargementBoxExplainsItUntickingDoesNot) {
    InProcessDialog d(true);
    BoxRecorder boxes(IDOK);
    HWND check = GetDlgItem(d.hwnd(), IDC_BIG_DIALOG);
    SendMessageW(check, BM_CLICK, 0, 0);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].caption, L"設定画面強制拡大");
    EXPECT_EQ(boxes.boxes[0].text.rfind(L"「設定画面強制拡大」はテスト中の機能です。", 0), 0u);
    EXPECT_EQ(boxes.boxes[0].flags & MB_ICONMASK, UINT(MB_ICONINFORMATION));
    SendMessageW(check, BM_CLICK, 0, 0);
    EXPECT_EQ(boxes.boxes.size(), 1u);
}

TEST(InProcessDialog, StartWithAnEmptyBoxShowsTheMessageAndStaysIdle) {
    InProcessDialog d(false);
    BoxRecorder boxes(IDOK);
    d.command(IDC_START);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, L"It's empty!");
    EXPECT_EQ(boxes.boxes[0].caption, L"Davudiru Dodovizar");
    EXPECT_EQ(boxes.boxes[0].flags & MB_ICONMASK, UINT(MB_ICONERROR));
    wchar_t start[32] = {};
    GetDlgItemTextW(d.hwnd(), IDC_START, start, 32);
    EXPECT_STREQ(start, L"St&art");
    EXPECT_FALSE(grayed(d.menu(), 0));
}

namespace {

struct HelpCall {
    HWND owner;
    std::wstring path;
    UINT command;
};

std::vector<HelpCall> g_helpCalls;

HWND WINAPI recordHelpCall(HWND owner, const wchar_t* path, UINT command, DWORD_PTR) {
    g_helpCalls.push_back({owner, path ? path : L"(null)", command});
    return owner;
}

// The help library's entry replaced by a recorder for the life of the object.
class RecordingHelpEntry {
  public:
    RecordingHelpEntry() : saved_(helpLibraryState()) {
        g_helpCalls.clear();
        helpLibraryState().entry = recordHelpCall;
    }
    ~RecordingHelpEntry() { helpLibraryState() = saved_; }

  private:
    HelpLibraryState saved_;
};

UINT itemId(HMENU menu, int position) {
    return GetMenuItemID(menu, position);
}

bool radioChecked(HMENU menu, UINT id) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE;
    GetMenuItemInfoW(menu, id, FALSE, &info);
    return (info.fType & MFT_RADIOCHECK) && (info.fState & MFS_CHECKED);
}

// The first layout the machine lists, as the settings keep it.
std::uint32_t firstInstalledLayout() {
    HKL layouts[16] = {};
    if (GetKeyboardLayoutList(16, layouts) < 1)
        return 0;
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(layouts[0]));
}

// Lines of 99 characters and a line break, `length` characters in all.
std::wstring longText(std::size_t length, wchar_t fill) {
    std::wstring text(length, fill);
    for (std::size_t i = 99; i + 1 < length; i += 101) {
        text[i] = L'\r';
        text[i + 1] = L'\n';
    }
    return text;
}

std::size_t textLength(HWND edit) {
    return static_cast<std::size_t>(GetWindowTextLengthW(edit));
}

void putCaretAtEnd(HWND edit) {
    SendMessageW(edit, EM_SETSEL, textLength(edit), textLength(edit));
}

} // namespace

TEST(InProcessDialog, HelpMenusListTheSameTopicsInBothLanguages) {
    for (bool japanese : {false, true}) {
        InProcessDialog d(japanese);
        HMENU help = GetSubMenu(d.menu(), 3);
        ASSERT_NE(help, nullptr);
        ASSERT_EQ(GetMenuItemCount(help), 6);
        const UINT ids[] = {IDM_HELP, IDM_HELP_NOTATION, IDM_HELP_KEYCODES, IDM_HELP_SCRIPT,
                            0,        IDM_ABOUT};
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(itemId(help, i), ids[i]) << i;
        if (japanese) {
            EXPECT_EQ(menuText(help, 0), L"ヘルプ(&H)\tF1");
            EXPECT_EQ(menuText(help, 3), L"スクリプト(QZ-Script)解説(&F)");
        } else {
            EXPECT_EQ(menuText(help, 0), L"&Help\tF1");
            EXPECT_EQ(menuText(help, 1), L"About &special key notation");
            EXPECT_EQ(menuText(help, 2), L"About &virtual-key codes");
            EXPECT_EQ(menuText(help, 3), L"About the &script language (QZ-Script)");
            EXPECT_EQ(menuText(help, 5), L"&About...\tF10");
        }
    }
}

TEST(InProcessDialog, F1AndTheHelpMenuOpenTheTopicsOfTheInterfacesLanguage) {
    for (bool japanese : {false, true}) {
        InProcessDialog d(japanese);
        RecordingHelpEntry recorder;
        HELPINFO info{};
        info.cbSize = sizeof info;
        SendMessageW(d.hwnd(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
        for (int id : {IDM_HELP, IDM_HELP_NOTATION, IDM_HELP_KEYCODES, IDM_HELP_SCRIPT})
            d.command(id);
        const std::wstring folder =
            japanese ? L".\\tapwell.chm::/_RESOURCE/" : L".\\tapwell.chm::/_RESOURCE/en/";
        const std::wstring want[] = {folder + L"HLP000005.html", folder + L"HLP000005.html",
                                     folder + L"HLP000006.html", folder + L"HLP000011.html",
                                     folder + L"HLP000024.html"};
        ASSERT_EQ(g_helpCalls.size(), 5u);
        for (std::size_t i = 0; i < 5; ++i) {
            EXPECT_EQ(g_helpCalls[i].path, want[i]) << i;
            EXPECT_EQ(g_helpCalls[i].owner, d.hwnd());
            EXPECT_EQ(g_helpCalls[i].command, 0u) << "display topic";
        }
    }
}

TEST(InProcessDialog, DeliveryItemsInBothLanguagesFollowAndChangeTheSettings) {
    const std::uint32_t installed = firstInstalledLayout();
    ASSERT_NE(installed, 0u) << "the machine lists no keyboard layout";
    for (bool japanese : {false, true}) {
        Settings s;
        s.iDelivery = 1;
        s.iTargetLayout = kLayoutUs101;
        {
            InProcessDialog d(japanese, s);
            HMENU settings = GetSubMenu(d.menu(), 1);
            ASSERT_NE(settings, nullptr);
            // Right after the error stop and its separator, and before a separator.
            EXPECT_EQ(itemId(settings, 0), UINT(IDM_ERROR_STOP));
            EXPECT_EQ(itemId(settings, 2), UINT(IDM_DELIVERY_WRITTEN));
            EXPECT_EQ(itemId(settings, 3), UINT(IDM_DELIVERY_KEY_PRESSES));
            EXPECT_EQ(GetMenuState(settings, 5, MF_BYPOSITION) & MF_SEPARATOR, UINT(MF_SEPARATOR));
            EXPECT_EQ(itemId(settings, 6), UINT(IDM_IGNORE_SPACE));
            HMENU layouts = GetSubMenu(settings, 4);
            ASSERT_NE(layouts, nullptr);
            if (japanese) {
                EXPECT_EQ(menuText(settings, 2), L"そのまま送信(&W)");
                EXPECT_EQ(menuText(settings, 3),
                          L"キー操作として送信（リモートデスクトップ・仮想マシン）(&K)");
                EXPECT_EQ(menuText(settings, 4), L"入力先のキー配列(&L)");
            } else {
                EXPECT_EQ(menuText(settings, 2), L"Send as &written");
                EXPECT_EQ(menuText(settings, 3),
                          L"Send as &key presses (remote desktops, virtual machines)");
                EXPECT_EQ(menuText(settings, 4), L"Target &layout");
                EXPECT_EQ(menuText(layouts, 0), L"The local layout");
                EXPECT_EQ(menuText(layouts, 1), L"US (101)");
                EXPECT_EQ(menuText(layouts, 2), L"Japanese (106/109)");
            }
            EXPECT_EQ(itemId(layouts, 0), UINT(IDM_LAYOUT_LOCAL));
            EXPECT_EQ(itemId(layouts, 1), UINT(IDM_LAYOUT_US));
            EXPECT_EQ(itemId(layouts, 2), UINT(IDM_LAYOUT_JAPANESE));
            // The installed layouts follow a separator, each named with its id.
            EXPECT_EQ(itemId(layouts, 4), UINT(IDM_LAYOUT_INSTALLED_FIRST));
            wchar_t hex[16];
            std::swprintf(hex, 16, L"%08X", installed);
            const std::wstring first = menuText(layouts, 4);
            EXPECT_GT(first.size(), 8u);
            EXPECT_EQ(first.substr(first.size() - 8), hex) << "got " << toUtf8(first);

            HMENU bar = d.menu();
            EXPECT_TRUE(radioChecked(bar, IDM_DELIVERY_KEY_PRESSES));
            EXPECT_FALSE(radioChecked(bar, IDM_DELIVERY_WRITTEN));
            EXPECT_TRUE(radioChecked(bar, IDM_LAYOUT_US));
            EXPECT_FALSE(radioChecked(bar, IDM_LAYOUT_LOCAL));

            d.command(IDM_DELIVERY_WRITTEN);
            EXPECT_EQ(appState().settings.iDelivery, 0);
            EXPECT_TRUE(radioChecked(bar, IDM_DELIVERY_WRITTEN));
            EXPECT_FALSE(radioChecked(bar, IDM_DELIVERY_KEY_PRESSES));
            d.command(IDM_DELIVERY_KEY_PRESSES);
            EXPECT_EQ(appState().settings.iDelivery, 1);

            d.command(IDM_LAYOUT_INSTALLED_FIRST);
            EXPECT_EQ(appState().settings.iTargetLayout, installed);
            EXPECT_TRUE(radioChecked(bar, IDM_LAYOUT_INSTALLED_FIRST));
            EXPECT_FALSE(radioChecked(bar, IDM_LAYOUT_US));
            d.command(IDM_LAYOUT_JAPANESE);
            EXPECT_EQ(appState().settings.iTargetLayout, kLayoutJapanese);
            EXPECT_TRUE(radioChecked(bar, IDM_LAYOUT_JAPANESE));
            EXPECT_FALSE(radioChecked(bar, IDM_LAYOUT_INSTALLED_FIRST));
        }
        // Closing the dialog saved the choice.
        EXPECT_EQ(GetPrivateProfileIntW(L"TAPWELL", L"iDelivery", -1, L".\\tapwell.ini"), 1u);
        EXPECT_EQ(GetPrivateProfileIntW(L"TAPWELL", L"iTargetLayout", -1, L".\\tapwell.ini"),
                  UINT(kLayoutJapanese));
    }
}

TEST(InProcessDialog, ALayoutNoLongerInstalledShowsTheLocalOneChecked) {
    Settings s;
    s.iTargetLayout = 0x0C0C1009u; // a handle no Wine prefix of these tests has
    InProcessDialog d(false, s);
    EXPECT_TRUE(radioChecked(d.menu(), IDM_LAYOUT_LOCAL));
    EXPECT_TRUE(radioChecked(d.menu(), IDM_DELIVERY_WRITTEN)) << "written is the default";
    EXPECT_EQ(appState().settings.iTargetLayout, 0x0C0C1009u) << "the choice itself is kept";
}

TEST(InProcessDialog, TheTextBoxKeepsLongTextsWhole) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    Settings unicode;
    unicode.iInputMode = 1;
    InProcessDialog d(false, unicode);
    HWND box = GetDlgItem(d.hwnd(), IDC_TEXT);

    // A paste replaces the selection, as typing does.
    const std::wstring pasted = longText(49400, L'p');
    SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pasted.c_str()));
    EXPECT_EQ(textLength(box), pasted.size());

    // A megabyte loaded by a drop, then a Special Key insertion at its end.
    const std::wstring dir = makeScratchDir(L"long-text");
    const std::wstring big = longText(std::size_t{1} << 20, L'b');
    writeFile(dir + L"big.txt", std::string(big.begin(), big.end()));
    SendMessageW(d.hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(makeDrop({dir + L"big.txt"})), 0);
    ASSERT_EQ(textLength(box), std::size_t{1} << 20);
    putCaretAtEnd(box);
    d.command(IDM_INSERT_PAUSE);
    EXPECT_EQ(textLength(box), (std::size_t{1} << 20) + 1) << "the insertion was refused";
    const wchar_t typed[] = L"x";
    putCaretAtEnd(box);
    SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(typed));
    EXPECT_EQ(textLength(box), (std::size_t{1} << 20) + 2) << "typing was refused";
    CoUninitialize();
}

TEST(InProcessDialog, TheKeyboardRadiosClearingCanBeUndoneInEachBox) {
    Settings unicode;
    unicode.iInputMode = 1;
    InProcessDialog d(false, unicode);
    const int boxes[] = {IDC_TEXT, IDC_PREFIX, IDC_SUFFIX};
    const wchar_t* texts[] = {L"text of the box", L"pre", L"suf"};
    for (int i = 0; i < 3; ++i)
        SetDlgItemTextW(d.hwnd(), boxes[i], texts[i]);
    HWND radio = GetDlgItem(d.hwnd(), IDC_MODE_KEYBOARD);
    SendMessageW(radio, BM_CLICK, 0, 0);
    for (int id : boxes)
        EXPECT_EQ(GetWindowTextLengthW(GetDlgItem(d.hwnd(), id)), 0) << id;
    // A second click on the selected radio must not take the undo away.
    SendMessageW(radio, BM_CLICK, 0, 0);
    for (int i = 0; i < 3; ++i) {
        HWND box = GetDlgItem(d.hwnd(), boxes[i]);
        EXPECT_TRUE(SendMessageW(box, EM_CANUNDO, 0, 0)) << boxes[i];
        SendMessageW(box, WM_UNDO, 0, 0);
        wchar_t text[64] = {};
        GetWindowTextW(box, text, 64);
        EXPECT_STREQ(text, texts[i]) << "the text comes back in its own case";
    }
    // Typing afterwards still follows keyboard mode's upper case.
    HWND text = GetDlgItem(d.hwnd(), IDC_TEXT);
    SendMessageW(text, EM_SETSEL, 0, 0);
    SendMessageW(text, WM_CHAR, L'a', 0);
    wchar_t first[2] = {};
    GetWindowTextW(text, first, 2);
    EXPECT_STREQ(first, L"A");
}

namespace {

// Dark for the life of the object; the test prefix's value comes back after.
class DarkSetting {
  public:
    DarkSetting() {
        DWORD size = sizeof(saved_);
        had_ = RegGetValueW(HKEY_CURRENT_USER, kPersonalize, L"AppsUseLightTheme", RRF_RT_REG_DWORD,
                            nullptr, &saved_, &size) == ERROR_SUCCESS;
        setAppsUseLightTheme(0);
    }
    ~DarkSetting() {
        setAppsUseLightTheme(had_ ? saved_ : 1);
        ReadDarkModeSetting(GetModuleHandleW(nullptr));
    }

  private:
    DWORD saved_ = 1;
    bool had_ = false;
};

void colourSetChanged(HWND dialog) {
    SendMessageW(dialog, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"));
}

} // namespace

TEST(InProcessDialog, ASwitchToDarkRestylesWithTheNewFlag) {
    setAppsUseLightTheme(1);
    ReadDarkModeSetting(GetModuleHandleW(nullptr));
    InProcessDialog d(false);
    HWND tip = ownedTooltip(d.hwnd());
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(tip, TTM_GETTIPBKCOLOR, 0, 0)),
              GetSysColor(COLOR_INFOBK));
    DarkSetting dark;
    colourSetChanged(d.hwnd());
    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(tip, TTM_GETTIPBKCOLOR, 0, 0)), RGB(45, 45, 45))
        << "the tooltip kept the old look";
    setAppsUseLightTheme(1);
    colourSetChanged(d.hwnd());
    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(tip, TTM_GETTIPBKCOLOR, 0, 0)),
              GetSysColor(COLOR_INFOBK));
}

TEST(InProcessDialog, ASettingChangeDuringARunLeavesTheMenuButtonsDisabled) {
    DarkSetting dark;
    Settings s;
    s.iInputMode = 1;
    s.iWaitSec = 30;
    InProcessDialog d(false, s);
    colourSetChanged(d.hwnd());
    ASSERT_TRUE(isDarkMode());
    HWND file = GetDlgItem(d.hwnd(), IDC_MENU_FILE);
    ASSERT_TRUE(IsWindowVisible(file));
    EXPECT_TRUE(IsWindowEnabled(file));

    SetDlgItemTextW(d.hwnd(), IDC_TEXT, L"x");
    d.command(IDC_START);
    EXPECT_FALSE(IsWindowEnabled(file));
    for (const wchar_t* area : {L"ImmersiveColorSet", L"Policy"}) {
        SendMessageW(d.hwnd(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(area));
        for (int id = IDC_MENU_FILE; id <= IDC_MENU_HELP; ++id)
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d.hwnd(), id))) << id;
    }
    d.command(IDC_START); // Abort
    for (int id = IDC_MENU_FILE; id <= IDC_MENU_HELP; ++id)
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d.hwnd(), id))) << id;
}
