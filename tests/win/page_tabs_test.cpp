// The page tabs and the help page, in the real main window.
#include <string>
#include <vector>

#include "form_fixture.h"

namespace {

using PageTabs = FormTest;

TEST_F(PageTabs, StartOnTheCalculatorWithBothTabs)
{
    EXPECT_EQ(2, m_main.m_tabPages.GetItemCount());
    EXPECT_EQ(0, m_main.m_tabPages.GetCurSel());
    EXPECT_EQ(0, m_main.m_tabPages.m_nCurrentPage);
    EXPECT_TRUE(Visible(m_page));
    EXPECT_FALSE(Visible(m_help));
    char text[32] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    const char* expected[] = {"Calculate", "Help"};
    for (int i = 0; i < 2; ++i) {
        ::SendMessageA(m_main.m_tabPages.m_hWnd, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
        EXPECT_STREQ(expected[i], text);
    }
}

TEST_F(PageTabs, PagesFillTheAreaUnderTheTabs)
{
    RECT strip, tab;
    ::GetClientRect(m_main.m_tabPages.m_hWnd, &strip);
    ::SendMessageA(m_main.m_tabPages.m_hWnd, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab));
    for (CDialog* page : {static_cast<CDialog*>(m_page), static_cast<CDialog*>(m_help)}) {
        RECT r;
        ::GetWindowRect(page->m_hWnd, &r);
        ::MapWindowPoints(nullptr, m_main.m_tabPages.m_hWnd, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(tab.left, r.left);
        EXPECT_EQ(tab.bottom + 1, r.top);
        EXPECT_EQ(strip.right - tab.left - 1, r.right - r.left);
        EXPECT_EQ(strip.bottom - tab.bottom - 2, r.bottom - r.top);
        EXPECT_EQ(m_main.m_tabPages.m_hWnd, ::GetParent(page->m_hWnd));
    }
}

TEST_F(PageTabs, ClickingTabsSwitchesPagesAndKeepsTheForm)
{
    Retype(IDC_LENGTH, "90");
    ASSERT_EQ("858.07", Result());

    ClickTab(1);
    EXPECT_EQ(1, m_main.m_tabPages.m_nCurrentPage);
    EXPECT_FALSE(Visible(m_page));
    EXPECT_TRUE(Visible(m_help));
    HWND focus = ::GetFocus();
    EXPECT_TRUE(focus == m_help->m_hWnd || ::IsChild(m_help->m_hWnd, focus));

    ClickTab(0);
    EXPECT_EQ(0, m_main.m_tabPages.m_nCurrentPage);
    EXPECT_TRUE(Visible(m_page));
    EXPECT_FALSE(Visible(m_help));
    EXPECT_EQ("90", Length());
    EXPECT_EQ("858.07", Result());
    focus = ::GetFocus();
    EXPECT_TRUE(focus == m_page->m_hWnd || ::IsChild(m_page->m_hWnd, focus));
}

TEST_F(PageTabs, ClicksThatChangeNothing)
{
    RECT strip;
    ::GetClientRect(m_main.m_tabPages.m_hWnd, &strip);
    struct Case {
        const char* name;
        std::function<void()> click;
    };
    const Case cases[] = {
        {"the selected tab", [&] { ClickTab(0); }},
        {"right of the tabs", [&] { ClickStrip(strip.right - 3, 8); }},
    };
    for (const Case& c : cases) {
        c.click();
        EXPECT_EQ(0, m_main.m_tabPages.m_nCurrentPage) << c.name;
        EXPECT_TRUE(Visible(m_page)) << c.name;
        EXPECT_FALSE(Visible(m_help)) << c.name;
    }
}

TEST_F(PageTabs, OnlyAMousePressSwitchesPages)
{
    // The keyboard (or a program) moves the tab selection but not the page.
    ::SendMessageA(m_main.m_tabPages.m_hWnd, WM_KEYDOWN, VK_RIGHT, 1);
    ::SendMessageA(m_main.m_tabPages.m_hWnd, TCM_SETCURSEL, 1, 0);
    wintest::Pump(20);
    EXPECT_EQ(1, m_main.m_tabPages.GetCurSel());
    EXPECT_EQ(0, m_main.m_tabPages.m_nCurrentPage);
    EXPECT_TRUE(Visible(m_page));
    EXPECT_FALSE(Visible(m_help));
}

TEST_F(PageTabs, HelpTextIsExactReadOnlyAndNotATabStop)
{
    const char* const pieces[] = {
        "Some help information:\r\n\r\n",
        "This program will calculate the bitrate to use when encoding a DivX ",
        "video.\r\n\r\nPlease use the Low-Motion codec and MP3 for the audio.\r\n\r\n",
        "1 CD = 650MB = 665600KB\r\n\r\nRemember that if you ",
        "choose to encode a video at the bitrate this program tells you, the ",
        "final file might not be as big as you specify.\r\n\r\nWhy?\r\n\r\n",
        "The DivX codec uses a switching bitrate throughout ",
        "the whole videoconversion, which makes it impossible to know ",
        "the exact bitrate to use before encoding.\r\n\r\n",
        "This program only calculates the bitrate as if it would be used through ",
        "the whole video.\r\n\r\nIf this information is incorrect, please ",
        "let me know!\r\n\r\n",
        "You must have a quite new MFC42.dll version to run this program. I don't ",
        "exactly know what version that is required. Works with version 6.00.8168.0 - ",
        "6.0.8665.0, doesn't work with version 4.2.6860.\r\n\r\n",
        "Legal Stuff:\r\n\r\n",
        "You may run this program at your own risk! If it completely destroys ",
        "your computer or something like that, don't blame me! I have not added any ",
        "functions into this program that is harmful to your computer, but if you ",
        "get a virus when running this program, as I mentioned before:\r\nDON'T BLAME ME!",
    };
    std::string expected;
    for (const char* piece : pieces)
        expected += piece;
    ASSERT_EQ(1154u, expected.size());

    HWND box = m_help->m_editHelp.m_hWnd;
    ASSERT_NE(nullptr, box);
    EXPECT_EQ(expected, wintest::WindowText(box));

    const LONG style = ::GetWindowLongA(box, GWL_STYLE);
    EXPECT_TRUE(style & ES_READONLY);
    EXPECT_TRUE(style & ES_MULTILINE);
    EXPECT_TRUE(style & WS_VSCROLL);
    EXPECT_FALSE(style & WS_TABSTOP);
    EXPECT_FALSE(style & ES_AUTOHSCROLL);  // long lines wrap

    // Typing, deleting and pasting change nothing.
    ::SendMessageA(box, EM_SETSEL, 0, -1);
    ::SendMessageA(box, WM_CHAR, 'x', 1);
    ::SendMessageA(box, WM_CHAR, VK_BACK, 1);
    ::SendMessageA(box, WM_CLEAR, 0, 0);
    ::SendMessageA(box, WM_CUT, 0, 0);
    EXPECT_EQ(expected, wintest::WindowText(box));
    // Wrapped, the text takes more lines than its 24 of line breaks.
    EXPECT_GT(::SendMessageA(box, EM_GETLINECOUNT, 0, 0), 24);
}

TEST_F(PageTabs, ClosingTheMainWindowUnbindsEverything)
{
    ::DestroyWindow(m_main.m_hWnd);
    EXPECT_EQ(nullptr, m_main.m_hWnd);
    EXPECT_EQ(nullptr, m_main.m_tabPages.m_hWnd);
    EXPECT_EQ(nullptr, m_page->m_hWnd);
    EXPECT_EQ(nullptr, m_page->m_editLength.m_hWnd);
    EXPECT_EQ(nullptr, m_help->m_editHelp.m_hWnd);
    // With nothing bound the model stays idle.
    m_page->OnChangeLength();
    m_page->OnChangeSize();
}

}  // namespace
