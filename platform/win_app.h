#pragma once

#include <windows.h>

class CWnd;

// The application object: one global instance; the process entry calls its
// InitInstance once.
class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Runs the whole program; FALSE: no message loop follows, the process ends.
    virtual BOOL InitInstance() { return FALSE; }

    // What the process ends with.
    int m_nExitCode = 0;
    CWnd* m_pMainWnd = nullptr;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetResourceHandle();
// The bytes of resource nID of that type, which live as long as the program,
// or null; size, if given, receives their count.
const BYTE* LockResourceData(UINT nID, LPCSTR type, DWORD* size = nullptr);
// The application's main window, or null.
HWND AfxGetMainWindow();
