#pragma once

#include <windows.h>

// The work area of the monitor that holds most of the window, or of the one
// nearest it; the primary monitor's when there is no window or the system
// cannot tell monitors apart (Windows 95, NT4).
RECT WorkAreaNear(HWND window);
