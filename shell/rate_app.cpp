#include "shell/rate_app.h"

#include <windows.h>
#include <commctrl.h>

#include "platform/common_controls.h"
#include "shell/main_dlg.h"

BOOL CRateApp::InitInstance()
{
    // The templates use the tab strip and the up-down controls. Only flags
    // that common controls 5.8 knows: it refuses the whole call otherwise.
    InitCommonControlClasses(ICC_TAB_CLASSES | ICC_UPDOWN_CLASS);

    CMainDlg dlg;
    m_pMainWnd = &dlg;
    const INT_PTR result = dlg.DoModal();
    m_pMainWnd = nullptr;
    if (result == -1) {
        // Its template, a control class or a page was missing: say so rather
        // than end as if the user had closed it.
        ::MessageBoxA(nullptr, "Kelvane could not open its window.", "Kelvane", MB_OK | MB_ICONSTOP);
        m_nExitCode = 1;
    }
    // The dialog has ended: no message loop, the process ends.
    return FALSE;
}
