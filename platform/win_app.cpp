#include "platform/win_app.h"

#include "platform/wnd.h"

namespace {
CWinApp* g_app = nullptr;
}

CWinApp::CWinApp()
{
    g_app = this;
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

CWinApp* AfxGetApp()
{
    return g_app;
}

HINSTANCE AfxGetResourceHandle()
{
    // Resources live in the executable itself.
    return ::GetModuleHandleA(nullptr);
}

const BYTE* LockResourceData(UINT nID, LPCSTR type, DWORD* size)
{
    HINSTANCE module = AfxGetResourceHandle();
    HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(nID), type);
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    if (size)
        *size = loaded ? ::SizeofResource(module, found) : 0;
    return loaded ? static_cast<const BYTE*>(::LockResource(loaded)) : nullptr;
}

HWND AfxGetMainWindow()
{
    return g_app && g_app->m_pMainWnd ? g_app->m_pMainWnd->m_hWnd : nullptr;
}
