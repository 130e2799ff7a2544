#pragma once

#include "platform/wnd.h"

class CComboBox : public CWnd {
public:
    // Rows are plain indexes: -1 stands for "none" wherever Win32 says CB_ERR.
    int GetCurSel() const { return ToRow(SendMessage(CB_GETCURSEL)); }
    // Selects without a CBN_SELCHANGE notification; -1 clears the selection.
    int SetCurSel(int nSelect) const
    {
        return ToRow(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(nSelect)));
    }

private:
    static int ToRow(LRESULT r) { return r < 0 ? -1 : static_cast<int>(r); }
};
