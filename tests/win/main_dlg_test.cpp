// The main window and the About box, built from the real templates.
#include <string>
#include <vector>

#include <windows.h>

#include <gtest/gtest.h>

#include "res/resource.h"
#include "shell/main_dlg.h"
#include "win_test_util.h"

namespace {

using wintest::FindThreadDialog;

std::vector<std::string> Split(const std::string& s, const std::string& sep)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t at; (at = s.find(sep, start)) != std::string::npos; start = at + sep.size())
        parts.push_back(s.substr(start, at - start));
    parts.push_back(s.substr(start));
    return parts;
}

// The About box's texts: the version with its notice, and the note of four
// paragraphs, both with line feeds only.
void ExpectAboutTexts(HWND about)
{
    std::vector<std::string> texts;
    for (HWND child = ::GetWindow(about, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        char cls[32] = {};
        ::GetClassNameA(child, cls, sizeof cls);
        const bool picture = (::GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP;
        if (!_stricmp(cls, "Static") && !picture && !wintest::WindowText(child).empty())
            texts.push_back(wintest::WindowText(child));
    }
    ASSERT_EQ(2u, texts.size());
    const std::vector<std::string> version = Split(texts[0], "\n");
    ASSERT_EQ(2u, version.size()) << texts[0];
    EXPECT_EQ("Version 1.0", version[0]);
    EXPECT_FALSE(version[1].empty());
    const std::vector<std::string> note = Split(texts[1], "\n\n");
    ASSERT_EQ(4u, note.size()) << texts[1];
    EXPECT_EQ("Thank you for using this program!", note[0]);
    EXPECT_EQ("It has been tested on Win9x, NT4 and 2000", note[1]);
    EXPECT_EQ(0u, note[2].rfind("Author E-Mail: ", 0)) << note[2];
    EXPECT_GT(note[2].size(), 15u);
    EXPECT_FALSE(note[3].empty());
    for (const std::string& text : texts)
        EXPECT_EQ(std::string::npos, text.find('\r')) << text;
}

INT_PTR RunMain(CMainDlg& dlg, std::deque<std::function<void()>> steps)
{
    return wintest::RunWithSteps([&] { return dlg.DoModal(); }, std::move(steps));
}

TEST(MainDlg, CaptionStylesAndInitialFocus)
{
    CMainDlg dlg;
    LONG style = 0, exStyle = 0;
    std::string caption;
    int focusId = 0;
    RunMain(dlg, {[&] {
        style = ::GetWindowLongA(dlg.m_hWnd, GWL_STYLE);
        exStyle = ::GetWindowLongA(dlg.m_hWnd, GWL_EXSTYLE);
        caption = wintest::WindowText(dlg.m_hWnd);
        focusId = ::GetDlgCtrlID(::GetFocus());
        wintest::Click(dlg.m_hWnd, IDCANCEL);
    }});
    EXPECT_EQ("Kelvane", caption);
    for (DWORD bit : {DWORD(WS_POPUP), DWORD(WS_VISIBLE), DWORD(WS_CAPTION), DWORD(WS_SYSMENU), DWORD(WS_MINIMIZEBOX)})
        EXPECT_EQ(bit, static_cast<DWORD>(style) & bit) << std::hex << bit;
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(exStyle & WS_EX_APPWINDOW);
    EXPECT_EQ(IDCANCEL, focusId);
}

TEST(MainDlg, BindsTheTabStripAndShowsTheBanner)
{
    CMainDlg dlg;
    bool tabsBound = false, bannerShown = false;
    RunMain(dlg, {[&] {
        tabsBound = dlg.m_tabPages.m_hWnd && dlg.m_tabPages.m_hWnd == dlg.GetDlgItem(IDC_TABS);
        // The banner is the one static control holding a bitmap.
        for (HWND child = ::GetWindow(dlg.m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
            if (::SendMessageA(child, STM_GETIMAGE, IMAGE_BITMAP, 0))
                bannerShown = true;
        wintest::Click(dlg.m_hWnd, IDCANCEL);
    }});
    EXPECT_TRUE(tabsBound);
    EXPECT_TRUE(bannerShown);
    EXPECT_EQ(nullptr, dlg.m_tabPages.m_hWnd);  // unbound with its window
}

TEST(MainDlg, WindowMenuEndsWithSeparatorAndAboutEntry)
{
    CMainDlg dlg;
    int count = 0;
    UINT lastId = 0, separatorType = 0;
    char lastText[64] = {};
    RunMain(dlg, {[&] {
        HMENU menu = ::GetSystemMenu(dlg.m_hWnd, FALSE);
        count = ::GetMenuItemCount(menu);
        lastId = ::GetMenuItemID(menu, count - 1);
        ::GetMenuStringA(menu, count - 1, lastText, sizeof lastText, MF_BYPOSITION);
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE;
        ::GetMenuItemInfoA(menu, count - 2, TRUE, &info);
        separatorType = info.fType;
        wintest::Click(dlg.m_hWnd, IDCANCEL);
    }});
    ASSERT_GE(count, 3);
    EXPECT_EQ(static_cast<UINT>(IDM_ABOUTBOX), lastId);
    EXPECT_STREQ("&About Kelvane...", lastText);
    EXPECT_TRUE(separatorType & MFT_SEPARATOR);
}

TEST(MainDlg, AboutOpensFromButtonAndWindowMenuAndOkClosesIt)
{
    struct Case {
        const char* name;
        std::function<void(HWND)> open;
    };
    const Case cases[] = {
        {"About button", [](HWND h) { wintest::Click(h, IDC_ABOUT); }},
        {"window menu", [](HWND h) { ::SendMessageA(h, WM_SYSCOMMAND, IDM_ABOUTBOX, 0); }},
        // The platform's own low four bits do not matter.
        {"window menu, low bits set", [](HWND h) { ::SendMessageA(h, WM_SYSCOMMAND, IDM_ABOUTBOX | 0x3, 0); }},
    };
    for (const Case& c : cases) {
        CMainDlg dlg;
        HWND about = nullptr, owner = nullptr, mainWindow = nullptr;
        std::string okText;
        bool mainAliveAfterOk = false, aboutGoneAfterOk = false;
        INT_PTR result = RunMain(dlg, {
            [&] { c.open(dlg.m_hWnd); },  // blocks in the About box's loop; the next steps run inside it
            [&] {
                mainWindow = dlg.m_hWnd;
                about = FindThreadDialog("About Kelvane");
                owner = about ? ::GetWindow(about, GW_OWNER) : nullptr;
                okText = about ? wintest::WindowText(::GetDlgItem(about, IDOK)) : "";
                if (about)
                    ExpectAboutTexts(about);
                if (about)
                    wintest::Click(about, IDOK);
            },
            [&] {
                aboutGoneAfterOk = !FindThreadDialog("About Kelvane");
                mainAliveAfterOk = ::IsWindowVisible(dlg.m_hWnd) && FindThreadDialog("Kelvane") == dlg.m_hWnd;
                wintest::Click(dlg.m_hWnd, IDCANCEL);
            },
        });
        EXPECT_NE(nullptr, about) << c.name;
        EXPECT_EQ(mainWindow, owner) << c.name;  // owned by the main window
        EXPECT_EQ("OK, I Agree", okText) << c.name;
        EXPECT_TRUE(aboutGoneAfterOk) << c.name;
        EXPECT_TRUE(mainAliveAfterOk) << c.name;
        EXPECT_EQ(IDCANCEL, result) << c.name;
        EXPECT_FALSE(wintest::WatchdogFired()) << c.name;
    }
}

TEST(MainDlg, ExitCloseBoxAndWindowMenuCloseEndTheProgram)
{
    struct Case {
        const char* name;
        std::function<void(HWND)> act;
    };
    const Case cases[] = {
        {"Exit", [](HWND h) { wintest::Click(h, IDCANCEL); }},
        {"close box", [](HWND h) { ::SendMessageA(h, WM_CLOSE, 0, 0); }},
        {"window menu Close", [](HWND h) { ::SendMessageA(h, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const Case& c : cases) {
        CMainDlg dlg;
        INT_PTR result = RunMain(dlg, {[&] { c.act(dlg.m_hWnd); }});
        EXPECT_EQ(IDCANCEL, result) << c.name;
        EXPECT_FALSE(wintest::WatchdogFired()) << c.name;
        EXPECT_EQ(nullptr, dlg.m_hWnd) << c.name;
    }
}

TEST(MainDlg, IconsAndDragIcon)
{
    CMainDlg dlg;
    ASSERT_NE(nullptr, dlg.m_hIcon);
    HICON big = nullptr, small = nullptr, drag = nullptr;
    RunMain(dlg, {[&] {
        big = reinterpret_cast<HICON>(::SendMessageA(dlg.m_hWnd, WM_GETICON, ICON_BIG, 0));
        small = reinterpret_cast<HICON>(::SendMessageA(dlg.m_hWnd, WM_GETICON, ICON_SMALL, 0));
        drag = reinterpret_cast<HICON>(::SendMessageA(dlg.m_hWnd, WM_QUERYDRAGICON, 0, 0));
        wintest::Click(dlg.m_hWnd, IDCANCEL);
    }});
    EXPECT_EQ(dlg.m_hIcon, big);
    EXPECT_EQ(dlg.m_hIcon, small);
    EXPECT_EQ(dlg.m_hIcon, drag);
}

TEST(MainDlg, MinimisedItPaintsAndRestoredItCarriesOn)
{
    CMainDlg dlg;
    bool iconic = false, validated = false, restored = false;
    // One step: without a window manager Wine restores a window that is activated again.
    RunMain(dlg, {[&] {
        ::ShowWindow(dlg.m_hWnd, SW_MINIMIZE);
        iconic = ::IsIconic(dlg.m_hWnd);
        // The minimised paint draws the icon itself and must validate the window.
        ::InvalidateRect(dlg.m_hWnd, nullptr, TRUE);
        ::UpdateWindow(dlg.m_hWnd);
        validated = !::GetUpdateRect(dlg.m_hWnd, nullptr, FALSE);
        ::ShowWindow(dlg.m_hWnd, SW_RESTORE);
        restored = !::IsIconic(dlg.m_hWnd) && ::IsWindowVisible(dlg.m_hWnd);
        wintest::Click(dlg.m_hWnd, IDCANCEL);
    }});
    EXPECT_TRUE(iconic);
    EXPECT_TRUE(validated);
    EXPECT_TRUE(restored);
    EXPECT_FALSE(wintest::WatchdogFired());
}

}  // namespace
