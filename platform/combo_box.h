#pragma once

#include <string>

#include "wnd.h"

class CComboBox : public CWnd {
public:
    // Rows are plain indexes: -1 stands for "none" wherever Win32 says CB_ERR.
    int GetCount() const { return ToRow(SendMessage(CB_GETCOUNT)); }
    int GetCurSel() const { return ToRow(SendMessage(CB_GETCURSEL)); }
    // Selects without a CBN_SELCHANGE notification; -1 clears the selection.
    int SetCurSel(int nSelect) const { return ToRow(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(nSelect))); }
    CString GetLBText(int nIndex) const;

private:
    static int ToRow(LRESULT r) { return r < 0 ? -1 : static_cast<int>(r); }
};

inline CString CComboBox::GetLBText(int nIndex) const
{
    LRESULT length = SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(nIndex));
    if (length < 0)
        return CString();
    std::string buffer(static_cast<size_t>(length) + 1, '\0');
    LRESULT copied = SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(buffer.data()));
    return CString(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}
