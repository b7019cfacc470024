#include "theme_test_support.h"

#include "about/about_box_win32.h"
#include "support/win_driver.h"
#include "theme/theme_win32.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace tapwell::wintest {
namespace {

using about::EnvoAboutInfo;

constexpr COLORREF kDark = RGB(56, 56, 56);
const std::wstring kHome = L"https://home.test/";
const std::wstring kMail = L"someone@mail.test";
const std::wstring kDonation = L"https://home.test/kifu.html";
const std::wstring kFeedback = L"https://home.test/ifa.php?TK";
const std::wstring kDescription = L" First paragraph.\r\n Second paragraph.";

// What the link opener saw.
std::mutex g_openedMutex;
std::vector<std::wstring> g_opened;
std::atomic<bool> g_openFails{false};

INT_PTR recordingOpener(HWND, const wchar_t* address) {
    std::lock_guard lock(g_openedMutex);
    g_opened.push_back(address);
    return g_openFails ? 2 : 42;
}

std::vector<std::wstring> opened() {
    std::lock_guard lock(g_openedMutex);
    return g_opened;
}

std::wstring itemText(HWND box, int id) {
    wchar_t text[4096] = {};
    GetDlgItemTextW(box, id, text, 4096);
    return text;
}

bool enabled(HWND box, int id) {
    return IsWindowEnabled(GetDlgItem(box, id)) != 0;
}

std::wstring clipboardText() {
    std::wstring text;
    for (int attempt = 0; attempt < 20 && !OpenClipboard(nullptr); ++attempt)
        Sleep(50);
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (auto* p = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = p;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void setClipboardText(const std::wstring& text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::memcpy(GlobalLock(block), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(block);
    SetClipboardData(CF_UNICODETEXT, block);
    CloseClipboard();
}

// Waits until `hwnd` is gone, so that the next box found is a new one.
void waitGone(HWND hwnd) {
    for (int i = 0; i < 100 && IsWindow(hwnd); ++i)
        Sleep(50);
}

struct AboutFixture : ::testing::Test {
    HWND owner = nullptr;
    HWND aboutOut = nullptr;
    EnvoAboutInfo info;
    DWORD guiThread = GetCurrentThreadId();
    // Light unless a test says otherwise, whatever the prefix holds.
    AppsUseLightThemeOverride lightByDefault{1};

    void SetUp() override {
        owner = CreateWindowExW(0, L"STATIC", L"About test owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                50, 50, 400, 300, nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(owner);
        info.language = 0;
        info.iconId = 130;
        info.instance = GetModuleHandleW(nullptr);
        info.owner = owner;
        info.title = L"Tester";
        info.homePage = kHome.c_str();
        info.contact = kMail.c_str();
        info.donationPage = kDonation.c_str();
        info.description = kDescription.c_str();
        info.feedbackPage = kFeedback.c_str();
        info.windowOut = &aboutOut;
        info.messageFunction = ThemedMessageBox;
        info.linkOpener = recordingOpener;
        std::lock_guard lock(g_openedMutex);
        g_opened.clear();
        g_openFails = false;
    }
    void TearDown() override { DestroyWindow(owner); }

    // Shows the box on this thread while `drive` runs on another with the
    // box's window; the box is closed with its Close button afterwards.
    INT_PTR run(const std::function<void(HWND)>& drive) {
        const std::wstring caption = info.language == 1 ? L"バージョン情報" : L"About";
        std::thread driver([&] {
            HWND box = e2e::waitForWindow(GetCurrentProcessId(), caption, L"#32770", 10000);
            if (box) {
                drive(box);
                PostMessageW(box, WM_COMMAND, MAKEWPARAM(2, BN_CLICKED), 0);
            } else {
                ADD_FAILURE() << "the About box did not appear";
            }
        });
        const INT_PTR result = about::ShowEnvoAbout(info);
        driver.join();
        return result;
    }

    HWND focusOnGuiThread() {
        GUITHREADINFO gti{};
        gti.cbSize = sizeof(gti);
        GetGUIThreadInfo(guiThread, &gti);
        return gti.hwndFocus;
    }
};

TEST_F(AboutFixture, OpensWithVersionLinksDescriptionAndTooltips) {
    wchar_t tempDir[MAX_PATH];
    GetTempPathW(MAX_PATH, tempDir);
    const std::wstring tempFile = std::wstring(tempDir) + L"ENVO32LIB_TEMP.TXT";
    CloseHandle(
        CreateFileW(tempFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));

    const INT_PTR result = run([&](HWND box) {
        EXPECT_EQ(aboutOut, box);
        EXPECT_EQ(GetWindow(box, GW_OWNER), owner);
        EXPECT_EQ(itemText(box, 2002), L"Tester ver.2.50.13 beta\r\nCopyright (C) Test");
        const std::wstring links = itemText(box, 2003);
        EXPECT_NE(links.find(L"[WebSite]"), std::wstring::npos) << e2e::toUtf8(links);
        EXPECT_NE(links.find(L"[E-Mail]"), std::wstring::npos);
        EXPECT_NE(links.find(L"mailto:someone@mail.test"), std::wstring::npos);
        EXPECT_EQ(itemText(box, 2004), kDescription);
        EXPECT_EQ(itemText(box, 2), L"&Close");
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(box, 2006)));
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(box, 2009)));
        EXPECT_EQ(focusOnGuiThread(), GetDlgItem(box, 2006));
        EXPECT_TRUE(SendDlgItemMessageW(box, 2007, STM_GETICON, 0, 0)) << "icon #130 loaded";

        // Ctrl+A in the description selects all of it.
        HWND description = GetDlgItem(box, 2004);
        SendMessageW(description, WM_CHAR, 1, 0);
        DWORD from = 99, to = 0;
        SendMessageW(description, EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                     reinterpret_cast<LPARAM>(&to));
        EXPECT_EQ(from, 0u);
        EXPECT_EQ(to, kDescription.size());

        HWND tip = FindWindowExW(nullptr, nullptr, L"tooltips_class32", nullptr);
        while (tip && GetWindow(tip, GW_OWNER) != box)
            tip = FindWindowExW(nullptr, tip, L"tooltips_class32", nullptr);
        ASSERT_TRUE(tip);
        EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 4);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(aboutOut, nullptr);
    EXPECT_EQ(GetFileAttributesW(tempFile.c_str()), INVALID_FILE_ATTRIBUTES)
        << "the library's temporary file is removed on close";
}

TEST_F(AboutFixture, JapaneseShowsBetaAsGreekLetterAndItsOwnTexts) {
    info.language = 1;
    run([&](HWND box) {
        EXPECT_EQ(itemText(box, 2002), L"Tester ver.2.50.13 β\r\nCopyright (C) Test");
        EXPECT_EQ(itemText(box, 2), L"閉じる(&C)");
        EXPECT_NE(itemText(box, 2003).find(L"メールフィルタ"), std::wstring::npos);
    });
}

TEST_F(AboutFixture, WithoutDonationAndFeedbackPagesTheirLinksHide) {
    info.donationPage = nullptr;
    info.feedbackPage = nullptr;
    run([&](HWND box) {
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(box, 2006)));
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(box, 2009)));
        EXPECT_EQ(focusOnGuiThread(), GetDlgItem(box, 2));
    });
}

TEST_F(AboutFixture, EnvironmentInformationCopiesTheReport) {
    setClipboardText(L"sentinel");
    std::wstring shown;
    std::wstring done;
    HWND aboutBox = nullptr, clipboardOwner = nullptr;
    run([&](HWND box) {
        aboutBox = box;
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(2005, BN_CLICKED), 0);
        auto report = e2e::waitForMessageBox(GetCurrentProcessId(), L"ENVOLite", 10000);
        ASSERT_TRUE(report);
        shown = report->text;
        e2e::pressButton(*report, L"OK");
        waitGone(report->hwnd);
        auto confirmation = e2e::waitForMessageBox(GetCurrentProcessId(), L"ENVOLite", 10000);
        ASSERT_TRUE(confirmation);
        done = confirmation->text;
        clipboardOwner = GetClipboardOwner();
        e2e::pressButton(*confirmation, L"OK");
        waitGone(confirmation->hwnd);
    });
    const std::wstring prompt =
        L"\r\n------------------------\r\nPlease click the [OK] button to copy to clipboard.";
    ASSERT_GT(shown.size(), prompt.size());
    EXPECT_EQ(shown.substr(shown.size() - prompt.size()), prompt);
    EXPECT_EQ(shown.rfind(L"ENVOLite ver.1.02.04 [", 0), 0u);
    EXPECT_NE(shown.find(L"\r\n[Client]\r\n Tester ver.2.50.13 beta" + prompt), std::wstring::npos);
    EXPECT_NE(shown.find(L"Dark Mode \t: Off"), std::wstring::npos);
    EXPECT_EQ(done, L"Writing data to the clipboard is complete.");
    // Without an owner the platform refuses the data.
    EXPECT_EQ(clipboardOwner, aboutBox);
    EXPECT_EQ(clipboardText(), shown.substr(0, shown.size() - prompt.size()));
}

TEST_F(AboutFixture, CancelInTheReportBoxCopiesNothing) {
    setClipboardText(L"sentinel");
    run([&](HWND box) {
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(2005, BN_CLICKED), 0);
        auto report = e2e::waitForMessageBox(GetCurrentProcessId(), L"ENVOLite", 10000);
        ASSERT_TRUE(report);
        e2e::pressButton(*report, L"Cancel");
        waitGone(report->hwnd);
    });
    EXPECT_EQ(clipboardText(), L"sentinel");
}

void clickLink(HWND link) {
    SendMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 5));
    SendMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(4, 5));
}

// The links text's links are activated as the control reports them.
void activateLink(HWND box, const std::wstring& id) {
    NMLINK link{};
    link.hdr.hwndFrom = GetDlgItem(box, 2003);
    link.hdr.idFrom = 2003;
    link.hdr.code = NM_CLICK;
    lstrcpynW(link.item.szID, id.c_str(), MAX_LINKID_TEXT);
    SendMessageW(box, WM_NOTIFY, 2003, reinterpret_cast<LPARAM>(&link));
}

TEST_F(AboutFixture, LinksAreLockedForASecondAfterAClick) {
    run([&](HWND box) {
        clickLink(GetDlgItem(box, 2006));
        ASSERT_EQ(opened().size(), 1u) << "a click on the contribution link opens it";
        EXPECT_EQ(opened()[0], kDonation);
        EXPECT_FALSE(enabled(box, 2005));
        EXPECT_FALSE(enabled(box, 2006));
        EXPECT_FALSE(enabled(box, 2009));

        activateLink(box, kHome); // within the second: dropped
        EXPECT_EQ(opened().size(), 1u);

        Sleep(1300);
        EXPECT_TRUE(enabled(box, 2005));
        EXPECT_TRUE(enabled(box, 2006));
        EXPECT_TRUE(enabled(box, 2009));
        activateLink(box, kHome);
        ASSERT_EQ(opened().size(), 2u);
        EXPECT_EQ(opened()[1], kHome);

        // A failing shell reports it with the title as caption.
        Sleep(1300);
        g_openFails = true;
        std::thread failing([&] { activateLink(box, L"mailto:" + kMail); });
        auto error = e2e::waitForMessageBox(GetCurrentProcessId(), L"Tester", 10000);
        ASSERT_TRUE(error);
        EXPECT_EQ(error->text, L"Cannot open a browser.");
        e2e::pressButton(*error, L"OK");
        failing.join();
        ASSERT_EQ(opened().size(), 3u);
        EXPECT_EQ(opened()[2], L"mailto:" + kMail);
    });
}

TEST_F(AboutFixture, FollowsTheSystemsDarkSetting) {
    for (bool dark : {true, false}) {
        AppsUseLightThemeOverride setting(dark ? 0 : 1);
        ReadDarkModeSetting(GetModuleHandleW(nullptr));
        std::wstring shown;
        run([&](HWND box) {
            EXPECT_EQ(about::aboutDarkMode(), dark);
            const ColorReply reply = askControlColor(box, WM_CTLCOLORDLG, box);
            EXPECT_EQ(reply.brush == kDark, dark)
                << (reply.brush ? *reply.brush : 0xFFFFFFFFu) << " text " << reply.text;
            pumpFor(100);
            EXPECT_EQ(clientPixel(box, 3, 3) == kDark, dark);

            PostMessageW(box, WM_COMMAND, MAKEWPARAM(2005, BN_CLICKED), 0);
            auto report = e2e::waitForMessageBox(GetCurrentProcessId(), L"ENVOLite", 10000);
            ASSERT_TRUE(report);
            shown = report->text;
            EXPECT_EQ(askControlColor(report->hwnd, WM_CTLCOLORDLG, report->hwnd).brush == kDark,
                      dark)
                << "the report box follows the program's setting";
            e2e::pressButton(*report, L"Cancel");
            waitGone(report->hwnd);
        });
        EXPECT_NE(shown.find(dark ? L"Dark Mode \t: On" : L"Dark Mode \t: Off"),
                  std::wstring::npos);
    }
}

// What a control shows: ink darker than the dark background, and the
// brightest plain (grey) and link (blue) ink.
struct LinkInk {
    int darkPixels = 0;
    int brightestPlain = 0;
    int brightestLink = 0;
};

int luminance(COLORREF c) {
    return (2126 * GetRValue(c) + 7152 * GetGValue(c) + 722 * GetBValue(c)) / 10000;
}

LinkInk inkOf(HWND control) {
    LinkInk ink;
    RECT rc;
    GetClientRect(control, &rc);
    HDC dc = GetDC(control);
    for (int x = 0; x < rc.right; ++x) {
        for (int y = 0; y < rc.bottom; ++y) {
            const COLORREF c = GetPixel(dc, x, y);
            if (c == CLR_INVALID || c == kDark)
                continue;
            const int lum = luminance(c);
            if (lum < luminance(kDark) - 8)
                ++ink.darkPixels;
            if (GetBValue(c) > GetRValue(c) + 40)
                ink.brightestLink = std::max(ink.brightestLink, lum);
            else
                ink.brightestPlain = std::max(ink.brightestPlain, lum);
        }
    }
    ReleaseDC(control, dc);
    return ink;
}

// "[WebSite]", "[Contact]" and the links must read on the dark background.
TEST_F(AboutFixture, DarkLinksTextIsLightAndItsLinksReadable) {
    AppsUseLightThemeOverride dark(0);
    ReadDarkModeSetting(GetModuleHandleW(nullptr));
    info.contact = L"https://home.test/mail.html";
    run([&](HWND box) {
        pumpFor(300);
        for (int id : {2003, 2006, 2009}) {
            HWND link = GetDlgItem(box, id);
            InvalidateRect(link, nullptr, TRUE);
            UpdateWindow(link);
            const LinkInk ink = inkOf(link);
            EXPECT_EQ(ink.darkPixels, 0) << id << ": text drawn dark on the dark background";
            EXPECT_GE(ink.brightestLink, 150) << id << ": links too dark to read";
            if (id == 2003) {
                EXPECT_GE(ink.brightestPlain, 200) << "the labels are not light";
            }
        }
    });
}

} // namespace
} // namespace tapwell::wintest
