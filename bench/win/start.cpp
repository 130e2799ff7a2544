// Cold start: from CreateProcess to the first result on screen, as the user
// sees it (the window shown and its result box filled), then the memory it
// holds. Usage: start.exe EXE kelvane|empty
#include <cstdio>
#include <cstring>

#include <windows.h>
#include <psapi.h>

#include "bench/win/bench_ids.h"

namespace {

struct Query {
    DWORD pid;
    const char* caption;
    HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND hWnd, LPARAM lParam)
{
    auto* q = reinterpret_cast<Query*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    char caption[32] = {};
    ::SendMessageA(hWnd, WM_GETTEXT, sizeof caption, reinterpret_cast<LPARAM>(caption));
    if (pid != q->pid || !::IsWindowVisible(hWnd) || std::strcmp(caption, q->caption) != 0)
        return TRUE;
    q->found = hWnd;
    return FALSE;
}

// The descendant with that id whose text is `text`, searched in every page.
BOOL CALLBACK MatchChild(HWND hWnd, LPARAM lParam)
{
    auto* q = reinterpret_cast<Query*>(lParam);
    char text[32] = {};
    if (::GetDlgCtrlID(hWnd) != static_cast<int>(q->pid))
        return TRUE;
    ::SendMessageA(hWnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    if (std::strcmp(text, q->caption) != 0)
        return TRUE;
    q->found = hWnd;
    return FALSE;
}

// The window to close once ready, or null while the program is still starting.
HWND Ready(DWORD pid, bool kelvane)
{
    Query top{pid, kelvane ? "Kelvane" : "Empty", nullptr};
    ::EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&top));
    if (!top.found)
        return nullptr;
    Query result{kelvane ? 1004u : IDC_READY, kelvane ? "611.56" : "Ready", nullptr};  // the result box
    ::EnumChildWindows(top.found, MatchChild, reinterpret_cast<LPARAM>(&result));
    return result.found ? top.found : nullptr;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    const bool kelvane = std::strcmp(argv[2], "kelvane") == 0;
    char commandLine[MAX_PATH + 2];
    std::snprintf(commandLine, sizeof commandLine, "\"%s\"", argv[1]);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    LARGE_INTEGER frequency, begin, end;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&begin);
    if (!::CreateProcessA(argv[1], commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process)) {
        std::printf("FAIL: cannot start %s (error %lu)\n", argv[1], ::GetLastError());
        return 1;
    }
    HWND window = nullptr;
    const DWORD deadline = ::GetTickCount() + 30000;
    while (!(window = Ready(process.dwProcessId, kelvane)) && ::GetTickCount() < deadline &&
           ::WaitForSingleObject(process.hProcess, 1) == WAIT_TIMEOUT) {
    }
    ::QueryPerformanceCounter(&end);
    if (!window) {
        std::printf("FAIL: %s showed no result\n", argv[1]);
        ::TerminateProcess(process.hProcess, 1);
        return 1;
    }
    const double ms =
        1000.0 * static_cast<double>(end.QuadPart - begin.QuadPart) / static_cast<double>(frequency.QuadPart);

    // Measured once it has painted and settled.
    ::Sleep(500);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    ::GetProcessMemoryInfo(process.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                           sizeof memory);

    ::PostMessageA(window, WM_COMMAND, IDCANCEL, 0);  // Exit
    DWORD code = STILL_ACTIVE;
    if (::WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(process.hProcess, &code);
    else
        ::TerminateProcess(process.hProcess, 1);
    const size_t privateBytes =
        memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;  // Wine: the latter
    std::printf("ready_ms=%.1f working_set_kb=%zu private_kb=%zu exit=%lu\n", ms,
                static_cast<size_t>(memory.WorkingSetSize / 1024), privateBytes / 1024, code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return code == 0 ? 0 : 1;
}
