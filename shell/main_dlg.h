#pragma once

#include "platform/dialog.h"
#include "platform/message_map.h"
#include "platform/owned_icon.h"
#include "res/resource.h"
#include "shell/page_tab_ctrl.h"

// The main window: banner, the page tabs, About and Exit. Exit is the dialog's
// cancel command.
class CMainDlg : public CMessageMapImpl<CMainDlg, CDialog> {
public:
    explicit CMainDlg(CWnd* pParent = nullptr);

    CPageTabCtrl m_tabPages;
    HICON m_hIcon;
    COwnedIcon m_smallIcon;  // the same picture at the caption's size, loaded for this window alone

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // Enter with no default button arrives here as IDOK.
    void OnOK() override;

    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnAbout();
    BOOL OnSelchangingTabs();
    void OnSysColorChange();

    static constexpr MessageEntry<CMainDlg> messageMap[] = {
        OnMessage<WM_SYSCOMMAND, &CMainDlg::OnSysCommand>(),
        OnMessage<WM_PAINT, &CMainDlg::OnPaint>(),
        OnMessage<WM_QUERYDRAGICON, &CMainDlg::OnQueryDragIcon>(),
        OnMessage<WM_SYSCOLORCHANGE, &CMainDlg::OnSysColorChange>(),
        OnCommand<&CMainDlg::OnAbout>(BN_CLICKED, IDC_ABOUT),
        OnNotify<TCN_SELCHANGING, &CMainDlg::OnSelchangingTabs>(IDC_TABS),
    };
};
