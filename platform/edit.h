#pragma once

#include "platform/wnd.h"

class CEdit : public CWnd {
public:
    // Caps what the user can type or paste; WM_SETTEXT is not capped.
    void SetLimitText(UINT nMax) const { SendMessage(EM_LIMITTEXT, nMax); }
};
