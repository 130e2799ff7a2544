#pragma once

// Helpers for driving real dialogs on the test's own thread.

#include <deque>
#include <functional>
#include <string>

#include <windows.h>

namespace wintest {

// Runs `run` (which enters a modal loop, e.g. dlg.DoModal()) and, while it
// runs, performs `steps` one per timer tick inside whatever modal loop is
// current, so a step may open another modal dialog and later steps act on it.
// A watchdog closes every window of the thread if the loop outlives its steps.
inline std::deque<std::function<void()>>& PendingSteps()
{
    static std::deque<std::function<void()>> steps;
    return steps;
}

inline bool& WatchdogFired()
{
    static bool fired = false;
    return fired;
}

inline BOOL CALLBACK CloseThreadWindow(HWND hWnd, LPARAM)
{
    ::PostMessageA(hWnd, WM_COMMAND, IDCANCEL, 0);
    ::PostMessageA(hWnd, WM_CLOSE, 0, 0);
    return TRUE;
}

inline BOOL CALLBACK FindHiddenDialog(HWND hWnd, LPARAM lParam)
{
    char cls[64] = {};
    ::GetClassNameA(hWnd, cls, sizeof cls);
    if (std::string(cls) == "#32770" && !::IsWindowVisible(hWnd)) {
        *reinterpret_cast<bool*>(lParam) = true;
        return FALSE;
    }
    return TRUE;
}

// A modal dialog is shown only once its loop finds the queue empty, and a
// pending timer message counts: wait until every dialog is on screen and one
// of them is active before the next step.
inline bool DialogsSettled()
{
    bool hidden = false;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindHiddenDialog, reinterpret_cast<LPARAM>(&hidden));
    return !hidden && ::GetActiveWindow() != nullptr;
}

inline void CALLBACK StepTimer(HWND, UINT, UINT_PTR, DWORD)
{
    auto& steps = PendingSteps();
    if (steps.empty() || !DialogsSettled())
        return;
    auto step = std::move(steps.front());
    steps.pop_front();
    step();
}

inline void CALLBACK WatchdogTimer(HWND, UINT, UINT_PTR, DWORD)
{
    WatchdogFired() = true;
    PendingSteps().clear();
    ::EnumThreadWindows(::GetCurrentThreadId(), CloseThreadWindow, 0);
}

template <class Run>
auto RunWithSteps(Run run, std::deque<std::function<void()>> steps, UINT watchdogMs = 15000)
{
    PendingSteps() = std::move(steps);
    WatchdogFired() = false;
    UINT_PTR stepTimer = ::SetTimer(nullptr, 0, 20, StepTimer);
    UINT_PTR watchdog = ::SetTimer(nullptr, 0, watchdogMs, WatchdogTimer);
    auto result = run();
    ::KillTimer(nullptr, stepTimer);
    ::KillTimer(nullptr, watchdog);
    PendingSteps().clear();
    return result;
}

// Processes pending messages for about `ms` milliseconds.
inline void Pump(DWORD ms = 0)
{
    const DWORD end = ::GetTickCount() + ms;
    do {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        if (ms)
            ::Sleep(5);
    } while (static_cast<LONG>(end - ::GetTickCount()) > 0);
}

struct FindState {
    const char* caption;
    HWND found;
};

inline BOOL CALLBACK FindDialogProc(HWND hWnd, LPARAM lParam)
{
    auto* state = reinterpret_cast<FindState*>(lParam);
    char text[256] = {};
    char cls[64] = {};
    ::GetWindowTextA(hWnd, text, sizeof text);
    ::GetClassNameA(hWnd, cls, sizeof cls);
    if (::IsWindowVisible(hWnd) && std::string(cls) == "#32770" && std::string(text) == state->caption) {
        state->found = hWnd;
        return FALSE;
    }
    return TRUE;
}

// The visible dialog of this thread with that caption, or null.
inline HWND FindThreadDialog(const char* caption)
{
    FindState state{caption, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), FindDialogProc, reinterpret_cast<LPARAM>(&state));
    return state.found;
}

inline std::string WindowText(HWND hWnd)
{
    char text[4096] = {};
    ::SendMessageA(hWnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

// A button click as the dialog manager delivers it.
inline void Click(HWND dialog, int id)
{
    ::SendMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

}  // namespace wintest
