#pragma once

#include <commctrl.h>

#include "wnd.h"

class CSpinButtonCtrl : public CWnd {
public:
    // UDM_SETRANGE packs the bounds into 16-bit halves: maximum low, minimum high.
    void SetRange(short nLower, short nUpper) const { SendMessage(UDM_SETRANGE, 0, MAKELPARAM(nUpper, nLower)); }
    void GetRange(int& nLower, int& nUpper) const
    { SendMessage(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&nLower), reinterpret_cast<LPARAM>(&nUpper)); }
    int GetPos() const { return static_cast<int>(SendMessage(UDM_GETPOS32)); }
    int SetPos(int nPos) const { return static_cast<int>(SendMessage(UDM_SETPOS32, 0, nPos)); }
    HWND GetBuddy() const { return reinterpret_cast<HWND>(SendMessage(UDM_GETBUDDY)); }
};
