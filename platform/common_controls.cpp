#include "platform/common_controls.h"

#include <commctrl.h>

void InitCommonControlClasses(DWORD classes)
{
    using InitEx = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    // Importing InitCommonControls keeps the library loaded; the newer call
    // is looked up, as 4.00 does not have it.
    const auto initEx = reinterpret_cast<InitEx>(reinterpret_cast<void (*)()>(
        ::GetProcAddress(::GetModuleHandleA("comctl32.dll"), "InitCommonControlsEx")));
    const INITCOMMONCONTROLSEX wanted{sizeof wanted, classes};
    if (!initEx || !initEx(&wanted))
        ::InitCommonControls();
}
