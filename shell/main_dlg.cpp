#include "shell/main_dlg.h"

#include "shell/about_dlg.h"
#include "platform/cstring.h"
#include "platform/paint_dc.h"
#include "platform/win_app.h"

namespace {

BOOL CALLBACK ForwardSysColorChange(HWND window, LPARAM)
{
    ::SendMessageA(window, WM_SYSCOLORCHANGE, 0, 0);
    return TRUE;
}

}  // namespace

CMainDlg::CMainDlg(CWnd* pParent)
    : CMessageMapImpl(IDD_MAIN, pParent),
      m_hIcon(::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME))),
      // Its own image for the caption at any DPI, not the large one shrunk.
      m_smallIcon(static_cast<HICON>(::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME),
                                                  IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                                  ::GetSystemMetrics(SM_CYSMICON), 0)))
{
}

void CMainDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    // Without its mouse handler the strip could never switch pages.
    if (!DDX_Control(pDX, IDC_TABS, m_tabPages))
        pDX->Fail();
}

BOOL CMainDlg::OnInitDialog()
{
    if (!CDialog::OnInitDialog())
        return FALSE;

    // The About entry goes at the end of the window menu.
    if (HMENU systemMenu = GetSystemMenu(FALSE)) {
        CString aboutMenu;
        aboutMenu.LoadString(IDS_ABOUTBOX);
        if (!aboutMenu.IsEmpty()) {
            ::AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
            ::AppendMenuA(systemMenu, MF_STRING, IDM_ABOUTBOX, aboutMenu);
        }
    }

    SetIcon(m_hIcon, TRUE);
    SetIcon(m_smallIcon ? m_smallIcon.get() : m_hIcon, FALSE);

    m_tabPages.InsertItem(0, "Calculate");
    m_tabPages.InsertItem(1, "Help");
    if (!m_tabPages.Init()) {
        EndDialog(-1);
        return FALSE;
    }

    // The platform puts the focus on the first tab stop, the Exit button.
    return TRUE;
}

void CMainDlg::OnOK()
{
    // The pages are control parents, so Enter in any of their boxes comes
    // here. The form is live: there is nothing to confirm, and ending would
    // lose it. A push button that got the focus back without its default
    // look (the About box closing) is still the one Enter presses.
    HWND focus = ::GetFocus();
    if (focus && ::IsChild(m_hWnd, focus) &&
        (::SendMessageA(focus, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON))
        SendMessage(WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(focus), BN_CLICKED),
                    reinterpret_cast<LPARAM>(focus));
}

void CMainDlg::OnSysCommand(UINT nID, LPARAM)
{
    // The low four bits of a window-menu command are the platform's own.
    if ((nID & 0xFFF0) == IDM_ABOUTBOX)
        OnAbout();
    else
        Default();
}

void CMainDlg::OnPaint()
{
    if (!IsIconic()) {
        Default();
        return;
    }
    CPaintDC dc(m_hWnd);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);

    const int cxIcon = ::GetSystemMetrics(SM_CXICON);
    const int cyIcon = ::GetSystemMetrics(SM_CYICON);
    const CRect rect = GetClientRect();
    const int x = (rect.Width() - cxIcon + 1) / 2;
    const int y = (rect.Height() - cyIcon + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CMainDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_hIcon);
}

void CMainDlg::OnAbout()
{
    CAboutDlg dlgAbout;
    dlgAbout.DoModal();
}

BOOL CMainDlg::OnSelchangingTabs()
{
    // Only a mouse press switches pages: a selection made any other way (the
    // arrow keys, Home, End) would name a page the strip does not show.
    if (m_tabPages.IsPressing())
        return FALSE;
    // Wine's strip takes the refused tab all the same: once the key is
    // handled, select the shown page's tab again (a no-op where the refusal holds).
    ::PostMessageA(m_tabPages.m_hWnd, TCM_SETCURSEL, static_cast<WPARAM>(m_tabPages.m_nCurrentPage), 0);
    return TRUE;
}

void CMainDlg::OnSysColorChange()
{
    // A new colour scheme is announced to top-level windows only: the common
    // controls and the pages' pictures, at every depth, hear of it from here.
    ::EnumChildWindows(m_hWnd, ForwardSysColorChange, 0);
}
