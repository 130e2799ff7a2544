#include "platform/wait_cursor.h"

#include <windows.h>

namespace {
int g_depth = 0;
HCURSOR g_restore = nullptr;
}  // namespace

void BeginWaitCursor()
{
    HCURSOR previous = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
    if (g_depth++ == 0)
        g_restore = previous;
}

void EndWaitCursor()
{
    // An unmatched end must not drive the count negative.
    if (g_depth == 0)
        return;
    if (--g_depth == 0)
        ::SetCursor(g_restore);
}
