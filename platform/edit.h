#pragma once

#include "platform/wnd.h"

class CEdit : public CWnd {
public:
    // Caps what the user can type or paste; WM_SETTEXT is not capped.
    void SetLimitText(UINT nMax) const { SendMessage(EM_LIMITTEXT, nMax); }
    // nEnd -1: to the end of the text.
    void SetSel(int nStart, int nEnd) const
    {
        SendMessage(EM_SETSEL, static_cast<WPARAM>(nStart), static_cast<LPARAM>(nEnd));
    }
};
