#include "platform/cstring.h"

#include "platform/win_app.h"

bool CString::LoadString(UINT nID)
{
    // LoadStringA reports only how much it copied, so grow until it fits.
    for (size_t room = 256;; room *= 2) {
        const int copied =
            ::LoadStringA(AfxGetResourceHandle(), nID, Reserve(room), static_cast<int>(room + 1));
        if (copied < static_cast<int>(room) || room >= 65536) {
            SetSize(copied > 0 ? static_cast<size_t>(copied) : 0);
            return copied > 0;
        }
    }
}
