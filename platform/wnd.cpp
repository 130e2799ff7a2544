#include "wnd.h"

#include <string>

CString CWnd::GetWindowText() const
{
    // WM_GETTEXTLENGTH may overstate (never understate) the length; WM_GETTEXT
    // tells what was really copied.
    int length = static_cast<int>(SendMessage(WM_GETTEXTLENGTH));
    if (length <= 0)
        return CString();
    std::string buffer(static_cast<size_t>(length) + 1, '\0');
    int copied = static_cast<int>(SendMessage(WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data())));
    return CString(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}
