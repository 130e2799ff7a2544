#include "platform/work_area.h"

RECT WorkAreaNear(HWND window)
{
    RECT area;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    using MonitorFromWindowFn = HMONITOR(WINAPI*)(HWND, DWORD);
    using GetMonitorInfoFn = BOOL(WINAPI*)(HMONITOR, LPMONITORINFO);
    // Windows 98 and 2000 brought these: looked up, so the program still
    // starts on 95 and NT4.
    const HMODULE user32 = ::GetModuleHandleA("user32");
    const auto monitorFromWindow = reinterpret_cast<MonitorFromWindowFn>(
        reinterpret_cast<void (*)()>(::GetProcAddress(user32, "MonitorFromWindow")));
    const auto getMonitorInfo = reinterpret_cast<GetMonitorInfoFn>(
        reinterpret_cast<void (*)()>(::GetProcAddress(user32, "GetMonitorInfoA")));
    MONITORINFO monitor{sizeof monitor, {}, {}, 0};
    if (window && monitorFromWindow && getMonitorInfo &&
        getMonitorInfo(monitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor))
        area = monitor.rcWork;
    return area;
}
