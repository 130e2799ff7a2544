#pragma once

#include <commctrl.h>

#include "platform/wnd.h"

class CTabCtrl : public CWnd {
public:
    // A text-only tab; the new tab's index, or -1.
    int InsertItem(int nItem, const char* text) const
    {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(text);
        return static_cast<int>(
            SendMessage(TCM_INSERTITEMA, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item)));
    }
    // In the strip's client coordinates.
    CRect GetItemRect(int nItem) const
    {
        CRect r;
        SendMessage(TCM_GETITEMRECT, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&r));
        return r;
    }
    int GetCurFocus() const { return static_cast<int>(SendMessage(TCM_GETCURFOCUS)); }
};
