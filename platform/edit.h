#pragma once

#include "wnd.h"

class CEdit : public CWnd {
public:
    // Caps what the user can type or paste; WM_SETTEXT is not capped.
    void SetLimitText(UINT nMax) const { SendMessage(EM_LIMITTEXT, nMax); }
    UINT GetLimitText() const { return static_cast<UINT>(SendMessage(EM_GETLIMITTEXT)); }
    void SetSel(int nStart, int nEnd) const { SendMessage(EM_SETSEL, nStart, nEnd); }
    BOOL SetReadOnly(BOOL bReadOnly) const { return static_cast<BOOL>(SendMessage(EM_SETREADONLY, bReadOnly)); }
};
