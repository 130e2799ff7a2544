#pragma once

// The real main window, modeless, with its real pages: the form as a user
// sees it, driven by keystrokes, clicks and list choices.

#include <string>

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "pages/calculate_page.h"
#include "pages/help_page.h"
#include "res/resource.h"
#include "shell/main_dlg.h"
#include "win_test_util.h"

class FormTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_main.Create(IDD_MAIN, nullptr));
        m_main.ShowWindow(SW_SHOW);
        wintest::Pump(50);
        m_page = static_cast<CCalculatePage*>(m_main.m_tabPages.m_pPages[0].get());
        m_help = static_cast<CHelpPage*>(m_main.m_tabPages.m_pPages[1].get());
    }
    void TearDown() override
    {
        if (m_main.m_hWnd)
            ::DestroyWindow(m_main.m_hWnd);
    }

    HWND Item(int id) const { return m_page->GetDlgItem(id); }
    std::string Text(int id) const { return wintest::WindowText(Item(id)); }
    std::string Length() const { return Text(IDC_LENGTH); }
    std::string Size() const { return Text(IDC_SIZE); }
    std::string Result() const { return Text(IDC_RESULT); }
    int Row(int id) const { return static_cast<int>(::SendMessageA(Item(id), CB_GETCURSEL, 0, 0)); }

    // Keystrokes as the keyboard delivers them to the focused box.
    void Type(int id, const std::string& keys)
    {
        for (char c : keys)
            ::SendMessageA(Item(id), WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 1);
    }
    // Select everything, then type over it.
    void Retype(int id, const std::string& keys)
    {
        ::SendMessageA(Item(id), EM_SETSEL, 0, -1);
        Type(id, keys);
    }
    void Key(int id, WPARAM vk)
    {
        ::SendMessageA(Item(id), WM_KEYDOWN, vk, 1);
        ::SendMessageA(Item(id), WM_KEYUP, vk, 0xC0000001);
    }
    // A list choice as the keyboard makes it on the closed list: from the top
    // row, `row` presses of the down arrow.
    void Choose(int id, int row)
    {
        Key(id, VK_HOME);
        for (int i = 0; i < row; ++i)
            Key(id, VK_DOWN);
    }
    // A mouse click on the spin's upper or lower arrow.
    void SpinClick(int id, bool up)
    {
        HWND spin = Item(id);
        RECT r;
        ::GetClientRect(spin, &r);
        const LPARAM at = MAKELPARAM(r.right / 2, up ? r.bottom / 4 : r.bottom * 3 / 4);
        ::PostMessageA(spin, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::PostMessageA(spin, WM_LBUTTONUP, 0, at);
        wintest::Pump(60);
    }
    // A mouse click inside the strip, in its client coordinates.
    void ClickStrip(int x, int y)
    {
        HWND strip = m_main.m_tabPages.m_hWnd;
        ::SendMessageA(strip, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        ::SendMessageA(strip, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        wintest::Pump(20);
    }
    void ClickTab(int index)
    {
        RECT r;
        ::SendMessageA(m_main.m_tabPages.m_hWnd, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
        ClickStrip((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    bool Visible(CDialog* page) const { return ::IsWindowVisible(page->m_hWnd); }

    CMainDlg m_main;
    CCalculatePage* m_page = nullptr;
    CHelpPage* m_help = nullptr;
};
