#pragma once

#include <commctrl.h>

#include "platform/wnd.h"

class CSpinButtonCtrl : public CWnd {
public:
    // UDM_SETRANGE packs the bounds into 16-bit halves: maximum low, minimum high.
    void SetRange(short nLower, short nUpper) const
    {
        SendMessage(UDM_SETRANGE, 0, MAKELPARAM(nUpper, nLower));
    }
};
