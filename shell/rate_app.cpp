#include "shell/rate_app.h"

#include <windows.h>
#include <commctrl.h>

#include "shell/main_dlg.h"

BOOL CRateApp::InitInstance()
{
    // The templates use the tab strip and the up-down controls. Only flags
    // that common controls 5.8 knows: it refuses the whole call otherwise.
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_TAB_CLASSES | ICC_UPDOWN_CLASS};
    ::InitCommonControlsEx(&classes);

    CMainDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    // The dialog has ended: no message loop, the process ends.
    return FALSE;
}
