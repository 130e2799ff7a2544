#include "platform/wnd.h"

CString CWnd::GetWindowText() const
{
    // One message for the usual short text: under Wine every message to a box
    // with a spin buddy costs a round trip to the server (the buddy's subclass
    // data is a window property), and this read is on every keystroke.
    char shortText[64];
    const int got =
        static_cast<int>(SendMessage(WM_GETTEXT, sizeof shortText, reinterpret_cast<LPARAM>(shortText)));
    if (got >= 0 && got < static_cast<int>(sizeof shortText) - 1)
        return CString(std::string_view(shortText, static_cast<size_t>(got)));

    // WM_GETTEXTLENGTH may overstate (never understate) the length; WM_GETTEXT
    // tells what was really copied.
    int length = static_cast<int>(SendMessage(WM_GETTEXTLENGTH));
    if (length <= 0)
        return CString();
    CString text;
    char* buffer = text.Reserve(static_cast<size_t>(length));
    const int copied = static_cast<int>(
        SendMessage(WM_GETTEXT, static_cast<WPARAM>(length) + 1, reinterpret_cast<LPARAM>(buffer)));
    text.SetSize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}
