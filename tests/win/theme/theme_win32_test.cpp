// Dark-mode theming under Wine: disabled controls' painting, message boxes that theme only
// themselves, and the About box shown with this program's icon, manifest and version block.
#include "about/about_box.h"
#include "about/about_box_win32.h"
#include "resource.h"
#include "support/win_driver.h"
#include "theme/theme_win32.h"
#include "theme_test_resources.h"

#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <thread>

namespace tapwell::wintest {

constexpr COLORREF kDark = RGB(56, 56, 56);

// Sets "AppsUseLightTheme" for the test's user (0 is dark; nullopt deletes
// it, as in a fresh prefix) and has the program read its flag again.
void setLightTheme(std::optional<DWORD> value) {
    constexpr const wchar_t* kKey =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
    if (value)
        RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"AppsUseLightTheme", REG_DWORD, &*value, 4);
    else
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, L"AppsUseLightTheme");
    ReadDarkModeSetting(GetModuleHandleW(nullptr));
}

// Asks for the dialog colours as a child would, with a memory DC: the dark
// look answers the dark brush and white text.
bool answersDark(HWND window) {
    HDC dc = CreateCompatibleDC(nullptr);
    const auto brush =
        reinterpret_cast<HBRUSH>(SendMessageW(window, WM_CTLCOLORDLG, WPARAM(dc), LPARAM(window)));
    LOGBRUSH lb{};
    const bool dark = brush && GetObjectW(brush, sizeof lb, &lb) == sizeof lb &&
                      lb.lbColor == kDark && GetTextColor(dc) == RGB(255, 255, 255);
    DeleteDC(dc);
    return dark;
}

COLORREF clientPixel(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return c;
}

void pumpFor(DWORD ms) {
    e2e::pumpUntil([] { return false; }, ms);
}

// The small modeless dialog of the test's resources; `themed` routes its
// messages through the theme like the main dialog.
constexpr int kStatic = IDC_THEME_TEST_STATIC, kCheck = IDC_THEME_TEST_CHECK,
              kRadio = IDC_THEME_TEST_RADIO;
HWND createTestDialog(bool themed) {
    DLGPROC dark = [](HWND d, UINT m, WPARAM w, LPARAM l) -> INT_PTR {
        INT_PTR result = 0;
        return handleDialogThemeMessage(d, m, w, l, result) ? result : m == WM_INITDIALOG;
    };
    DLGPROC plain = [](HWND, UINT msg, WPARAM, LPARAM) -> INT_PTR { return msg == WM_INITDIALOG; };
    return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_THEME_TEST), nullptr,
                              themed ? dark : plain, 0);
}

constexpr COLORREF kMarkFill = RGB(76, 76, 76), kGreyInk = RGB(127, 127, 127);

// While the message box below is up: opens a plain dialog, re-activates the owner.
HWND g_openedDuringBox = nullptr, g_boxOwner = nullptr;
void CALLBACK openDialogDuringBox(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    g_openedDuringBox = createTestDialog(false);
    HWND box = GetActiveWindow();
    SetActiveWindow(g_boxOwner);
    SetActiveWindow(box);
}

// During a run everything is disabled: marks turn grey and the chosen mode
// must still show.
TEST(ThemedDialogs, DisabledControlsPaintGreyAndAMessageBoxThemesOnlyItself) {
    setLightTheme(0);
    HWND dlg = createTestDialog(true);
    ASSERT_TRUE(dlg);
    SendMessageW(dlg, WM_THEMECHANGED, 0, 0);
    subclassForDisabledPainting(dlg);
    pumpFor(300);
    auto pixel = [dlg](int id, int x, int y) { return clientPixel(GetDlgItem(dlg, id), x, y); };
    auto greyInk = [&](int id, RECT r) { // anywhere inside `r` of the control
        bool ink = false;
        for (int x = r.left; x < r.right && !ink; ++x)
            for (int y = r.top; y < r.bottom && !ink; ++y)
                ink = pixel(id, x, y) == kGreyInk;
        return ink;
    };
    EXPECT_TRUE(answersDark(dlg));
    EXPECT_EQ(clientPixel(dlg, 5, 5), kDark);
    EXPECT_NE(pixel(kRadio, 7, 7), kMarkFill);
    for (int id : {kRadio, kCheck, kStatic})
        EnableWindow(GetDlgItem(dlg, id), FALSE);
    pumpFor(300);
    EXPECT_EQ(pixel(kRadio, 7, 7), kMarkFill);
    EXPECT_EQ(pixel(kCheck, 7, 7), kMarkFill);
    EXPECT_EQ(pixel(kRadio, 0, 7), kGreyInk) << "the circle's outline";
    EXPECT_TRUE(greyInk(kStatic, {0, 0, 100, 16})) << "the text";

    for (int id : {kRadio, kCheck})
        CheckDlgButton(dlg, id, BST_CHECKED);
    pumpFor(300);
    EXPECT_EQ(pixel(kRadio, 7, 7), kGreyInk) << "the radio's dot";
    EXPECT_TRUE(greyInk(kCheck, {2, 2, 12, 12})) << "the box's tick";
    CheckDlgButton(dlg, kCheck, BST_UNCHECKED);
    EnableWindow(GetDlgItem(dlg, kRadio), TRUE);
    pumpFor(300);
    EXPECT_FALSE(greyInk(kCheck, {2, 2, 12, 12}));
    EXPECT_NE(pixel(kRadio, 7, 7), kGreyInk);
    DestroyWindow(dlg);

    // Only the box is the hook's: its owner, re-activated while the box is up
    // (as when it closes), and a dialog a timer opens meanwhile keep their own
    // colours; the box's colours follow the setting.
    g_boxOwner = createTestDialog(false);
    SetForegroundWindow(g_boxOwner);
    pumpFor(200);
    SetTimer(nullptr, 0, 100, openDialogDuringBox);
    std::atomic<int> darkWhileDark{-1}, darkAfterLight{-1};
    std::thread driver([&] {
        auto box = e2e::waitForMessageBox(GetCurrentProcessId(), L"Owned box", 10000);
        if (!box)
            return;
        Sleep(400); // the timer's dialog opens meanwhile
        darkWhileDark = answersDark(box->hwnd);
        setLightTheme(1);
        darkAfterLight = answersDark(box->hwnd);
        setLightTheme(0);
        e2e::pressButton(*box, L"OK");
    });
    EXPECT_EQ(ThemedMessageBox(g_boxOwner, L"text", L"Owned box", MB_OK), IDOK);
    driver.join();
    EXPECT_EQ(darkWhileDark, 1);
    EXPECT_EQ(darkAfterLight, 0) << "the box's colours did not follow the setting";
    ASSERT_NE(g_openedDuringBox, nullptr);
    EXPECT_FALSE(answersDark(g_openedDuringBox)) << "another dialog was themed";
    EXPECT_FALSE(answersDark(g_boxOwner)) << "the owner was themed when it came back";
    DestroyWindow(g_openedDuringBox);
    g_openedDuringBox = createTestDialog(false);
    EXPECT_FALSE(answersDark(g_openedDuringBox)) << "a hook was left installed";
    DestroyWindow(g_openedDuringBox);
    DestroyWindow(g_boxOwner);
    setLightTheme(std::nullopt);
}

// The brightest link (blue) and plain ink of a control, or -1 when some of
// it is darker than the dark background.
std::pair<int, int> brightestInk(HWND control) {
    InvalidateRect(control, nullptr, TRUE);
    UpdateWindow(control);
    RECT rc;
    GetClientRect(control, &rc);
    int link = 0, plain = 0;
    for (int x = 0; x < rc.right; ++x)
        for (int y = 0; y < rc.bottom; ++y) {
            const COLORREF c = clientPixel(control, x, y);
            const int lum =
                (2126 * GetRValue(c) + 7152 * GetGValue(c) + 722 * GetBValue(c)) / 10000;
            if (c != CLR_INVALID && c != kDark && lum < 56 - 8)
                return {-1, -1};
            int& brightest = GetBValue(c) > GetRValue(c) + 40 ? link : plain;
            brightest = std::max(brightest, c == CLR_INVALID ? 0 : lum);
        }
    return {link, plain};
}

TEST(AboutBox, DarkBoxWithReadableLinksCopiesItsReportAsClipboardOwner) {
    setLightTheme(0);
    HWND owner = createTestDialog(false);
    HWND aboutOut = nullptr;
    const about::EnvoAboutInfo info{
        .iconId = IDI_PROGRAM,
        .instance = GetModuleHandleW(nullptr),
        .owner = owner,
        .title = L"Tester",
        .homePage = L"https://home.test/",
        .contact = L"https://home.test/mail.html",
        .donationPage = L"https://home.test/kifu.html",
        .feedbackPage = L"https://home.test/ifa.php?TK",
        .windowOut = &aboutOut,
        .messageFunction = ThemedMessageBox,
        .linkOpener = [](HWND, const wchar_t*) -> INT_PTR { return 42; }};
    std::wstring report;
    std::thread driver([&] {
        HWND box = e2e::waitForWindow(GetCurrentProcessId(), L"About", L"#32770", 10000);
        ASSERT_TRUE(box) << "the About box did not appear";
        EXPECT_EQ(aboutOut, box);
        EXPECT_EQ(GetWindow(box, GW_OWNER), owner);
        EXPECT_EQ(e2e::textOf(GetDlgItem(box, about::kIdVersion)),
                  L"Tester ver.2.50.13 beta\r\nCopyright (C) Test")
            << "from the program's version block";
        EXPECT_TRUE(SendDlgItemMessageW(box, about::kIdIcon, STM_GETICON, 0, 0))
            << "the program's icon loaded";
        EXPECT_TRUE(answersDark(box));
        pumpFor(300);
        EXPECT_EQ(clientPixel(box, 3, 3), kDark);
        // The links text and the two link buttons; only the links text has labels.
        for (int id : {about::kIdLinks, about::kIdContribution, about::kIdFeedback}) {
            const auto [link, plain] = brightestInk(GetDlgItem(box, id));
            EXPECT_GE(link, 150) << id << ": links unreadable (-1: ink darker than the background)";
            if (id == about::kIdLinks) {
                EXPECT_GE(plain, 200) << "the labels are not light";
            }
        }

        // Environment Information: the report box follows the setting, and
        // OK copies the report with the About box as the clipboard's owner
        // (without one the platform refuses the data).
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(about::kIdEnvironment, BN_CLICKED), 0);
        auto shown = e2e::waitForMessageBox(GetCurrentProcessId(), L"ENVOLite", 10000);
        ASSERT_TRUE(shown);
        EXPECT_TRUE(answersDark(shown->hwnd));
        report = shown->text;
        e2e::pressButton(*shown, L"OK");
        auto copiedBox =
            e2e::waitForMessageBox(GetCurrentProcessId(), L"ENVOLite", 10000, shown->hwnd);
        ASSERT_TRUE(copiedBox);
        EXPECT_EQ(GetClipboardOwner(), box);
        e2e::pressButton(*copiedBox, L"OK");
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    EXPECT_EQ(about::ShowEnvoAbout(info), 0);
    driver.join();
    EXPECT_EQ(aboutOut, nullptr);
    const std::wstring text = e2e::clipboardText();
    EXPECT_EQ(text.rfind(L"ENVOLite ver.1.02.04 [", 0), 0u);
    EXPECT_NE(text.find(L"Dark Mode \t: On"), std::wstring::npos);
    EXPECT_EQ(report.rfind(text + L"\r\n------------------------\r\n", 0), 0u)
        << "the report shown is the one copied";
    DestroyWindow(owner);
    setLightTheme(std::nullopt);
}

} // namespace tapwell::wintest
