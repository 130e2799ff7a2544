#pragma once

#include <windows.h>

#include "platform/cstring.h"
#include "platform/geometry.h"

// A non-owning view of a window: one HWND, one line per operation.
class CWnd {
public:
    HWND m_hWnd = nullptr;

    void Attach(HWND hWnd) { m_hWnd = hWnd; }

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    HWND GetDlgItem(int nID) const { return ::GetDlgItem(m_hWnd, nID); }

    // WM_SETTEXT: an edit box notifies its parent (EN_CHANGE) before this returns.
    void SetWindowText(const char* text) const { ::SetWindowTextA(m_hWnd, text); }
    CString GetWindowText() const;

    BOOL ShowWindow(int nCmdShow) const { return ::ShowWindow(m_hWnd, nCmdShow); }
    BOOL SetWindowPos(HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) const
    {
        return ::SetWindowPos(m_hWnd, hWndInsertAfter, x, y, cx, cy, nFlags);
    }
    HWND SetFocus() const { return ::SetFocus(m_hWnd); }
    CRect GetClientRect() const
    {
        CRect r;
        ::GetClientRect(m_hWnd, &r);
        return r;
    }
    CRect GetWindowRect() const
    {
        CRect r;
        ::GetWindowRect(m_hWnd, &r);
        return r;
    }
    // Dialog units of this dialog's font to pixels.
    CRect MapDialogRect(CRect r) const
    {
        ::MapDialogRect(m_hWnd, &r);
        return r;
    }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    HMENU GetSystemMenu(BOOL bRevert) const { return ::GetSystemMenu(m_hWnd, bRevert); }
    HICON SetIcon(HICON hIcon, BOOL bBigIcon) const
    {
        return reinterpret_cast<HICON>(
            SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
    }
};
