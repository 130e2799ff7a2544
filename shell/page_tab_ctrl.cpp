#include "shell/page_tab_ctrl.h"

#include "pages/calculate_page.h"
#include "pages/help_page.h"
#include "res/resource.h"

CPageTabCtrl::CPageTabCtrl()
    : m_pPages{std::make_unique<CCalculatePage>(), std::make_unique<CHelpPage>()},
      m_nPageCount(static_cast<int>(m_pPages.size()))
{
}

bool CPageTabCtrl::Init()
{
    m_nCurrentPage = 0;
    if (!m_pPages[0]->Create(IDD_CALCULATE_PAGE, this) || !m_pPages[1]->Create(IDD_HELP_PAGE, this))
        return false;
    m_pPages[0]->ShowWindow(SW_SHOW);
    m_pPages[1]->ShowWindow(SW_HIDE);
    SetRectangle();
    return true;
}

void CPageTabCtrl::SetRectangle()
{
    // The area under the tabs, inside the strip's border.
    const CRect strip = GetClientRect();
    const CRect tab = GetItemRect(0);
    const int x = tab.left;
    const int y = tab.bottom + 1;
    const int width = strip.right - tab.left - 1;
    const int height = strip.bottom - tab.bottom - 2;

    m_pPages[0]->SetWindowPos(HWND_TOP, x, y, width, height, SWP_SHOWWINDOW);
    for (int i = 1; i < m_nPageCount; ++i)
        m_pPages[i]->SetWindowPos(HWND_TOP, x, y, width, height, SWP_HIDEWINDOW);
}

void CPageTabCtrl::OnLButtonDown(UINT, CPoint)
{
    // The control selects and focuses the pressed tab first.
    m_bPressing = true;
    Default();
    m_bPressing = false;

    const int pressed = GetCurFocus();
    // Outside any tab the focus stays; an index without a page is ignored.
    if (pressed == m_nCurrentPage || pressed < 0 || pressed >= m_nPageCount)
        return;
    m_pPages[m_nCurrentPage]->ShowWindow(SW_HIDE);
    m_nCurrentPage = pressed;
    m_pPages[m_nCurrentPage]->ShowWindow(SW_SHOW);
    m_pPages[m_nCurrentPage]->SetFocus();
}
